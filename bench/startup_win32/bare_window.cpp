// The least a Windows program with a window does: one fixed window with one Cyrillic label,
// shown, then a message loop until it is closed. The yardstick for loopsmith.exe's start-up.
#include "yardstick_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    HWND window = yardstick::MakeWindow(L"Loopsmith - 1.7", 400, 540);
    CreateWindowExW(0, L"STATIC", L"Длительность задержки в машинных циклах:",
                    WS_CHILD | WS_VISIBLE, 10, 10, 300, 16, window, nullptr, instance, nullptr);
    return yardstick::ShowUntilClosed(window);
}
