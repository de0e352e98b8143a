// Profiles in the settings file: one group per profile beside the settings group "Window".
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "store/profile.h"
#include "store/settings_values.h"

class KeyValueFile;

// The profiles of an open settings file in file order; the built-in profiles when the file
// was not opened or holds none.
// `breathe`, if given, is called every few thousand groups (a page draws meanwhile).
ProfileList ReadProfiles(KeyValueFile& file, bool opened,
                         const std::function<void()>& breathe = {});

// Writes the settings group and the profiles into the settings file (a new one: the settings
// group, then every profile), changing only the lines of what differs (see SaveProfiles).
// False when the file could not be written; it is then left as it was.
bool WriteSettingsFile(const std::filesystem::path& path, const SettingsValues& settings,
                       const ProfileList& profiles);

// One accepted change of the profile editor, to be applied by name to a list that another
// window may have changed meanwhile.
struct ProfileChange {
    enum class Kind { Add, Change, Delete };
    Kind kind = Kind::Add;
    Profile before;       // Change, Delete: the profile as this window had it
    Profile after;        // Add, Change: the profile as it is now
    std::string follows;  // Add: the name of the profile it was put after ("": the first)
    int position = 0;     // where this window put it (Add) or had it (Change, Delete)
};

// Applies `change` to `profiles` by name (letter case aside, as the file matches groups).
// True when it collided with another change: the profile was changed or deleted meanwhile
// (this change wins), or another profile has taken its name (both are kept: this one gets a
// free name, given in `renamed`).
bool ApplyProfileChange(ProfileList& profiles, const ProfileChange& change,
                        std::string* renamed = nullptr);

// The settings and profiles written into the file as it is now, as WriteSettingsFile does; the
// lines of the profiles that did not change, and every line the program does not own
// (comments, other keys, empty lines), stay as they are. If the file no longer holds what this
// window last read or wrote there (`known`, see KeyValueFile::Stamp), `change` is applied to the
// profiles the file holds now, and those are written, with `NumberProf` the position of the
// profile named `shown`.
struct ProfileSave {
    bool saved = false;
    bool merged = false;    // `profiles` is the list now in the file
    bool collided = false;  // see ApplyProfileChange
    std::string renamed;    // the free name the changed profile took, if it had to
    ProfileList profiles;
    std::optional<std::size_t> stamp;  // of the file as written
};
ProfileSave SaveProfiles(const std::filesystem::path& path, SettingsValues settings,
                         const ProfileList& profiles, std::optional<std::size_t> known,
                         const ProfileChange* change, const std::string& shown);

// Whether `key`, letter case aside, is one a profile's group holds (Reg1..Reg8,
// RegType1..RegType8, Label, TypePIC, Syntax, DataAddress).
bool IsProfileKey(std::string_view key);

// The position of the profile named `name`: exactly so, else letter case aside; -1 if none.
int FindProfile(const ProfileList& profiles, const std::string& name);

// Both halves of a settings file from one read-only open: the stored settings (none when the
// file cannot be read) and the profiles.
struct StoredSettings {
    std::optional<SettingsValues> settings;
    ProfileList profiles;
    bool beyondLimits = false;  // refused for its number of groups or entries
};
StoredSettings ReadStoredSettings(const std::filesystem::path& path);
