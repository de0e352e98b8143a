// The description of a window from which an implementation of Gadgets builds its controls.
#pragma once

#include <string>
#include <vector>

#include "ui/color.h"

namespace ui {

enum class GadgetKind {
    Label,
    CheckBox,
    ComboBox,
    Frame,
    TextField,
    OutputBox,
    Button,
    ListBox,
    Panel,
    Container,
    Image,
    Hyperlink,
};

inline constexpr int kWindowParent = -1;

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

struct GadgetLayout {
    int number = 0;
    GadgetKind kind = GadgetKind::Label;
    int parent = kWindowParent;  // kWindowParent, or the container gadget of a page
    Rect place;                  // relative to the parent's client area
    std::string caption;
    std::vector<std::string> items;  // combo boxes; the panel's page titles
    int initialState = 0;            // check box state, or the selected item (-1 none)
    bool itemsMayOverflow = false;   // combo boxes: a long item is shown whole in the list only
    bool alignRight = false;         // labels
    bool sunken = false;             // labels
    bool digitsOnly = false;         // text fields
    bool isDefault = false;          // buttons
    bool fixedFont = false;          // the output box's fixed-width font
    int maxLength = 0;               // text fields; 0 = no limit
    bool filterInput = false;        // text fields with the input filter
    bool filterAllowsPoint = false;
    Color textColor;
    Color hoverColor;  // hyperlinks
    std::string toolTip;
    int image = 0;  // Image gadgets and panel pages: 1..4 (see resources)
};

struct WindowLayout {
    std::string title;
    int clientWidth = 0, clientHeight = 0;
    int panel = -1;                     // the panel gadget
    std::vector<int> pageContainers;    // container gadget of each page
    std::vector<int> pageIcons;         // image number of each page
    std::vector<GadgetLayout> gadgets;  // in creation order
};

}  // namespace ui
