// Room for captions wider than their places, made as a dialog would make it: the control grows
// to the right together with the others of its column; what stands to its right on its row
// moves along (a frame with everything it holds), frames around it grow, and so do the panel
// and the window, never beyond a limit.
#pragma once

#include <map>

#include "ui/window_layout.h"

namespace ui {

// `need`: by gadget number, the width the gadget's text needs, its own margins included; the
// panel's entry is the width its page titles need. Gadgets not named, and those their need
// already fits, keep their places. The client width grows at most to `maxClientWidth`.
WindowLayout MakeRoom(WindowLayout layout, const std::map<int, int>& need, int maxClientWidth);

}  // namespace ui
