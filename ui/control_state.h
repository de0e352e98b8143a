// What the program wants a control to show: kept for every control, made or not, so that a
// face makes a control with it and pushes each change to it.
#pragma once

#include <string>
#include <vector>

#include "ui/color.h"
#include "ui/window_layout.h"

namespace ui {

struct ControlState {
    std::string text;                // caption, field text, or the output box's text as set
    std::vector<std::string> items;  // combo and list boxes; the panel's page titles
    int state = 0;                   // check box 0/1, selected item (-1 none), shown page
    bool enabled = true, visible = true, readOnly = false;
    Color textColor, backColor;
    std::string toolTip;

    static ControlState From(const GadgetLayout& g);
};

// Kinds whose text or state the user changes: the face reads those back from the control.
inline bool UserEditsText(GadgetKind kind) {
    return kind == GadgetKind::TextField;
}
inline bool UserChangesState(GadgetKind kind) {
    return kind == GadgetKind::CheckBox || kind == GadgetKind::ComboBox ||
           kind == GadgetKind::ListBox || kind == GadgetKind::Panel;
}
inline bool HasItems(GadgetKind kind) {
    return kind == GadgetKind::ComboBox || kind == GadgetKind::ListBox;
}
inline bool HoldsText(GadgetKind kind) {
    return !HasItems(kind) && kind != GadgetKind::Panel && kind != GadgetKind::Container &&
           kind != GadgetKind::Image;
}

}  // namespace ui
