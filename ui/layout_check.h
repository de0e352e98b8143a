// Whether a window description can be built: every face refuses the same faults.
#pragma once

#include "ui/window_layout.h"

namespace ui {

// Unique numbers; each parent is the window or a gadget described before; at most one panel,
// the layout's own, on the window; each page container on the panel, in the order of the
// layout's page containers and within the panel's page titles.
bool IsSoundLayout(const WindowLayout& layout);

// The page a gadget sits on (its parent is that page's container), or -1.
int PageOf(const WindowLayout& layout, const GadgetLayout& gadget);

}  // namespace ui
