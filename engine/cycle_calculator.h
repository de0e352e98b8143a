// The cycle calculator as the window calls it: reads the time and frequency fields, writes
// the cycle count into the cycle field and solves it. 0 when a message was shown instead.
#pragma once

struct AppState;

int CalculateCycles(AppState& app);
