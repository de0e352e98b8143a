// Drop-down lists that cannot be typed into, and what they share with list boxes: items and
// selection. The user's choice arrives as CBN_SELCHANGE; the program's CB_SETCURSEL sends
// nothing.
#include "ui/win32/controls.h"
#include "ui/win32/wide_text.h"

namespace ui::win32 {

namespace {

struct ItemMessages {
    UINT count, add, reset, getSelection, select;
};

ItemMessages MessagesOf(GadgetKind kind) {
    if (kind == GadgetKind::ListBox)
        return {LB_GETCOUNT, LB_ADDSTRING, LB_RESETCONTENT, LB_GETCURSEL, LB_SETCURSEL};
    return {CB_GETCOUNT, CB_ADDSTRING, CB_RESETCONTENT, CB_GETCURSEL, CB_SETCURSEL};
}

}  // namespace

HWND CreateComboBox(const GadgetLayout& g, const ControlState& s, HWND parent, int id,
                    const Rect& px) {
    HWND combo =
        MakeChild(WC_COMBOBOXW, L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, parent, id, px);
    SetItems(combo, g.kind, s.items);
    Select(combo, g.kind, s.state);
    return combo;
}

void SetItems(HWND control, GadgetKind kind, const std::vector<std::string>& items) {
    const ItemMessages m = MessagesOf(kind);
    const auto wanted = static_cast<LRESULT>(items.size());
    LRESULT count = SendMessageW(control, m.count, 0, 0);
    if (count > wanted) {
        SendMessageW(control, m.reset, 0, 0);
        count = 0;
    }
    for (LRESULT i = count; i < wanted; ++i) {
        const std::wstring text = Wide(items[static_cast<size_t>(i)]);
        SendMessageW(control, m.add, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

int SelectionOf(HWND control, GadgetKind kind) {
    return static_cast<int>(SendMessageW(control, MessagesOf(kind).getSelection, 0, 0));
}

void Select(HWND control, GadgetKind kind, int index) {
    // -1 leaves no selection (the frame has already turned an index outside the items into it;
    // wine's controls would keep the old selection for one).
    SendMessageW(control, MessagesOf(kind).select, static_cast<WPARAM>(index), 0);
}

}  // namespace ui::win32
