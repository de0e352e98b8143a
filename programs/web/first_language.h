// The page's language on a first visit, from the browser's.
#pragma once

struct AppState;
namespace ui::web {
class WebGadgets;
}

// On the first visit (no settings stored yet): English unless the browser prefers Russian.
void ChooseFirstLanguage(AppState& app, const ui::web::WebGadgets& page);
