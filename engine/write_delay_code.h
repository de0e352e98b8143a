// The writer as the solvers call it: takes the profile selected in the profile combo, builds
// the text from the shared loop counts and puts it into the output gadget.
#pragma once

#include <cstdint>

struct AppState;

// 1 when the text was placed; 0 when no profile is selected (the message was shown and the
// output gadget keeps its text).
int WriteDelayCode(AppState& app, int outputGadget, std::int64_t delayCycles, int registerCount,
                   int tailNops, int extraNop, int clearWatchdog, int fromCalculator);
