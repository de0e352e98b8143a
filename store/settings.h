// The seven settings of the group "Window" of Loopsmith.ini: loaded into the gadgets at start,
// saved from them at close.
#pragma once

struct AppState;

void LoadSettings(AppState& app);
void SaveSettings(AppState& app);
