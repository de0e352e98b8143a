// The hyperlink: an underlined static that reports clicks, shows the hand cursor and is
// drawn in its hover colour while the mouse is over it (the window chooses the colour in
// WM_CTLCOLORSTATIC from the hover flag it is told here). A tab stop, framed while focused.
#include "ui/win32/controls.h"
#include "ui/win32/wide_text.h"

namespace ui::win32 {

namespace {

LRESULT CALLBACK LinkProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                          DWORD_PTR data) {
    auto* owner = reinterpret_cast<ControlOwner*>(data);
    switch (message) {
        case WM_SETCURSOR:
            ::SetCursor(LoadCursorW(nullptr, IDC_HAND));
            return TRUE;
        case WM_MOUSEMOVE:
            if (owner->SetHovered(hwnd, true)) {
                TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd, 0};
                TrackMouseEvent(&track);
                InvalidateRect(hwnd, nullptr, TRUE);
            }
            break;
        case WM_MOUSELEAVE:
            if (owner->SetHovered(hwnd, false))
                InvalidateRect(hwnd, nullptr, TRUE);
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace

HWND CreateLink(const GadgetLayout&, const ControlState& s, HWND parent, int id, const Rect& px,
                ControlOwner* owner) {
    HWND link = MakeChild(L"STATIC", Wide(s.text), SS_LEFT | SS_NOTIFY | SS_NOPREFIX | WS_TABSTOP,
                          0, parent, id, px);
    SetWindowSubclass(link, LinkProc, 1, reinterpret_cast<DWORD_PTR>(owner));
    AddFocusFrame(link);
    return link;
}

}  // namespace ui::win32
