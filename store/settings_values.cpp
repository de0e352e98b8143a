#include "store/settings_values.h"

#include <algorithm>
#include <iterator>

#include "base/ascii.h"
#include "store/key_value_file.h"

namespace {

// Every key ReadSettingsGroup reads.
constexpr std::string_view kSettingsKeys[] = {
    "CalcState", "Time",         "OscillatorType", "Oscillator",  "WdtState", "NumberProf",
    "Language",  "LanguageFile", "DelayForm",      "RoutineName", "Declare"};

}  // namespace

bool IsSettingsKey(std::string_view key) {
    return std::any_of(
        std::begin(kSettingsKeys), std::end(kSettingsKeys),
        [key](std::string_view known) { return base::EqualFoldingAscii(key, known); });
}

SettingsValues ReadSettingsGroup(KeyValueFile& file) {
    const SettingsValues d;
    SettingsValues v;
    file.SelectGroupExactly(kSettingsGroup);
    v.CalcState = file.ReadInteger("CalcState", d.CalcState);
    v.Time = file.ReadInteger("Time", d.Time);
    v.OscillatorType = file.ReadInteger("OscillatorType", d.OscillatorType);
    v.Oscillator = file.ReadDouble("Oscillator", d.Oscillator);
    v.WdtState = file.ReadInteger("WdtState", d.WdtState);
    v.NumberProf = file.ReadInteger("NumberProf", d.NumberProf);
    v.Language = file.ReadInteger("Language", d.Language);
    v.LanguageFile = file.ReadText("LanguageFile", d.LanguageFile);
    v.DelayForm = file.ReadInteger("DelayForm", d.DelayForm);
    v.RoutineName = file.ReadText("RoutineName", d.RoutineName);
    v.Declare = file.ReadInteger("Declare", d.Declare);
    return v;
}

void WriteSettingsGroup(KeyValueFile& file, const SettingsValues& v) {
    file.SelectGroupExactly(kSettingsGroup);
    file.WriteInteger("CalcState", v.CalcState);
    file.WriteInteger("Time", v.Time);
    file.WriteInteger("OscillatorType", v.OscillatorType);
    file.WriteDouble("Oscillator", v.Oscillator);
    file.WriteInteger("WdtState", v.WdtState);
    file.WriteInteger("NumberProf", v.NumberProf);
    file.WriteInteger("Language", v.Language);
    if (!v.LanguageFile.empty())
        file.WriteText("LanguageFile", v.LanguageFile);
    constexpr std::string_view kAbsent = "\x01";
    if (v.DelayForm != 0 || file.ReadText("DelayForm", kAbsent) != kAbsent) {
        file.WriteInteger("DelayForm", v.DelayForm);
        file.WriteText("RoutineName", v.RoutineName);
    }
    if (v.Declare != 0 || file.ReadText("Declare", kAbsent) != kAbsent)
        file.WriteInteger("Declare", v.Declare);
}
