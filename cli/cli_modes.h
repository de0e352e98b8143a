// loopsmith-cli's modes, one file each; each returns the exit code.
#pragma once

#include "cli/cli_options.h"
#include "cli/cli_session.h"

int RunCount(const CliOptions& o);                              // --count FILE
int RunBatch(const CliOptions& o, const CliSession& session);   // --batch
int RunLink(const CliOptions& o, const CliSession& session);    // --link
int RunPlan(const CliOptions& o, const CliSession& session);    // --plan
int RunVerify(const CliOptions& o, const CliSession& session);  // --verify
int RunCode(const CliOptions& o, const CliSession& session);    // the code of one request
