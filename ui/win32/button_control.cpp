// Check boxes and push buttons; a click reaches the window as BN_CLICKED.
#include "ui/win32/controls.h"
#include "ui/win32/wide_text.h"

namespace ui::win32 {

HWND CreateCheckBox(const GadgetLayout&, const ControlState& s, HWND parent, int id,
                    const Rect& px) {
    HWND box =
        MakeChild(L"BUTTON", WideCaption(s.text), BS_AUTOCHECKBOX | WS_TABSTOP, 0, parent, id, px);
    SetCheck(box, s.state);
    return box;
}

HWND CreateButton(const GadgetLayout& g, const ControlState& s, HWND parent, int id,
                  const Rect& px) {
    // The default button is only drawn so: Enter goes to the event loop as a key.
    const DWORD style = (g.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP;
    return MakeChild(L"BUTTON", WideCaption(s.text), style, 0, parent, id, px);
}

int CheckOf(HWND box) {
    return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void SetCheck(HWND box, int state) {
    SendMessageW(box, BM_SETCHECK, state ? BST_CHECKED : BST_UNCHECKED, 0);
}

}  // namespace ui::win32
