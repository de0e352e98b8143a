#include "store/profile_store.h"

#include <string>

#include "base/utf8.h"
#include "store/key_value_file.h"
#include "store/key_value_text.h"
#include "store/settings_values.h"

namespace {

constexpr const char* kSyntaxKey = "Syntax";

std::string RegKey(int n) {
    return "Reg" + std::to_string(n);
}
std::string RegTypeKey(int n) {
    return "RegType" + std::to_string(n);
}

Profile ReadProfileGroup(const KeyValueFile& file, std::string name) {
    Profile p;
    p.Name = std::move(name);
    for (int n = 1; n <= 8; ++n)
        p.Reg[n - 1] = file.ReadText(RegKey(n), "Reg_" + std::to_string(n));
    p.Label = file.ReadText("Label", "MP");
    p.TypePIC = file.ReadInteger("TypePIC", 0) & 1;
    for (int n = 1; n <= 8; ++n)
        p.RegType[n - 1] = file.ReadInteger(RegTypeKey(n), 0) & 1;
    // Only the value this program writes means the current assembler; anything else, or a
    // file from before the key existed, is classic.
    p.Syntax = file.ReadText(kSyntaxKey, "") == "1" ? kSyntaxCurrent : kSyntaxClassic;
    return p;
}

void WriteProfileGroup(KeyValueFile& file, const Profile& p) {
    file.SelectGroup(p.Name);
    for (int n = 1; n <= 8; ++n)
        file.WriteText(RegKey(n), p.Reg[n - 1]);
    file.WriteText("Label", p.Label);
    file.WriteInteger("TypePIC", p.TypePIC);
    for (int n = 1; n <= 8; ++n)
        file.WriteInteger(RegTypeKey(n), p.RegType[n - 1]);
    // Classic profiles keep the 19 lines they always had, byte for byte.
    if (p.Syntax == kSyntaxCurrent)
        file.WriteInteger(kSyntaxKey, 1);
}

}  // namespace

ProfileList ReadProfiles(KeyValueFile& file, bool opened) {
    ProfileList list;
    if (opened && file.FirstGroup()) {
        while (file.NextGroup()) {
            const std::string name = file.CurrentGroupName();
            if (name.empty() || name == kSettingsGroup)
                continue;
            // The name becomes an item text of the window: never invalid UTF-8.
            list.push_back(ReadProfileGroup(file, base::SanitizeUtf8(name)));
        }
    }
    if (list.empty())
        AddDefaultProfiles(list);
    return list;
}

bool WriteSettingsFile(const std::filesystem::path& path, const SettingsValues& settings,
                       const ProfileList& profiles) {
    KeyValueFile file;
    if (!file.CreateKeyValueFile(path))
        return false;
    WriteSettingsGroup(file, settings);
    for (const Profile& p : profiles)
        WriteProfileGroup(file, p);
    return file.CloseKeyValueFile();
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
