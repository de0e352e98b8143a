// The page's files: the settings and the user's languages kept in the browser's storage, what
// goes wrong with it, and the saves of another tab.
#pragma once

#include "store/file_locations.h"

struct AppState;
namespace ui::web {
class WebGadgets;
}

// Where a file the visitor picked is put, to be read as any file.
inline constexpr const char* kPickedFile = "/tmp/picked";

// The page's files, kept in the browser's storage.
FileLocations PrepareBrowserFiles();
// Tells the first fault of the saves into the browser's storage since the last call, each cause
// once until a save is stored again; `quiet` only notes them (saves the user did not make).
void TellStorageFault(AppState& app, bool quiet = false);
// Another tab stored the settings file: the profiles and settings as stored now, a half-done
// edit in the editor's form kept.
void RefreshFromStorage(AppState& app, ui::web::WebGadgets& page);
