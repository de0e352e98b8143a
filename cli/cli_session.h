// What every request of loopsmith-cli starts from, read as the window reads it: the settings
// file's profiles, the language's texts, the chosen profile; and the request of the options.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "cli/cli_options.h"
#include "cli/cli_texts.h"
#include "engine/delay_answer.h"
#include "store/file_locations.h"
#include "store/profile.h"

struct CliSession {
    CliSetup setup;
    Profile chosen;  // --syntax already applied
    FieldCaptions captions;
    std::string_view lineEnd;
};

// One line on standard error that points to --help; the usage exit code.
int Usage(const std::string& what);

// The session of the options; an exit code instead when there is none (its message written).
std::optional<int> OpenSession(const CliOptions& o, const FileLocations& locations,
                               CliSession& session);

// The request the options give.
DelayRequest RequestOf(const CliOptions& o);
// The core's answer to it, with code; none when the window would show a message instead, which then
// went to standard error (the caller exits with kExitMessage).
std::optional<DelayAnswer> AnswerWithCode(const CliSession& session, const DelayRequest& request);
