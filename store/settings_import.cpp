#include "store/settings_import.h"

#include <string>

#include "store/key_value_text.h"
#include "store/profile_store.h"
#include "store/settings_values.h"
#include "store/text_encoding.h"

SettingsFileSurvey SurveySettingsFile(std::string_view bytes) {
    SettingsFileSurvey survey;
    const std::optional<std::string> text = kv::DecodeFileText(std::string(bytes));
    if (!text || !kv::WithinEntryLimits(*text))
        return survey;
    survey.readable = true;
    enum class Group { None, Settings, Profile } group = Group::None;
    kv::ForEachEntry(*text, [&](const kv::EntryView& e) {
        if (e.kind == kv::EntryKind::Group) {
            // As the profile list reads groups: "Window" exactly is the settings, a nameless
            // one is nothing.
            group = e.name == kSettingsGroup ? Group::Settings
                    : e.name.empty()         ? Group::None
                                             : Group::Profile;
            survey.profiles += group == Group::Profile ? 1 : 0;
        } else if (e.kind == kv::EntryKind::Key) {
            survey.settings =
                survey.settings || (group == Group::Settings && IsSettingsKey(e.name));
            survey.profileKeys =
                survey.profileKeys || (group == Group::Profile && IsProfileKey(e.name));
        }
    });
    return survey;
}
