// --plan: the loop plan of one request as a JSON line.
#include <string>

#include "cli/block_checks.h"
#include "cli/cli_modes.h"
#include "cli/console_output.h"
#include "engine/plan_json.h"

int RunPlan(const CliOptions& o, const CliSession& session) {
    const DelayRequest request = RequestOf(o);
    const std::optional<DelayAnswer> answer = AnswerWithCode(session, request);
    if (!answer)
        return kExitMessage;
    std::string line;
    AppendFormPlanJson(line, *answer->plan, request.routine.form,
                       answer->actualTime ? &*answer->actualTime : nullptr);
    Write(stdout, line.append(session.lineEnd));
    return 0;
}
