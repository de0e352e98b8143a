// The hyperlink: an underlined static that reports clicks, shows the hand cursor and is
// drawn in its hover colour while the mouse is over it (the colour is chosen in
// WM_CTLCOLORSTATIC from the entry's hover flag).
#include "ui/win32/controls.h"
#include "ui/win32/wide_text.h"
#include "ui/win32/win32_gadgets.h"

namespace ui::win32 {

namespace {

LRESULT CALLBACK LinkProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                          DWORD_PTR data) {
    auto* owner = reinterpret_cast<Win32Gadgets*>(data);
    Win32Gadgets::Entry* entry = owner->FindByHandle(hwnd);
    switch (message) {
        case WM_SETCURSOR:
            ::SetCursor(LoadCursorW(nullptr, IDC_HAND));
            return TRUE;
        case WM_MOUSEMOVE:
            if (entry && !entry->hovered) {
                entry->hovered = true;
                TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd, 0};
                TrackMouseEvent(&track);
                InvalidateRect(hwnd, nullptr, TRUE);
            }
            break;
        case WM_MOUSELEAVE:
            if (entry && entry->hovered) {
                entry->hovered = false;
                InvalidateRect(hwnd, nullptr, TRUE);
            }
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace

HWND CreateLink(const GadgetLayout& g, HWND parent, int id, const Rect& px, Win32Gadgets* owner) {
    HWND link =
        MakeChild(L"STATIC", Wide(g.caption), SS_LEFT | SS_NOTIFY | SS_NOPREFIX, 0, parent, id, px);
    SetWindowSubclass(link, LinkProc, 1, reinterpret_cast<DWORD_PTR>(owner));
    return link;
}

}  // namespace ui::win32
