// The seven settings of the group "Window" of Loopsmith.ini: loaded into the gadgets at start,
// saved from them at close.
#pragma once

#include "store/settings_values.h"
#include "ui/gadgets.h"

struct AppState;

void LoadSettings(AppState& app);
void SaveSettings(AppState& app);
// Writes the whole settings file anew from the window: its settings, then every profile.
// False when the file could not be written; it is then left as it was.
bool SaveAll(AppState& app);
// The values the window holds now.
SettingsValues SettingsFromGadgets(const ui::Gadgets& gadgets);
