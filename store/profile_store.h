// Profiles in the settings file: one group per profile beside the settings group "Window".
#pragma once

#include <filesystem>
#include <optional>

#include "store/profile.h"
#include "store/settings_values.h"

class KeyValueFile;

// The profiles of an open settings file in file order; the built-in profiles when the file
// was not opened or holds none.
ProfileList ReadProfiles(KeyValueFile& file, bool opened);

// Writes the whole settings file anew: the settings group, then every profile.
// False when the file could not be written; it is then left as it was.
bool WriteSettingsFile(const std::filesystem::path& path, const SettingsValues& settings,
                       const ProfileList& profiles);

// The profile list a settings file gives (for tools without a window).
ProfileList LoadProfileListFromFile(const std::filesystem::path& path);

// Both halves of a settings file from one read-only open: the stored settings (none when the
// file cannot be read) and the profiles.
struct StoredSettings {
    std::optional<SettingsValues> settings;
    ProfileList profiles;
    bool beyondLimits = false;  // refused for its number of groups or entries
};
StoredSettings ReadStoredSettings(const std::filesystem::path& path);
