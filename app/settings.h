// The eleven settings of the group "Window" of Loopsmith.ini (the seven keys every file holds,
// the language's file name, the delay's form, the routine's name and the declarations): loaded
// into the gadgets at start, saved from them at close.
#pragma once

#include <string>

#include "store/profile_store.h"
#include "store/settings_values.h"
#include "ui/gadgets.h"

struct AppState;

void LoadSettings(AppState& app);
void SaveSettings(AppState& app);
// Writes the whole settings file anew from the window: its settings, then every profile.
// False when the file could not be written; it is then left as it was. When another window
// has changed the file since this one last read or wrote it, `change` (the editor's one
// change) is applied to the profiles the file holds instead, and the window shows those,
// with a message when the two windows' changes collided.
bool SaveAll(AppState& app, const ProfileChange* change = nullptr);
// The name of the profile the combo shows; "" when none.
std::string ShownProfileName(const ui::Gadgets& gadgets);
// The values the window holds now.
SettingsValues SettingsFromGadgets(const ui::Gadgets& gadgets);
