// The command line of loopsmith-cli.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct CliOptions {
    bool help = false;
    bool watchdog = false;
    bool plan = false;
    bool verify = false;
    bool batch = false;
    bool lf = false;
    std::optional<std::string> cycles;  // the positional CYCLES, as typed
    std::optional<std::string> time, timeUnit, frequency, frequencyUnit;
    std::optional<std::string> profile, settings, language, countFile;
    std::optional<std::string> syntax;      // "classic" or "current": overrides the profile's
    std::optional<std::string> subroutine;  // the label of the delay written as a subroutine
};

struct CliParse {
    CliOptions options;
    std::string error;  // empty when the command line is usable
};

CliParse ParseCliOptions(const std::vector<std::string>& args);

extern const char* const kCliHelp;
