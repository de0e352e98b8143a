// Check boxes and push buttons; a click reaches the window as BN_CLICKED.
#include "ui/win32/controls.h"
#include "ui/win32/wide_text.h"

namespace ui::win32 {

HWND CreateCheckBox(const GadgetLayout& g, HWND parent, int id, const Rect& px) {
    HWND box = MakeChild(L"BUTTON", WideCaption(g.caption), BS_AUTOCHECKBOX | WS_TABSTOP, 0, parent,
                         id, px);
    SendMessageW(box, BM_SETCHECK, g.initialState ? BST_CHECKED : BST_UNCHECKED, 0);
    return box;
}

HWND CreateButton(const GadgetLayout& g, HWND parent, int id, const Rect& px) {
    // The default button is only drawn so: Enter goes to the event loop as a key.
    const DWORD style = (g.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP;
    return MakeChild(L"BUTTON", WideCaption(g.caption), style, 0, parent, id, px);
}

}  // namespace ui::win32
