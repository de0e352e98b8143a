// Profiles in the settings file: one group per profile beside the settings group "Window".
#pragma once

#include <filesystem>

#include "store/profile.h"

struct AppState;
class KeyValueFile;

// The profiles of an open settings file in file order; the built-in profiles when the file
// was not opened or holds none.
ProfileList ReadProfiles(KeyValueFile& file, bool opened);
void LoadProfiles(AppState& app, KeyValueFile& file, bool opened);

// Writes the whole settings file anew: the settings group, then every profile.
// False when the file could not be written; it is then left as it was.
bool SaveAll(AppState& app);

// The profile list a settings file gives (for tools without a window).
ProfileList LoadProfileListFromFile(const std::filesystem::path& path);
