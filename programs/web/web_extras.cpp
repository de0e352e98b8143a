#include "programs/web/web_extras.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>

#include "app/app_state.h"
#include "app/gadget_ids.h"
#include "app/language.h"
#include "app/main_window_layout.h"
#include "app/settings.h"
#include "app/startup.h"
#include "i18n/language_file.h"
#include "programs/web/web_link.h"
#include "store/browser_storage.h"
#include "store/file_platform.h"
#include "store/key_value_file.h"
#include "store/profile_store.h"
#include "store/settings_import.h"
#include "store/settings_values.h"
#include "ui/web/web_gadgets.h"

using namespace gadget;

namespace {

constexpr const char* kPickedFile = "/tmp/picked";

ui::GadgetLayout Button(int number, int parent, ui::Rect place) {
    ui::GadgetLayout g;
    g.number = number;
    g.kind = ui::GadgetKind::Button;
    g.parent = parent;
    g.place = place;
    return g;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

void Tell(AppState& app, const std::string& title, const std::string& text,
          ui::MessageIcon icon = ui::MessageIcon::Error) {
    app.gadgets.ShowMessage(title, text, icon, ui::MessageButtons::Ok);
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

void Import(AppState& app, const std::string& bytes) {
    const SettingsFileSurvey survey = SurveySettingsFile(bytes);
    app.Breathe();
    if (!survey.readable || !fileio::ReplaceFileContent(kPickedFile, bytes)) {
        Tell(app, app.editorTitle, app.messages[Msg::Web_Import_Bad]);
        return;
    }
    if (!survey.Known()) {
        Tell(app, app.editorTitle, app.messages[Msg::Web_Import_Unknown]);
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
        Tell(app, app.editorTitle, app.messages[Msg::Save_Error]);
        return;
    }
    app.Breathe();
    StartUp(app);  // as the desktop opening with that file
    // The code shown may be of a profile or settings now gone.
    app.gadgets.SetText(kOutputBox, "");
}

void Export(AppState& app, ui::web::WebGadgets& page) {
    SaveSettings(app);  // the window's state goes into the file, as at the desktop's close
    std::optional<std::string> bytes;
    if (auto opened = fileio::FileHandle::OpenForReading(app.SettingsPath()))
        bytes = opened->ReadAll();
    if (!bytes) {
        Tell(app, app.editorTitle, app.messages[Msg::Save_Error]);
        return;
    }
    page.Download("Loopsmith.ini", *bytes, "text/plain");
}

void LoadLanguageFile(AppState& app, const std::string& name, const std::string& bytes) {
    const std::string lower = Lower(name);
    // The first language folder is the user's own, kept in the browser's storage.
    const std::filesystem::path folder = app.files.languageFolders.front();
    const std::filesystem::path target = folder / name;
    const bool named = lower.size() > 4 && lower.compare(lower.size() - 4, 4, ".lng") == 0 &&
                       name.find('/') == std::string::npos;
    // Empty: nothing in it, or beyond the limit and not read.
    if (!named || bytes.empty() || !fileio::ReplaceFileContent(kPickedFile, bytes) ||
        !ReadLanguageFile(kPickedFile)) {
        Tell(app, kMissingLanguageFileTitle, MissingLanguageFileText(name));
        return;
    }
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    if (!fileio::ReplaceFileContent(target, bytes)) {
        Tell(app, app.editorTitle, app.messages[Msg::Save_Error]);
        return;
    }
    ListLanguages(app);
    ui::Gadgets& g = app.gadgets;
    const std::string language = name.substr(0, name.size() - 4);
    for (int i = 0; i < g.ItemCount(kLanguageCombo); ++i) {
        if (g.ItemText(kLanguageCombo, i) == language)
            g.SetState(kLanguageCombo, i);
    }
    LoadSelectedLanguage(app);
    SaveSettings(app);
}

}  // namespace

FileLocations PrepareBrowserFiles() {
    const FileLocations files = BrowserLocations();
    PrepareConfigFolder(files);
    KeepFilesInBrowserStorage(files);
    return files;
}

ui::WindowLayout WebWindowLayout() {
    ui::WindowLayout w = MainWindowLayout();
    // Copy gets a row of its own above the output box, which moves down as a whole: the panel,
    // and what stands below it, move with it. Copy comes before the box, in the Tab order as on
    // the screen.
    constexpr int kCopyRow = 26;
    w.clientHeight += kCopyRow + 32;
    std::vector<ui::GadgetLayout> gadgets;
    for (ui::GadgetLayout& g : w.gadgets) {
        if (g.number == kPanel)
            g.place.h += kCopyRow;
        else if (g.number == kOutputBox || g.parent == ui::kWindowParent)
            g.place.y += kCopyRow;
        if (g.number == kOutputBox) {
            const ui::Rect& b = g.place;
            gadgets.push_back(
                Button(kCopyButton, kPage0Container, {b.x + b.w - 100, b.y - 25, 100, 22}));
        }
        gadgets.push_back(std::move(g));
    }
    w.gadgets = std::move(gadgets);
    const int y = w.clientHeight - 30;
    w.gadgets.push_back(Button(kImportButton, ui::kWindowParent, {2, y, 132, 24}));
    w.gadgets.push_back(Button(kExportButton, ui::kWindowParent, {138, y, 132, 24}));
    w.gadgets.push_back(Button(kLanguageFileButton, ui::kWindowParent, {274, y, 116, 24}));
    return w;
}

void ApplyWebCaptions(AppState& app, ui::web::WebGadgets& page) {
    ui::Gadgets& g = app.gadgets;
    const MessageTexts& m = app.messages;
    g.SetText(kCopyButton, m[Msg::Web_Copy]);
    g.SetText(kImportButton, m[Msg::Web_Import]);
    g.SetText(kExportButton, m[Msg::Web_Export]);
    g.SetText(kLanguageFileButton, m[Msg::Web_Language_File]);
    // Names for screen readers where the window's labels give none, or one for two controls.
    page.SetAccessibleName(kFormCombo, m[Msg::Web_Form_Name]);
    page.SetAccessibleName(kOutputBox, m[Msg::Web_Output_Name]);
    page.SetAccessibleName(kBanner, m[Msg::Web_Banner_Name]);
    for (int n = 1; n <= 8; ++n)
        page.SetAccessibleName(kFirstAccessCombo + n - 1,
                               m[Msg::Web_Access_Name] + std::to_string(n));
    page.SetPageLanguage(m[Msg::Web_Language_Tag]);
    page.SetRefusalText(m[Msg::Web_Refused]);  // what the beep says
}

namespace {

bool InProfileForm(int gadget) {
    return gadget == kProfileNameField || gadget == kFamilyCombo ||
           (gadget >= kFirstRegisterField && gadget <= kLabelField) ||
           (gadget >= kFirstAccessCombo && gadget < kFirstAccessCombo + 8);
}

// Enter as in a web form: in the open profile form it presses OK, on the profile list Edit.
// The desktop's keys stay as they are (the event loop's).
bool HandleWebKey(AppState& app, int key) {
    ui::Gadgets& g = app.gadgets;
    if (key != ui::kKeyEnter || g.State(kPanel) != kPageEditor)
        return false;
    const int focused = g.FocusedGadget();
    if (app.editorMode != EditorMode::Idle && InProfileForm(focused)) {
        g.PostClick(kOkButton);
        return true;
    }
    if (app.editorMode == EditorMode::Idle && focused == kProfileList) {
        g.PostClick(kEditButton);
        return true;
    }
    return false;
}

}  // namespace

bool HandleWebEvent(AppState& app, ui::web::WebGadgets& page, const ui::Event& event) {
    if (event.kind == ui::Event::Kind::KeyDown)
        return HandleWebKey(app, event.key);
    if (event.kind != ui::Event::Kind::Gadget)
        return false;
    if (event.type == ui::web::kEventAddressChanged) {
        ApplyLinkOfAddress(app, page);
        return true;
    }
    const bool picked = event.type == ui::web::kEventFilePicked;
    switch (event.gadget) {
        case kCopyButton:
            page.CopyToClipboard(page.Text(kOutputBox), kCopyButton, app.messages[Msg::Web_Copied]);
            return true;
        case kImportButton:
            if (picked)
                Import(app, page.TakePickedFile());
            else
                page.PickFile(kImportButton, ".ini,text/plain", fileio::kMaxFileSize);
            return true;
        case kExportButton:
            Export(app, page);
            return true;
        case kLanguageFileButton:
            if (picked) {
                const std::string name = page.PickedFileName();
                LoadLanguageFile(app, name, page.TakePickedFile());
            } else {
                page.PickFile(kLanguageFileButton, ".lng", fileio::kMaxFileSize);
            }
            return true;
        default:
            return false;
    }
}

void TellStorageFault(AppState& app, bool quiet) {
    static StorageFault::Cause told = StorageFault::Cause::None;
    const StorageFault fault = TakeStorageFault();
    if (fault.cause == StorageFault::Cause::None) {
        if (fault.stored)
            told = StorageFault::Cause::None;
        return;
    }
    // Once per cause: the user knows the way out, and every later change would only repeat it.
    if (quiet || fault.cause == told)
        return;
    told = fault.cause;
    const std::string text = fault.cause == StorageFault::Cause::Refused
                                 ? app.messages[Msg::Web_Storage_Refused]
                             : fault.cause == StorageFault::Cause::Full
                                 ? app.messages[Msg::Web_Storage_Full]
                                 : app.messages[Msg::Web_Storage_Failed] + fault.error;
    // A warning: the page works on.
    Tell(app, app.editorTitle, text, ui::MessageIcon::Warning);
}

void RefreshFromStorage(AppState& app, ui::web::WebGadgets& page) {
    KeyValueFile stored;
    if (!stored.OpenKeyValueFileForReading(app.SettingsPath()) ||
        stored.Stamp() == app.settingsStamp) {
        return;
    }
    stored.CloseKeyValueFile();
    ui::Gadgets& g = app.gadgets;
    const std::string chosen = g.ItemText(kProfileList, g.State(kProfileList));
    LoadSettings(app);
    LoadSelectedLanguage(app);
    ApplyWebCaptions(app, page);
    // The editor's form is left as it is; what it edits is found again by name.
    if (app.editorMode == EditorMode::Idle)
        return;
    const int at =
        FindProfile(app.profiles, app.editorMode == EditorMode::Editing ? app.editName : chosen);
    if (app.editorMode == EditorMode::Editing) {
        app.editIndex = at;
        if (at < 0)  // deleted meanwhile: OK adds it again
            app.editorMode = EditorMode::New;
    }
    g.SetState(kProfileList, at);
}

void ChooseFirstLanguage(AppState& app, const ui::web::WebGadgets& page) {
    std::string wanted = "english";
    for (const std::string& tag : page.PreferredLanguages()) {
        const std::string lower = Lower(tag);
        if (lower.rfind("ru", 0) == 0) {
            wanted = "russian";
            break;
        }
        if (lower.rfind("en", 0) == 0)
            break;
    }
    ui::Gadgets& g = app.gadgets;
    for (int i = 0; i < g.ItemCount(kLanguageCombo); ++i) {
        if (Lower(g.ItemText(kLanguageCombo, i)) == wanted && g.State(kLanguageCombo) != i) {
            g.SetState(kLanguageCombo, i);
            LoadSelectedLanguage(app);
        }
    }
}
