#include "store/profile_store.h"

#include <algorithm>
#include <functional>
#include <string>

#include "base/ascii.h"
#include "base/utf8.h"
#include "store/key_value_document.h"
#include "store/key_value_file.h"
#include "store/key_value_text.h"
#include "store/settings_values.h"

namespace {

constexpr const char* kSyntaxKey = "Syntax";
constexpr const char* kDataAddressKey = "DataAddress";

std::string RegKey(int n) {
    return "Reg" + std::to_string(n);
}
std::string RegTypeKey(int n) {
    return "RegType" + std::to_string(n);
}

template <class Reader>
Profile ReadProfileGroup(const Reader& file, std::string name) {
    // Made once: a file may hold 30,000 profiles.
    static constexpr std::string_view kRegKeys[] = {"Reg1", "Reg2", "Reg3", "Reg4",
                                                    "Reg5", "Reg6", "Reg7", "Reg8"};
    static constexpr std::string_view kRegDefaults[] = {"Reg_1", "Reg_2", "Reg_3", "Reg_4",
                                                        "Reg_5", "Reg_6", "Reg_7", "Reg_8"};
    static constexpr std::string_view kRegTypeKeys[] = {"RegType1", "RegType2", "RegType3",
                                                        "RegType4", "RegType5", "RegType6",
                                                        "RegType7", "RegType8"};
    Profile p;
    p.Name = std::move(name);
    for (int n = 0; n < 8; ++n)
        p.Reg[n] = file.ReadText(kRegKeys[n], kRegDefaults[n]);
    p.Label = file.ReadText("Label", "MP");
    p.TypePIC = file.ReadInteger("TypePIC", 0) & 1;
    for (int n = 0; n < 8; ++n)
        p.RegType[n] = file.ReadInteger(kRegTypeKeys[n], 0) & 1;
    // Only the value this program writes means the current assembler; anything else, or a
    // file from before the key existed, is classic.
    p.Syntax = file.ReadText(kSyntaxKey, "") == "1" ? kSyntaxCurrent : kSyntaxClassic;
    p.DataAddress = file.ReadText(kDataAddressKey, "");
    return p;
}

// Always a group of its own: profiles whose names differ only in letter case (or a hand-made
// "[window]") must not write into one another's group.
void WriteProfileGroup(KeyValueFile& file, const Profile& p) {
    file.AppendGroup(p.Name);
    for (int n = 1; n <= 8; ++n)
        file.WriteText(RegKey(n), p.Reg[n - 1]);
    file.WriteText("Label", p.Label);
    file.WriteInteger("TypePIC", p.TypePIC);
    for (int n = 1; n <= 8; ++n)
        file.WriteInteger(RegTypeKey(n), p.RegType[n - 1]);
    // Classic profiles keep the 19 lines they always had, byte for byte.
    if (p.Syntax == kSyntaxCurrent)
        file.WriteInteger(kSyntaxKey, 1);
    if (!p.DataAddress.empty())
        file.WriteText(kDataAddressKey, p.DataAddress);
}

// The walk over groups, for an open file and for a document parsed from bytes alike.
template <class Reader>
void ReadProfileGroups(Reader& file, ProfileList& list, const std::function<void()>& breathe = {}) {
    for (std::size_t walked = 1; file.NextGroup(); ++walked) {
        if (breathe && walked % 4096 == 0)
            breathe();
        const std::string name = file.CurrentGroupName();
        if (name.empty() || name == kSettingsGroup)
            continue;
        // The name becomes an item text of the window: never invalid UTF-8.
        list.push_back(ReadProfileGroup(file, base::SanitizeUtf8(name)));
    }
}

}  // namespace

ProfileList ReadProfiles(KeyValueFile& file, bool opened, const std::function<void()>& breathe) {
    ProfileList list;
    if (opened && file.FirstGroup())
        ReadProfileGroups(file, list, breathe);
    if (list.empty())
        AddDefaultProfiles(list);
    return list;
}

namespace {

ProfileList ParseProfiles(std::string_view bytes) {
    kv::KeyValueDocument document(kv::ParseKeyValueText(bytes));
    document.FirstGroup();
    ProfileList list;
    ReadProfileGroups(document, list);
    if (list.empty())
        AddDefaultProfiles(list);
    return list;
}

void WriteWhole(KeyValueFile& file, const SettingsValues& settings, const ProfileList& profiles) {
    WriteSettingsGroup(file, settings);
    for (const Profile& p : profiles)
        WriteProfileGroup(file, p);
}

}  // namespace

int FindProfile(const ProfileList& profiles, const std::string& name) {
    int folded = -1;
    for (std::size_t i = 0; i < profiles.size(); ++i) {
        if (profiles[i].Name == name)
            return static_cast<int>(i);
        if (folded < 0 && base::EqualFoldingAscii(profiles[i].Name, name))
            folded = static_cast<int>(i);
    }
    return folded;
}

namespace {

// `name`, or with " (2)", " (3)" ... added: the first that no profile but the one at `own`
// bears, letter case aside.
std::string FreeProfileName(const ProfileList& profiles, const std::string& name, int own) {
    std::string candidate = name;
    for (int n = 2;; ++n) {
        bool taken = false;
        for (std::size_t i = 0; i < profiles.size() && !taken; ++i)
            taken =
                static_cast<int>(i) != own && base::EqualFoldingAscii(profiles[i].Name, candidate);
        if (!taken)
            return candidate;
        candidate = name + " (" + std::to_string(n) + ")";
    }
}

}  // namespace

bool ApplyProfileChange(ProfileList& profiles, const ProfileChange& change, std::string* renamed) {
    const auto clamped = [&](int position) {
        return profiles.begin() + std::clamp(position, 0, static_cast<int>(profiles.size()));
    };
    // A name another window has given a profile meanwhile stays that profile's; this one
    // takes a free name, and both are kept.
    const auto keepApart = [&](Profile& ours, int own) {
        const std::string free = FreeProfileName(profiles, ours.Name, own);
        if (free == ours.Name)
            return false;
        ours.Name = free;
        if (renamed)
            *renamed = free;
        return true;
    };
    if (change.kind == ProfileChange::Kind::Add) {
        Profile added = change.after;
        const bool collided = keepApart(added, -1);
        const int follows = change.follows.empty() ? -1 : FindProfile(profiles, change.follows);
        profiles.insert(follows >= 0 ? profiles.begin() + follows + 1 : clamped(change.position),
                        added);
        return collided;
    }
    const int at = FindProfile(profiles, change.before.Name);
    if (change.kind == ProfileChange::Kind::Delete) {
        if (at < 0)
            return false;  // deleted there as well
        const bool collided = profiles[at] != change.before;
        profiles.erase(profiles.begin() + at);
        return collided;
    }
    bool collided = at < 0 || profiles[at] != change.before;
    int place = at;
    if (at < 0) {
        place = static_cast<int>(clamped(change.position) - profiles.begin());
        profiles.insert(profiles.begin() + place, change.after);
    } else {
        profiles[at] = change.after;
    }
    collided = keepApart(profiles[static_cast<std::size_t>(place)], place) || collided;
    return collided;
}

ProfileSave SaveProfiles(const std::filesystem::path& path, SettingsValues settings,
                         const ProfileList& profiles, std::optional<std::size_t> known,
                         const ProfileChange* change, const std::string& shown) {
    ProfileSave result;
    KeyValueFile file;
    if (!file.CreateKeyValueFile(path))
        return result;
    // Read under the writers' lock that the open holds, so that two windows saving at once
    // take turns and neither writes over what the other has just written.
    const std::optional<std::string> now = file.ReadHeldFile();
    if (known && now && file.Stamp() != known && change) {
        result.profiles = ParseProfiles(*now);
        result.collided = ApplyProfileChange(result.profiles, *change, &result.renamed);
        result.merged = true;
        const int position = FindProfile(result.profiles, shown);
        if (position >= 0)
            settings.NumberProf = position;
    }
    WriteWhole(file, settings, result.merged ? result.profiles : profiles);
    result.saved = file.CloseKeyValueFile();
    result.stamp = file.Stamp();
    return result;
}

bool WriteSettingsFile(const std::filesystem::path& path, const SettingsValues& settings,
                       const ProfileList& profiles) {
    return SaveProfiles(path, settings, profiles, std::nullopt, nullptr, "").saved;
}

ProfileList LoadProfileListFromFile(const std::filesystem::path& path) {
    KeyValueFile file;
    const bool opened = file.OpenKeyValueFileForReading(path);
    return ReadProfiles(file, opened);
}

StoredSettings ReadStoredSettings(const std::filesystem::path& path) {
    KeyValueFile file;
    const bool opened = file.OpenKeyValueFileForReading(path);
    StoredSettings stored;
    stored.profiles = ReadProfiles(file, opened);
    if (opened)
        stored.settings = ReadSettingsGroup(file);
    stored.beyondLimits = file.BeyondLimits();
    return stored;
}
