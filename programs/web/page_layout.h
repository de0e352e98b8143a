// The page's own controls beyond the desktop window: a Copy button above the output box and a
// row of buttons to import and export Loopsmith.ini and to load a language file of the user's.
#pragma once

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

// The main window's layout with the page's own buttons.
ui::WindowLayout WebWindowLayout();
// Their captions in the current language; the names of the controls the window's labels do not
// name one by one, and the page's language.
void ApplyWebCaptions(AppState& app, ui::web::WebGadgets& page);
