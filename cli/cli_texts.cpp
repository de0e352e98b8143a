#include "cli/cli_texts.h"

#include "i18n/ui_text_table.h"
#include "store/profile_store.h"
#include "store/settings_values.h"

CliSetup ReadCliSettings(const std::filesystem::path& settingsFile) {
    StoredSettings stored = ReadStoredSettings(settingsFile);
    CliSetup setup;
    setup.profiles = std::move(stored.profiles);
    if (stored.settings)
        setup.storedLanguage = stored.settings->Language;
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
    const int position =
        ResolveLanguagePosition(names, setup.storedLanguage.value_or(SettingsValues{}.Language));
    if (position < 0 || names[static_cast<std::size_t>(position)].empty())
        return std::nullopt;
    return ApplyNamedLanguage(setup, languageFolders, names[static_cast<std::size_t>(position)]);
}
