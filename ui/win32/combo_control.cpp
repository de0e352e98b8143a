// Drop-down lists that cannot be typed into; the user's choice arrives as CBN_SELCHANGE,
// the program's own CB_SETCURSEL sends nothing.
#include "ui/win32/controls.h"
#include "ui/win32/wide_text.h"

namespace ui::win32 {

HWND CreateComboBox(const GadgetLayout& g, HWND parent, int id, const Rect& px) {
    HWND combo =
        MakeChild(WC_COMBOBOXW, L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, parent, id, px);
    for (const std::string& item : g.items) {
        const std::wstring text = Wide(item);
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(g.initialState), 0);
    return combo;
}

std::wstring ItemTextOf(HWND control, bool isList, int index) {
    const UINT lengthMessage = isList ? LB_GETTEXTLEN : CB_GETLBTEXTLEN;
    const UINT textMessage = isList ? LB_GETTEXT : CB_GETLBTEXT;
    const LRESULT n = SendMessageW(control, lengthMessage, static_cast<WPARAM>(index), 0);
    if (n < 0)
        return {};
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    const LRESULT got = SendMessageW(control, textMessage, static_cast<WPARAM>(index),
                                     reinterpret_cast<LPARAM>(text.data()));
    text.resize(got < 0 ? 0 : static_cast<size_t>(got));
    return text;
}

}  // namespace ui::win32
