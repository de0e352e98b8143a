#include "app/language.h"

#include <optional>

#include "app/app_state.h"
#include "app/gadget_ids.h"
#include "app/ui_text_places.h"
#include "i18n/language_file.h"

void ListLanguages(AppState& app) {
    ui::Gadgets& g = app.gadgets;
    g.ClearItems(gadget::kLanguageCombo);
    const std::vector<std::string> names = FindLanguageNames(app.files.languageFolders);
    for (const std::string& name : names)
        g.AddItem(gadget::kLanguageCombo, name);
    if (names.empty()) {
        g.SetEnabled(gadget::kLanguageLabel, false);
        g.SetEnabled(gadget::kLanguageCombo, false);
    }
}

int ResolveLanguageIndex(AppState& app, int stored, const std::string& storedFile) {
    const int count = app.gadgets.ItemCount(gadget::kLanguageCombo);
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        names.push_back(app.gadgets.ItemText(gadget::kLanguageCombo, i));
    }
    return ResolveLanguagePosition(names, stored, storedFile, app.systemLanguage);
}

void LoadSelectedLanguage(AppState& app) {
    const ui::Gadgets& g = app.gadgets;
    const int selected = g.State(gadget::kLanguageCombo);
    const int count = g.ItemCount(gadget::kLanguageCombo);
    std::filesystem::path path;
    if (selected >= 0 && selected < count) {
        const std::string name = g.ItemText(gadget::kLanguageCombo, selected);
        if (!name.empty())
            path = LanguageFilePath(app.files.languageFolders, name);
    }
    ApplyLanguage(app, path);
}

void ApplyLanguage(AppState& app, const std::filesystem::path& path) {
    std::optional<LanguageTexts> texts = ReadLanguageTexts(nullptr);
    if (!path.empty()) {
        texts = ReadLanguageFile(path);
        if (!texts) {
            app.gadgets.ShowMessage(kMissingLanguageFileTitle, MissingLanguageFileText(path),
                                    ui::MessageIcon::Error, ui::MessageButtons::Ok);
            return;
        }
    }
    ApplyUiTexts(app.gadgets, texts->ui);
    app.messages = texts->messages;
    app.editorTitle = app.messages[Msg::Editor_data_base];
    ApplyMessageButtonTexts(app);
}

void ApplyMessageButtonTexts(AppState& app) {
    app.gadgets.SetMessageButtonTexts(app.messages[Msg::Button_Yes], app.messages[Msg::Button_No],
                                      app.messages[Msg::Button_OK]);
}
