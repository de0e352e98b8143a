// Loopsmith.ini into and out of the page: the visitor's file in place of the stored one, and the
// stored one as a download.
#pragma once

#include <string>

struct AppState;
namespace ui::web {
class WebGadgets;
}

// The picked file's bytes take the place of the settings file, once the visitor agrees.
void ImportSettings(AppState& app, const std::string& bytes);
// The settings file with the window's state, downloaded.
void ExportSettings(AppState& app, ui::web::WebGadgets& page);
