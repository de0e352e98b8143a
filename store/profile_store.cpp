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
// Made once: a file may hold 30,000 profiles.
constexpr std::string_view kRegKeys[] = {"Reg1", "Reg2", "Reg3", "Reg4",
                                         "Reg5", "Reg6", "Reg7", "Reg8"};
constexpr std::string_view kRegDefaults[] = {"Reg_1", "Reg_2", "Reg_3", "Reg_4",
                                             "Reg_5", "Reg_6", "Reg_7", "Reg_8"};
constexpr std::string_view kRegTypeKeys[] = {"RegType1", "RegType2", "RegType3", "RegType4",
                                             "RegType5", "RegType6", "RegType7", "RegType8"};
constexpr std::string_view kOtherKeys[] = {"Label", "TypePIC", kSyntaxKey, kDataAddressKey};

template <class Reader>
Profile ReadProfileGroup(const Reader& file, std::string name) {
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

// The keys in their fixed order. Classic profiles keep the 19 lines they always had, byte for
// byte; a key the profile no longer needs goes.
template <class Writer>
void WriteProfileKeys(Writer& file, const Profile& p) {
    for (int n = 0; n < 8; ++n)
        file.WriteText(kRegKeys[n], p.Reg[n]);
    file.WriteText("Label", p.Label);
    file.WriteInteger("TypePIC", p.TypePIC);
    for (int n = 0; n < 8; ++n)
        file.WriteInteger(kRegTypeKeys[n], p.RegType[n]);
    if (p.Syntax == kSyntaxCurrent)
        file.WriteInteger(kSyntaxKey, 1);
    else if (file.ReadText(kSyntaxKey, "") == "1")
        file.RemoveKey(kSyntaxKey);
    if (!p.DataAddress.empty())
        file.WriteText(kDataAddressKey, p.DataAddress);
    else if (!file.ReadText(kDataAddressKey, "").empty())
        file.RemoveKey(kDataAddressKey);
}

bool IsProfileGroup(const std::string& name) {
    return !name.empty() && name != kSettingsGroup;
}

// The walk over groups, for an open file and for a document parsed from bytes alike.
template <class Reader>
void ReadProfileGroups(Reader& file, ProfileList& list, const std::function<void()>& breathe = {}) {
    for (std::size_t walked = 1; file.NextGroup(); ++walked) {
        if (breathe && walked % 4096 == 0)
            breathe();
        const std::string name = file.CurrentGroupName();
        if (!IsProfileGroup(name))
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

// A profile's group as a fresh file has it.
std::vector<kv::Entry> NewProfileGroup(const Profile& p) {
    kv::KeyValueDocument group;
    group.AppendGroup(p.Name);
    WriteProfileKeys(group, p);
    return std::move(group.Entries());
}

// Brings the profile groups of `doc` to `profiles`, touching only the groups of profiles that
// differ: those of the unchanged profiles at either end stay line for line; the ones between
// are changed in place (renamed, their keys written), and what is left over of them is removed,
// or new groups are inserted where the list has them. Groups are taken by place, never by name,
// so that names that differ only in letter case (or not at all) stay apart. The comments right
// above a group line go with that group.
void WriteProfileGroups(kv::KeyValueDocument& doc, const ProfileList& profiles) {
    constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    std::vector<std::size_t> lines;    // every group line
    std::vector<std::size_t> profile;  // per group line: its place among the old profiles
    ProfileList old;
    doc.FirstGroup();
    while (doc.NextGroup()) {
        const std::string name = doc.CurrentGroupName();
        lines.push_back(doc.CurrentGroupLine());
        profile.push_back(IsProfileGroup(name) ? old.size() : kNone);
        if (IsProfileGroup(name))
            old.push_back(ReadProfileGroup(doc, base::SanitizeUtf8(name)));
    }
    const std::size_t m = old.size(), n = profiles.size();
    std::size_t head = 0, tail = 0;
    while (head < m && head < n && old[head] == profiles[head])
        ++head;
    while (tail < m - head && tail < n - head && old[m - 1 - tail] == profiles[n - 1 - tail])
        ++tail;
    const std::size_t pairs = std::min(m - head - tail, n - head - tail);
    const std::size_t before = tail > 0 ? m - tail : kNone;  // new groups go before this one,
    const std::size_t after = tail == 0 && head + pairs > 0 ? head + pairs - 1 : kNone;  // or here

    std::vector<kv::Entry>& entries = doc.Entries();
    const auto blockStart = [&](std::size_t line) {
        while (line > 0 && entries[line - 1].kind == kv::EntryKind::Comment)
            --line;
        return line;
    };
    std::vector<kv::Entry> out;
    out.reserve(entries.size() + (n - head - tail - pairs) * 19);
    const auto keep = [&](std::size_t from, std::size_t to) {
        out.insert(out.end(), std::make_move_iterator(entries.begin() + from),
                   std::make_move_iterator(entries.begin() + to));
    };
    const auto insertNew = [&](std::size_t blanks) {
        for (std::size_t j = head + pairs; j < n - tail; ++j) {
            std::vector<kv::Entry> group = NewProfileGroup(profiles[j]);
            group.front().blanksBefore = blanks;
            out.insert(out.end(), std::make_move_iterator(group.begin()),
                       std::make_move_iterator(group.end()));
        }
    };
    keep(0, lines.empty() ? entries.size() : blockStart(lines[0]));
    for (std::size_t g = 0; g < lines.size(); ++g) {
        const std::size_t from = blockStart(lines[g]);
        const std::size_t to = g + 1 < lines.size() ? blockStart(lines[g + 1]) : entries.size();
        const std::size_t i = profile[g];
        if (i != kNone && i == before)
            insertNew(entries[from].blanksBefore);
        if (i == kNone || i < head || i >= m - tail) {
            keep(from, to);
        } else if (i < head + pairs) {
            kv::ParsedText part;
            part.entries.assign(std::make_move_iterator(entries.begin() + from),
                                std::make_move_iterator(entries.begin() + to));
            kv::KeyValueDocument group(std::move(part));
            group.SelectGroupLine(lines[g] - from);
            group.RenameCurrentGroup(profiles[i].Name);
            group.InsertKeysInWriteOrder();
            WriteProfileKeys(group, profiles[i]);
            std::vector<kv::Entry>& changed = group.Entries();
            out.insert(out.end(), std::make_move_iterator(changed.begin()),
                       std::make_move_iterator(changed.end()));
        }
        if (i != kNone && i == after)
            insertNew(entries[from].blanksBefore);
    }
    if (before == kNone && after == kNone)
        insertNew(0);
    entries = std::move(out);
}

}  // namespace

bool IsProfileKey(std::string_view key) {
    const auto named = [key](std::string_view known) {
        return base::EqualFoldingAscii(key, known);
    };
    return std::any_of(std::begin(kRegKeys), std::end(kRegKeys), named) ||
           std::any_of(std::begin(kRegTypeKeys), std::end(kRegTypeKeys), named) ||
           std::any_of(std::begin(kOtherKeys), std::end(kOtherKeys), named);
}

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
// bears, letter case aside (exactly, for a profile that keeps the name it had: its twin in
// another letter case is no new clash).
std::string FreeProfileName(const ProfileList& profiles, const std::string& name, int own,
                            bool exactly) {
    std::string candidate = name;
    for (int n = 2;; ++n) {
        bool taken = false;
        for (std::size_t i = 0; i < profiles.size() && !taken; ++i)
            taken = static_cast<int>(i) != own &&
                    (exactly ? profiles[i].Name == candidate
                             : base::EqualFoldingAscii(profiles[i].Name, candidate));
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
        const bool kept = change.kind == ProfileChange::Kind::Change &&
                          base::EqualFoldingAscii(ours.Name, change.before.Name);
        const std::string free = FreeProfileName(profiles, ours.Name, own, kept);
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
    // The file's own lines stay: the settings and the profiles are written into what it holds.
    kv::KeyValueDocument* document = file.Document();
    if (now && !now->empty())
        *document = kv::KeyValueDocument(kv::ParseKeyValueText(*now));
    WriteSettingsGroup(file, settings);
    WriteProfileGroups(*document, result.merged ? result.profiles : profiles);
    result.saved = file.CloseKeyValueFile();
    result.stamp = file.Stamp();
    return result;
}

bool WriteSettingsFile(const std::filesystem::path& path, const SettingsValues& settings,
                       const ProfileList& profiles) {
    return SaveProfiles(path, settings, profiles, std::nullopt, nullptr, "").saved;
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
