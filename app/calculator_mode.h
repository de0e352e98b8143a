#pragma once

struct AppState;

// On: the calculator's gadgets usable and the cycle field read-only; off: the reverse.
void SetCalculatorMode(AppState& app, bool on);
