// What a file offered as settings (the page's import) holds that the program reads: settings
// in its group "Window", and profile groups. An import takes only that and refuses a file
// with none of it.
#pragma once

#include <string_view>

struct SettingsFileSurvey {
    bool readable = false;     // within the reader's limits, in an encoding it reads
    bool settings = false;     // the group "Window" holds a key of the settings
    int profiles = 0;          // groups the profile list reads as profiles
    bool profileKeys = false;  // one of them holds a key of a profile
    bool Known() const { return settings || profileKeys; }
};

SettingsFileSurvey SurveySettingsFile(std::string_view bytes);
