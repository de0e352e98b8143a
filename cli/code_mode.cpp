// The code of one request, as the window writes it.
#include "cli/block_checks.h"
#include "cli/cli_modes.h"
#include "cli/console_output.h"

int RunCode(const CliOptions& o, const CliSession& session) {
    const std::optional<DelayAnswer> answer = AnswerWithCode(session, RequestOf(o));
    if (!answer)
        return kExitMessage;
    Write(stdout, answer->code);
    return 0;
}
