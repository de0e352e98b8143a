// What the page's own buttons do: Copy, Import, Export and a language file of the user's.
#pragma once

#include "ui/event.h"

struct AppState;
namespace ui::web {
class WebGadgets;
}

// Handles a press of one of the page's own buttons, or the file picked for it; false for every
// other event.
bool HandlePageButton(AppState& app, ui::web::WebGadgets& page, const ui::Event& event);
