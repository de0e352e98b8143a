// The least a Windows program with a window does: one fixed window with one Cyrillic label,
// shown, then a message loop until it is closed. The yardstick for loopsmith.exe's start-up.
#include <windows.h>

namespace {

LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Proc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"LoopsmithWindow";  // found by the bench like the program
    RegisterClassW(&windowClass);
    HWND window =
        CreateWindowExW(0, L"LoopsmithWindow", L"Loopsmith - 1.7",
                        WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT,
                        CW_USEDEFAULT, 400, 540, nullptr, nullptr, instance, nullptr);
    CreateWindowExW(0, L"STATIC", L"Длительность задержки в машинных циклах:",
                    WS_CHILD | WS_VISIBLE, 10, 10, 300, 16, window, nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOW);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
