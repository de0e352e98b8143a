// Where the keyboard focus goes: Tab and Shift+Tab through the shown and enabled controls,
// Ctrl+Tab through the pages, and on from a control about to be disabled.
#include <algorithm>

#include "ui/win32/win32_gadgets.h"

namespace ui::win32 {

void Win32Gadgets::TurnPage(int step) {
    const int count = static_cast<int>(pages_.size());
    if (!panel_ || count < 2)
        return;
    const int next = ((ShownPage(panel_) + step) % count + count) % count;
    // As a click on the tab: the panel tells its parent, which shows the page and reports it.
    SendMessageW(panel_, TCM_SETCURFOCUS, static_cast<WPARAM>(next), 0);
    // The old page's controls are hidden now: its first control, else the tabs, take the keys.
    HWND page = pages_[static_cast<size_t>(next)];
    const std::vector<HWND> stops = TabStops();
    const auto first =
        std::find_if(stops.begin(), stops.end(), [page](HWND s) { return IsChild(page, s); });
    SetFocus(first != stops.end() ? *first : panel_);
}

std::vector<HWND> Win32Gadgets::TabStops() const {
    // The dialog manager would step into the tabs' pages and never stop at the tabs themselves:
    // the order is ours, the shown and enabled tab stops in the order they were made.
    std::vector<HWND> stops;
    for (const GadgetLayout& g : Layout().gadgets) {
        const Native* native = NativeOf(g.number);
        if (native && (GetWindowLongW(native->hwnd, GWL_STYLE) & WS_TABSTOP) &&
            IsWindowVisible(native->hwnd) && IsWindowEnabled(native->hwnd)) {
            stops.push_back(native->hwnd);
        }
    }
    return stops;
}

HWND Win32Gadgets::NextTabStop(HWND from, bool back) const {
    const std::vector<HWND> stops = TabStops();
    if (stops.empty())
        return nullptr;
    const auto at = std::find(stops.begin(), stops.end(), from);
    const size_t n = stops.size();
    const size_t i =
        at == stops.end() ? (back ? 0 : n - 1) : static_cast<size_t>(at - stops.begin());
    return stops[back ? (i + n - 1) % n : (i + 1) % n];
}

void Win32Gadgets::StepFocus(bool back) {
    const Native* focused = NativeOf(GadgetOf(GetFocus()));
    HWND next = NextTabStop(focused ? focused->hwnd : nullptr, back);
    if (!next)
        return;
    SetFocus(next);
    // As in a dialog, a text field tabbed into has its text selected.
    if (SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        SendMessageW(next, EM_SETSEL, 0, -1);
}

void Win32Gadgets::PassFocusOn(HWND control) {
    // A disabled control drops the focus to nobody, and the keys, Tab too, would go nowhere.
    HWND focus = GetFocus();
    if (!focus || (focus != control && !IsChild(control, focus)))
        return;
    HWND next = NextTabStop(control, false);
    if (next && next != control)
        SetFocus(next);
}

}  // namespace ui::win32
