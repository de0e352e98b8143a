// The window the start-up yardsticks share: a fixed top-level window of the class the bench
// looks for, and the message loop that runs until it is closed.
#pragma once

#include <windows.h>

namespace yardstick {

inline LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// The outer size, frame included.
inline HWND MakeWindow(const wchar_t* title, int width, int height) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Proc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"LoopsmithWindow";  // found by the bench like the program
    RegisterClassW(&windowClass);
    return CreateWindowExW(0, L"LoopsmithWindow", title,
                           WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT,
                           CW_USEDEFAULT, width, height, nullptr, nullptr, windowClass.hInstance,
                           nullptr);
}

inline int ShowUntilClosed(HWND window) {
    ShowWindow(window, SW_SHOW);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

}  // namespace yardstick
