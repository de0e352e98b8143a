// What the page has beyond the desktop window: a Copy button above the output box, a row of
// buttons to import and export Loopsmith.ini and to load a language file of the user's, and the
// keys a web form has.
#pragma once

#include "store/file_locations.h"
#include "ui/event.h"
#include "ui/window_layout.h"

struct AppState;
namespace ui::web {
class WebGadgets;
}

namespace gadget {
inline constexpr int kCopyButton = 70;
inline constexpr int kImportButton = 71;
inline constexpr int kExportButton = 72;
inline constexpr int kLanguageFileButton = 73;
}  // namespace gadget

// The page's files: the settings and the user's languages kept in the browser's storage.
FileLocations PrepareBrowserFiles();
// The main window's layout with the page's own buttons.
ui::WindowLayout WebWindowLayout();
// Their captions in the current language; the names of the controls the window's labels do not
// name one by one, and the page's language.
void ApplyWebCaptions(AppState& app, ui::web::WebGadgets& page);
// Handles an event of the page's own buttons, or a key of a web form; false for every other.
bool HandleWebEvent(AppState& app, ui::web::WebGadgets& page, const ui::Event& event);
// Tells the first fault of the saves into the browser's storage since the last call, each cause
// once until a save is stored again; `quiet` only notes them (saves the user did not make).
void TellStorageFault(AppState& app, bool quiet = false);
// Another tab stored the settings file: the profiles and settings as stored now, a half-done
// edit in the editor's form kept.
void RefreshFromStorage(AppState& app, ui::web::WebGadgets& page);
// On the first visit (no settings stored yet): English unless the browser prefers Russian.
void ChooseFirstLanguage(AppState& app, const ui::web::WebGadgets& page);
