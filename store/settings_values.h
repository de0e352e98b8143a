// The values of the settings group "Window", as stored in the file: seven always; the
// language's file name once a language is chosen; the delay's form and routine name once a
// form other than the block has been chosen; the declarations once asked for.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "store/key_value_text.h"

class KeyValueFile;

inline constexpr const char* kSettingsFileName = "Loopsmith.ini";
inline constexpr std::string_view kSettingsGroup = kv::kOwnGroup;

struct SettingsValues {
    std::int32_t CalcState = 1;
    std::int32_t Time = 0;
    std::int32_t OscillatorType = 0;
    double Oscillator = 4.0;
    std::int32_t WdtState = 0;
    std::int32_t NumberProf = 0;
    std::int32_t Language = -1;         // -1: the default language
    std::string LanguageFile;           // the chosen language's file name; wins over the position
    std::int32_t DelayForm = 0;         // 0 block, 1 subroutine, 2 W-times subroutine
    std::string RoutineName = "Delay";  // a usable name until the user types another
    std::int32_t Declare = 0;           // 1: the registers' declarations before the code
};

// Whether `key`, letter case aside, is one of the settings of the group "Window".
bool IsSettingsKey(std::string_view key);

// Reads the group "Window" of an open file as stored, each missing key taking its default.
SettingsValues ReadSettingsGroup(KeyValueFile& file);
// Selects the group "Window" and writes the seven keys in their fixed order, then DelayForm and
// RoutineName when the form is not the block or the file holds them already, and Declare when
// set or held already: a file that never saw those options keeps its bytes.
void WriteSettingsGroup(KeyValueFile& file, const SettingsValues& values);
