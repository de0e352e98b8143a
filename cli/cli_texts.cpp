#include "cli/cli_texts.h"

#include <system_error>

#include "base/utf8.h"
#include "i18n/system_language.h"
#include "i18n/ui_text_table.h"
#include "store/key_value_text.h"
#include "store/profile_store.h"
#include "store/settings_values.h"

CliSetup ReadCliSettings(const std::filesystem::path& settingsFile) {
    StoredSettings stored = ReadStoredSettings(settingsFile);
    CliSetup setup;
    setup.profiles = std::move(stored.profiles);
    setup.beyondLimits = stored.beyondLimits;
    if (stored.settings) {
        setup.storedLanguage = stored.settings->Language;
        setup.storedLanguageFile = stored.settings->LanguageFile;
    } else {
        std::error_code ec;
        const std::filesystem::file_status status = std::filesystem::status(settingsFile, ec);
        const std::string name = base::PathToUtf8(settingsFile);
        if (!std::filesystem::exists(status))
            setup.unreadable = name + ": no such file";
        else if (!std::filesystem::is_regular_file(status))
            setup.unreadable = name + " is not a regular file";
        else if (stored.beyondLimits)
            setup.unreadable = name + " holds more than " + std::to_string(kv::kMaxGroups) +
                               " groups or " + std::to_string(kv::kMaxEntries) +
                               " lines: not a settings file";
        else
            setup.unreadable = "cannot read " + name;
    }
    setup.texts = ReadLanguageTexts(nullptr);
    return setup;
}

std::optional<std::string> ApplyNamedLanguage(
    CliSetup& setup, const std::vector<std::filesystem::path>& languageFolders,
    const std::string& name) {
    const std::filesystem::path path = LanguageFilePath(languageFolders, name);
    std::optional<LanguageTexts> texts = ReadLanguageFile(path);
    if (!texts)
        return MissingLanguageFileText(path);
    setup.texts = std::move(*texts);
    return std::nullopt;
}

std::optional<std::string> ApplyStoredLanguage(
    CliSetup& setup, const std::vector<std::filesystem::path>& languageFolders) {
    const std::vector<std::string> names = FindLanguageNames(languageFolders);
    const int position = ResolveLanguagePosition(
        names, setup.storedLanguage.value_or(SettingsValues{}.Language), setup.storedLanguageFile,
        LanguageOfLocale(SystemLocaleName()));
    if (position < 0 || names[static_cast<std::size_t>(position)].empty())
        return std::nullopt;
    return ApplyNamedLanguage(setup, languageFolders, names[static_cast<std::size_t>(position)]);
}
