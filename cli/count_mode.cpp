// --count FILE: the cycles a block of assembler takes, by the built-in interpreter.
#include "cli/block_checks.h"
#include "cli/cli_modes.h"
#include "store/profile.h"

int RunCount(const CliOptions& o) {
    const int syntax = !o.syntax                ? kSyntaxNotGiven
                       : *o.syntax == "current" ? kSyntaxCurrent
                                                : kSyntaxClassic;
    return CountBlockFile(*o.countFile, syntax, o.enteringW ? EnteringW(*o.enteringW) : -1);
}
