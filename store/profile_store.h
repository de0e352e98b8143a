// Writes the whole settings file anew: the settings group, then every profile.
#pragma once

struct AppState;

// False when the file could not be written; it is then left as it was.
bool SaveAll(AppState& app);
