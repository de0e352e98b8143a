#include "programs/web/settings_transfer.h"

#include <filesystem>
#include <optional>
#include <string>

#include "app/app_state.h"
#include "app/gadget_ids.h"
#include "app/settings.h"
#include "app/startup.h"
#include "i18n/language_file.h"
#include "programs/web/browser_files.h"
#include "store/file_platform.h"
#include "store/key_value_file.h"
#include "store/settings_import.h"
#include "store/settings_values.h"
#include "ui/web/web_gadgets.h"

using namespace gadget;

namespace {

void Tell(AppState& app, const std::string& text) {
    app.gadgets.ShowMessage(app.editorTitle, text, ui::MessageIcon::Error, ui::MessageButtons::Ok);
}

// The file takes the place of the settings file with what the page keeps added: without
// settings of its own it gets the page's, and without profiles the page's file takes only its
// settings. False when the file could not be written.
bool ReplaceSettings(AppState& app, const std::string& bytes, const SettingsFileSurvey& survey) {
    SaveSettings(app);  // the window's state, kept where the file has none
    app.Breathe();
    const std::filesystem::path path = app.SettingsPath();
    KeyValueFile kept;
    if (survey.profiles == 0 && kept.OpenKeyValueFile(path)) {
        KeyValueFile picked;
        if (!picked.OpenKeyValueFileForReading(kPickedFile))
            return false;
        SettingsValues v = ReadSettingsGroup(picked);
        // The position alone names the language the file chose; a stored name would win over it.
        const ui::Gadgets& g = app.gadgets;
        if (v.LanguageFile.empty() && v.Language >= 0 && v.Language < g.ItemCount(kLanguageCombo))
            v.LanguageFile = LanguageFileName(g.ItemText(kLanguageCombo, v.Language));
        WriteSettingsGroup(kept, v);
        return kept.CloseKeyValueFile();
    }
    if (survey.settings)
        return fileio::ReplaceFileContent(path, bytes);
    SettingsValues v = SettingsFromGadgets(app.gadgets);
    v.NumberProf = 0;  // the file's first profile
    KeyValueFile merged;
    if (!merged.OpenKeyValueFile(kPickedFile))
        return false;
    WriteSettingsGroup(merged, v);
    if (!merged.CloseKeyValueFile())
        return false;
    std::optional<std::string> whole;
    if (auto opened = fileio::FileHandle::OpenForReading(kPickedFile))
        whole = opened->ReadAll();
    return whole && fileio::ReplaceFileContent(path, *whole);
}

}  // namespace

void ImportSettings(AppState& app, const std::string& bytes) {
    const SettingsFileSurvey survey = SurveySettingsFile(bytes);
    app.Breathe();
    if (!survey.readable || !fileio::ReplaceFileContent(kPickedFile, bytes)) {
        Tell(app, app.messages[Msg::Web_Import_Bad]);
        return;
    }
    if (!survey.Known()) {
        Tell(app, app.messages[Msg::Web_Import_Unknown]);
        return;
    }
    const std::string question =
        app.messages[Msg::Web_Import_Ask] + "\n\n" + app.messages[Msg::Web_Import_Profiles_Here] +
        std::to_string(app.profiles.size()) + "\n" +
        app.messages[Msg::Web_Import_Profiles_In_File] + std::to_string(survey.profiles);
    if (app.gadgets.ShowMessage(app.editorTitle, question, ui::MessageIcon::Question,
                                ui::MessageButtons::YesNo) != ui::MessageAnswer::Yes) {
        return;
    }
    if (!ReplaceSettings(app, bytes, survey)) {
        Tell(app, app.messages[Msg::Save_Error]);
        return;
    }
    app.Breathe();
    StartUp(app);  // as the desktop opening with that file
    // The code shown may be of a profile or settings now gone.
    app.gadgets.SetText(kOutputBox, "");
}

void ExportSettings(AppState& app, ui::web::WebGadgets& page) {
    SaveSettings(app);  // the window's state goes into the file, as at the desktop's close
    std::optional<std::string> bytes;
    if (auto opened = fileio::FileHandle::OpenForReading(app.SettingsPath()))
        bytes = opened->ReadAll();
    if (!bytes) {
        Tell(app, app.messages[Msg::Save_Error]);
        return;
    }
    page.Download("Loopsmith.ini", *bytes, "text/plain");
}
