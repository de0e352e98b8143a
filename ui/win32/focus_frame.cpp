// The dotted focus frame that a static taking the keyboard focus (a link, the banner) does not
// draw by itself, as a focused button has one.
#include "ui/win32/controls.h"

namespace ui::win32 {

namespace {

LRESULT CALLBACK FocusFrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR) {
    switch (message) {
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            InvalidateRect(hwnd, nullptr, TRUE);
            break;
        case WM_PAINT:
            if (GetFocus() == hwnd) {
                const LRESULT painted = DefSubclassProc(hwnd, message, wParam, lParam);
                HDC dc = GetDC(hwnd);
                RECT r{};
                GetClientRect(hwnd, &r);
                DrawFocusRect(dc, &r);
                ReleaseDC(hwnd, dc);
                return painted;
            }
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace

void AddFocusFrame(HWND control) {
    SetWindowSubclass(control, FocusFrameProc, 1, 0);
}

}  // namespace ui::win32
