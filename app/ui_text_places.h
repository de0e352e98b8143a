// Where each text of the text table goes in the window: the one link between the texts and
// the gadgets, used for the built-in texts of the layout and for every applied language.
#pragma once

#include <string>
#include <vector>

#include "ui/gadgets.h"
#include "ui/window_layout.h"

// Puts the texts (one per text table entry, in its order) into the window.
void ApplyUiTexts(ui::Gadgets& gadgets, const std::vector<std::string>& texts);
// Gives the layout the built-in texts.
void PlaceDefaultTexts(ui::WindowLayout& layout);
