#include "store/settings_import.h"

#include <array>
#include <string>

#include "base/ascii.h"
#include "store/key_value_text.h"
#include "store/settings_values.h"
#include "store/text_encoding.h"

namespace {

constexpr std::array<std::string_view, 11> kSettingsKeys = {
    "CalcState", "Time",         "OscillatorType", "Oscillator",  "WdtState", "NumberProf",
    "Language",  "LanguageFile", "DelayForm",      "RoutineName", "Declare"};

bool IsSettingsKey(std::string_view key) {
    for (std::string_view known : kSettingsKeys) {
        if (base::EqualFoldingAscii(key, known))
            return true;
    }
    return false;
}

// Reg1..Reg8, RegType1..RegType8, Label, TypePIC, Syntax, DataAddress.
bool IsProfileKey(std::string_view key) {
    const std::string k = base::FoldedAscii(key);
    const auto numbered = [&k](std::string_view stem) {
        return k.size() == stem.size() + 1 && k.compare(0, stem.size(), stem) == 0 &&
               k.back() >= '1' && k.back() <= '8';
    };
    return numbered("reg") || numbered("regtype") || k == "label" || k == "typepic" ||
           k == "syntax" || k == "dataaddress";
}

}  // namespace

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
