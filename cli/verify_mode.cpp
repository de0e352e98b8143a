// --verify: the code of one request, then run on the built-in interpreter.
#include "cli/block_checks.h"
#include "cli/cli_modes.h"
#include "cli/console_output.h"
#include "engine/w_times_routine.h"

int RunVerify(const CliOptions& o, const CliSession& session) {
    const std::optional<DelayAnswer> answer = AnswerWithCode(session, RequestOf(o));
    if (!answer)
        return kExitMessage;
    Write(stdout, answer->code);
    if (!OutputWritten())
        return kExitFailure;  // code nobody got is not verified
    const int syntax = session.chosen.Syntax;
    if (o.wTimes)
        return VerifyWTimesCode(answer->code, syntax, *answer->delayCycles, kWTimesOverhead);
    return VerifyCode(answer->code, syntax, o.subroutine.has_value(), *answer->delayCycles);
}
