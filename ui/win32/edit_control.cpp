// Text fields and the output box. Each typed character of a text field goes through the one
// keystroke rule of every face (input filter, digits only, length); Ctrl+A selects all.
#include "ui/win32/controls.h"
#include "ui/win32/wide_text.h"
#include "ui/win32/win32_gadgets.h"

namespace ui::win32 {

namespace {

constexpr wchar_t kCtrlA = 1;

LRESULT CALLBACK EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                          DWORD_PTR data) {
    auto* owner = reinterpret_cast<Win32Gadgets*>(data);
    switch (message) {
        case WM_KEYDOWN:
            if (wParam == 'A' && GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0) {
                SendMessageW(hwnd, EM_SETSEL, 0, -1);
                return 0;
            }
            break;
        case WM_CHAR: {
            if (wParam == kCtrlA)
                return 0;  // selected on the key; the control would only beep
            Win32Gadgets::Entry* entry = owner->FindByHandle(hwnd);
            if (entry) {
                // The character to enter: none, or a decimal comma's point.
                wParam = owner->FilterChar(*entry, static_cast<wchar_t>(wParam));
                if (wParam == 0)
                    return 0;
            }
            break;
        }
        case WM_GETDLGCODE:
            // The read-only output box keeps Tab and Enter for the dialog keys.
            if (GetWindowLongW(hwnd, GWL_STYLE) & ES_MULTILINE) {
                return DefSubclassProc(hwnd, message, wParam, lParam) &
                       ~(DLGC_WANTTAB | DLGC_WANTALLKEYS);
            }
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace

HWND CreateTextField(const GadgetLayout& g, HWND parent, int id, const Rect& px,
                     Win32Gadgets* owner) {
    // No EM_LIMITTEXT: the limit is for typing; text the program sets is kept whole.
    HWND edit = MakeChild(WC_EDITW, Wide(g.caption), ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE,
                          parent, id, px);
    SetWindowSubclass(edit, EditProc, 1, reinterpret_cast<DWORD_PTR>(owner));
    return edit;
}

HWND CreateOutputBox(const GadgetLayout& g, HWND parent, int id, const Rect& px,
                     Win32Gadgets* owner) {
    HWND edit = MakeChild(WC_EDITW, WindowsLines(g.caption),
                          ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP,
                          WS_EX_CLIENTEDGE, parent, id, px);
    SetWindowSubclass(edit, EditProc, 1, reinterpret_cast<DWORD_PTR>(owner));
    return edit;
}

}  // namespace ui::win32
