#include "ui/control_state.h"

namespace ui {

ControlState ControlState::From(const GadgetLayout& g) {
    ControlState s;
    if (HoldsText(g.kind))
        s.text = g.caption;
    s.items = g.items;
    s.state = g.initialState;
    if (HasItems(g.kind) && (s.state < 0 || s.state >= static_cast<int>(s.items.size())))
        s.state = -1;
    if (g.kind == GadgetKind::CheckBox)
        s.state = s.state != 0 ? 1 : 0;
    if (g.kind == GadgetKind::Panel)
        s.state = 0;
    s.textColor = g.textColor;
    s.toolTip = g.toolTip;
    return s;
}

}  // namespace ui
