#include "programs/web/browser_files.h"

#include <string>

#include "app/app_state.h"
#include "app/gadget_ids.h"
#include "app/language.h"
#include "app/settings.h"
#include "programs/web/page_layout.h"
#include "store/browser_storage.h"
#include "store/key_value_file.h"
#include "store/profile_store.h"
#include "ui/web/web_gadgets.h"

using namespace gadget;

FileLocations PrepareBrowserFiles() {
    FileLocations files = BrowserLocations();
    PrepareConfigFolder(files);
    KeepFilesInBrowserStorage(files);
    return files;
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
    app.gadgets.ShowMessage(app.editorTitle, text, ui::MessageIcon::Warning,
                            ui::MessageButtons::Ok);
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
