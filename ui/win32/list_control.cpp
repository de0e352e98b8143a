// The single-selection list box: a click is LBN_SELCHANGE, a double click LBN_DBLCLK.
#include "ui/win32/controls.h"
#include "ui/win32/wide_text.h"

namespace ui::win32 {

HWND CreateListBox(const GadgetLayout& g, HWND parent, int id, const Rect& px) {
    HWND list = MakeChild(L"LISTBOX", L"",
                          LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP,
                          WS_EX_CLIENTEDGE, parent, id, px);
    for (const std::string& item : g.items) {
        const std::wstring text = Wide(item);
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(g.initialState), 0);
    return list;
}

void UpdateListExtent(HWND list, HDC dc) {
    auto old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)));
    int widest = 0;
    const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const std::wstring text = ItemTextOf(list, true, i);
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        widest = std::max<int>(widest, size.cx);
    }
    SelectObject(dc, old);
    SendMessageW(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + 8), 0);
}

}  // namespace ui::win32
