// Room for captions wider than their places, made as a dialog would make it: the control grows
// to the right together with the others of its column; what stands to its right on its row
// moves along (a frame with everything it holds), frames around it grow, and so do the panel
// and the window, never beyond a limit. Where that limit is reached, captions that can wrap
// (labels) take more lines instead: their rows grow taller and what lies below moves down.
#pragma once

#include <functional>
#include <map>

#include "ui/window_layout.h"

namespace ui {

// A caption that can take more lines: the width of its widest word, and the height its text
// needs at a given width (both as `need` counts them).
struct Wrapping {
    int narrowest = 0;
    std::function<int(int width)> heightAt;
};

// `need`: by gadget number, the width the gadget's text needs, its own margins included; the
// panel's entry is the width its page titles need. Gadgets not named, and those their need
// already fits, keep their places. The client width grows at most to `maxClientWidth`; the
// captions named in `wraps` are narrowed (never below their places or their widest words) as
// far as that limit asks, and grow taller.
WindowLayout MakeRoom(WindowLayout layout, const std::map<int, int>& need, int maxClientWidth,
                      const std::map<int, Wrapping>& wraps = {});

}  // namespace ui
