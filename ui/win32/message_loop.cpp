// Waiting for messages, and the keys the window takes before its controls see them: Tab and
// Ctrl+Tab (tab_walk.cpp), Enter for the event loop, Alt+F4 from any control.
#include "ui/win32/win32_gadgets.h"

namespace ui::win32 {

bool Win32Gadgets::IsOurs(HWND hwnd) const {
    return hwnd && (hwnd == window_ || IsChild(window_, hwnd));
}

bool Win32Gadgets::PreTranslate(const MSG& msg) {
    if (!IsOurs(msg.hwnd))
        return false;
    if (msg.message == WM_MOUSEMOVE) {
        // Only a real movement: a changed cursor can bring a move to the same place, and the
        // hover rule that changed it would run again and again.
        if (msg.pt.x != lastPointer_.x || msg.pt.y != lastPointer_.y)
            Events().Report(Event::MouseMove());
        lastPointer_ = msg.pt;
        return false;
    }
    // Alt+F4 closes the window whichever control has the focus (a combo box would take F4).
    if (msg.message == WM_SYSKEYDOWN && msg.wParam == VK_F4) {
        PostMessageW(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
        return true;
    }
    if (msg.message != WM_KEYDOWN)
        return false;
    // Keys for an open drop-down list are the list's, as in a window of its own.
    const Control* focused = ControlOf(GetFocus());
    if (focused && focused->layout.kind == GadgetKind::ComboBox &&
        SendMessageW(GetFocus(), CB_GETDROPPEDSTATE, 0, 0)) {
        return false;
    }
    // Virtual-key codes are the program's key codes: Enter is 13.
    Events().Report(Event::KeyDown(static_cast<int>(msg.wParam)));
    if (msg.wParam == VK_TAB) {
        if (GetKeyState(VK_CONTROL) < 0)
            TurnPage(GetKeyState(VK_SHIFT) < 0 ? -1 : 1);
        else
            StepFocus(GetKeyState(VK_SHIFT) < 0);
        return true;
    }
    // Enter is the event loop's (the calculation on page 0): no default button, no beep.
    return msg.wParam == VK_RETURN;
}

void Win32Gadgets::Dispatch(MSG& msg) {
    if (PreTranslate(msg) || IsDialogMessageW(window_, &msg))
        return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

bool Win32Gadgets::WindowOnScreen() const {
    return IsWindowVisible(window_) != FALSE;
}

bool Win32Gadgets::PumpMessages() {
    MSG msg;
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
        if (got == 0)
            PostQuitMessage(static_cast<int>(msg.wParam));  // for any outer loop
        return false;
    }
    Dispatch(msg);
    return true;
}

void Win32Gadgets::ProcessPendingMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        Dispatch(msg);
    }
}

}  // namespace ui::win32
