// The single-selection list box: a click is LBN_SELCHANGE, a double click LBN_DBLCLK. Its
// items and selection are written as a combo box's (combo_control.cpp).
#include <algorithm>

#include "ui/win32/controls.h"
#include "ui/win32/wide_text.h"

namespace ui::win32 {

HWND CreateListBox(const GadgetLayout& g, const ControlState& s, HWND parent, int id,
                   const Rect& px) {
    HWND list = MakeChild(L"LISTBOX", L"",
                          LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP,
                          WS_EX_CLIENTEDGE, parent, id, px);
    SetItems(list, g.kind, s.items);
    Select(list, g.kind, s.state);
    return list;
}

void UpdateListExtent(HWND list, HDC dc, const std::vector<std::string>& items) {
    auto old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)));
    int widest = 0;
    for (const std::string& item : items) {
        const std::wstring text = Wide(item);
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        widest = std::max<int>(widest, size.cx);
    }
    SelectObject(dc, old);
    SendMessageW(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + 8), 0);
}

}  // namespace ui::win32
