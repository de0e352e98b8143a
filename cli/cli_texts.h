// What loopsmith-cli reads before it answers: the profiles of a settings file and the texts
// of a language, found the way the window finds them. Never writes a file.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "i18n/language_file.h"
#include "store/profile.h"

struct CliSetup {
    // Why the settings file could not be read (missing, not a regular file ...); empty when
    // it was read.
    std::string unreadable;
    bool beyondLimits = false;
    ProfileList profiles;
    std::optional<int> storedLanguage;  // the settings file's language position
    std::string storedLanguageFile;     // and its language file name, which wins
    LanguageTexts texts;
};

// Profiles (the built-in ones when the file holds none) and the stored language, from one
// read-only open.
CliSetup ReadCliSettings(const std::filesystem::path& settingsFile);

// The texts of the named language of the Language folder; the message the window would show
// when that file cannot be read.
std::optional<std::string> ApplyNamedLanguage(
    CliSetup& setup, const std::vector<std::filesystem::path>& languageFolders,
    const std::string& name);
// The language the window would start with: the stored file name or position in the folder's
// list, else the file of the user's language, else the "russian" file, else the built-in texts.
// The message when the file cannot be read (the built-in texts stay, as in the window).
std::optional<std::string> ApplyStoredLanguage(
    CliSetup& setup, const std::vector<std::filesystem::path>& languageFolders);
