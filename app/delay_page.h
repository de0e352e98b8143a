// The delay page's operations as the window calls them: read the fields, ask the core for the
// answer, show it. Each returns 1 when code was placed, 0 when a message was shown instead.
#pragma once

#include <cstdint>
#include <optional>

#include "engine/delay_answer.h"
#include "store/profile.h"
#include "ui/gadgets.h"

struct AppState;

// What the page's fields ask for: the calculator's lines, the form and the routine's name.
CalculatorLines CalculatorFields(const ui::Gadgets& g);
// The profile of the profile combo as the code is written for it (an opened link's syntax
// over its own); none when no profile is selected.
std::optional<Profile> SelectedProfile(const AppState& app);
DelayRoutine SelectedRoutine(const ui::Gadgets& g);

// The calculate button: from the calculator or from the typed cycle count.
void CalculationRequest(AppState& app);

// The name field serves the two subroutine forms only.
void ApplyDelayForm(AppState& app);

// The calculator: the time and frequency fields become the cycle count, which is solved.
int CalculateCycles(AppState& app);
// A typed count: its code in the output box.
int SolveDelay(AppState& app, std::int64_t delayCycles);
// The variant with one clrwdt after the innermost loop.
int SolveDelayWdt(AppState& app, std::int64_t delayCycles);
// Puts the answer's code into the output box, or shows its message (the box keeps its text).
int WriteDelayCode(AppState& app, const DelayAnswer& answer);
