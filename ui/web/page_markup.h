// The window as page markup, made in one piece: the browser parses it far faster than it
// takes elements made one call at a time. Pure text; every caption escaped, so a language
// file cannot put markup into the page.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "ui/control_state.h"
#include "ui/window_layout.h"

namespace ui::web {

// Text safe inside an element or a quoted attribute.
std::string HtmlEscaped(std::string_view text);

// Every gadget of `layout` nested in its parent, with the state `want` gives it. A gadget's
// elements carry data-outer (placed, shown or hidden), id "g<number>" and data-gadget (value,
// focus) and data-caption (the caption's text), each with the gadget's number; images carry
// data-image, selects data-state (their selected item, set once parsed). A control is named by
// its entry in `names` (aria-label), else a field by its label (aria-labelledby); a label leads
// to the first field it names (for). Items are isolated for display (base::IsolatedForDisplay).
// The image is a link in the Tab order.
std::string WindowMarkup(const WindowLayout& layout,
                         const std::function<const ControlState&(int gadget)>& want,
                         const std::map<int, std::string>& names = {});

}  // namespace ui::web
