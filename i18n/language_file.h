// Reading the texts of one language file (or the built-in texts) without touching the window.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "i18n/message_texts.h"

class KeyValueFile;

struct LanguageTexts {
    std::vector<std::string> ui;  // one per entry of UiTextTable
    MessageTexts messages;
};

// The texts of an open language file, every missing key taking its built-in text; with no
// file, the built-in texts.
LanguageTexts ReadLanguageTexts(KeyValueFile* file);

// The texts of a language file, read once and read-only; nothing when it cannot be read.
std::optional<LanguageTexts> ReadLanguageFile(const std::filesystem::path& languageFile);

// The language file of a language name in the folder: "<name>.lng", or the file whose
// extension differs only in letter case (the list shows such files too).
std::filesystem::path LanguageFilePath(const std::filesystem::path& folder,
                                       const std::string& name);

// The language names of a folder's "*.lng" files (extension in any letter case), sorted so
// that a stored position names the same language at every start.
std::vector<std::string> FindLanguageNames(const std::filesystem::path& folder);
// The same over several folders, each name once: a name in an earlier folder hides the later.
std::vector<std::string> FindLanguageNames(const std::vector<std::filesystem::path>& folders);
// The file of a name in the first folder that has it; else as in the first folder.
std::filesystem::path LanguageFilePath(const std::vector<std::filesystem::path>& folders,
                                       const std::string& name);

// The file name stored for a language name, so that a new file added to the folder (which
// moves the others in the sorted list) does not change the language chosen.
std::string LanguageFileName(const std::string& name);

// The position of the language to use: that of the stored file name if it is listed, else the
// stored position if it names an item, else the first item called `systemLanguage` (the
// user's, see system_language.h), else the first called "russian", both in any ASCII letter
// case, else -1 (the built-in texts).
int ResolveLanguagePosition(const std::vector<std::string>& names, int stored,
                            const std::string& storedFile = "",
                            std::string_view systemLanguage = {});

// The missing-language-file message: names the file (without its folder) twice.
std::string MissingLanguageFileText(const std::filesystem::path& path);
inline constexpr const char* kMissingLanguageFileTitle = "Ошибка";
