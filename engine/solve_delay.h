// The loop solvers as the window calls them: solve, then write the code into a gadget or
// show the range message. Result 1 when the text was placed, 0 when a message was shown.
#pragma once

#include <cstdint>

struct AppState;

int SolveDelay(AppState& app, int outputGadget, std::int64_t delayCycles, int fromCalculator);
// The variant with one clrwdt after the innermost loop.
int SolveDelayWdt(AppState& app, int outputGadget, std::int64_t delayCycles, int fromCalculator);
