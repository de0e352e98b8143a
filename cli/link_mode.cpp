// --link: the page's address of a request that gives code, never one the page would refuse.
#include <string>

#include "base/ascii.h"
#include "cli/block_checks.h"
#include "cli/cli_modes.h"
#include "cli/console_output.h"
#include "engine/share_link.h"

int RunLink(const CliOptions& o, const CliSession& session) {
    const DelayRequest request = RequestOf(o);
    const int syntax = session.chosen.Syntax == kSyntaxCurrent ? kSyntaxCurrent : kSyntaxClassic;
    const ShareRequest link{base::TrimBlanks(o.cycles.value_or("")),
                            request.calculator,
                            o.watchdog,
                            session.chosen.Name,
                            request.routine,
                            syntax};
    if (!ShareLinkFits(link)) {
        return Usage("--link: the link would be longer than " + std::to_string(kMaxShareLinkSize) +
                     " bytes, which the page does not open");
    }
    const std::optional<DelayAnswer> answer = AnswerWithCode(session, request);
    if (!answer)
        return kExitMessage;
    Write(stdout, MakeShareLink(link).append(session.lineEnd));
    return 0;
}
