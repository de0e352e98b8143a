// Where each text of the text table goes in the window: the one link between the texts and
// the gadgets, used for the built-in texts of the layout and for every applied language.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "ui/gadgets.h"
#include "ui/window_layout.h"

enum class UiTarget {
    Caption,           // gadget (and `second`, when not -1)
    ToolTip,           // gadget
    ComboItem,         // item `second` of gadget; the combo is refilled keeping its selection
    PageTitle,         // page `second` of the panel
    RegisterCaptions,  // gadgets 32..39: text + " № " + n + ":"
};

struct UiTextPlace {
    const char* key;  // of the text table
    UiTarget target;
    int gadget;
    int second;
};

std::span<const UiTextPlace> UiTextPlaces();

// Puts the texts (one per text table entry, in its order) into the window.
void ApplyUiTexts(ui::Gadgets& gadgets, const std::vector<std::string>& texts);
// Gives the layout the built-in texts.
void PlaceDefaultTexts(ui::WindowLayout& layout);
