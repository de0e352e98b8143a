// The command line of loopsmith-cli.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/share_link.h"

struct CliOptions {
    bool help = false;
    bool watchdog = false;
    bool plan = false;
    bool verify = false;
    bool batch = false;
    bool lf = false;
    bool version = false;
    bool declare = false;               // the registers' declarations before the code
    bool link = false;                  // the page's shareable link instead of the code
    std::optional<std::string> cycles;  // the positional CYCLES, as typed
    std::optional<std::string> time, timeUnit, frequency, frequencyUnit;
    std::optional<std::string> profile, settings, language, countFile;
    std::optional<std::string> syntax;      // "classic" or "current": overrides the profile's
    std::optional<std::string> subroutine;  // the label of the delay written as a subroutine
    std::optional<std::string> wTimes;      // the label of the W-times subroutine
    std::optional<std::string> enteringW;   // --count: W as the routine is entered, as typed
    std::optional<std::string> fromLink;    // a shareable link: the whole request
    // The link read; a link that cannot be read is worded in the chosen language by the caller.
    std::optional<ShareLinkRead> linkRead;
};

struct CliParse {
    CliOptions options;
    std::string error;  // empty when the command line is usable
};

// The value of --w: 0..255 in decimal digits, or -1.
int EnteringW(const std::string& text);

CliParse ParseCliOptions(const std::vector<std::string>& args);

extern const char* const kCliHelp;
