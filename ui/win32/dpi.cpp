#include "ui/win32/dpi.h"

namespace ui::win32 {

namespace {

// Functions of Windows 10 1607 and later, looked up so that older systems still start.
template <typename F>
F User32Function(const char* name) {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
                  : nullptr;
}

}  // namespace

Dpi SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return {dpi > 0 ? dpi : 96};
}

Dpi WindowDpi(HWND hwnd) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpi = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
    if (getDpi && hwnd) {
        const UINT dpi = getDpi(hwnd);
        if (dpi > 0)
            return {static_cast<int>(dpi)};
    }
    return SystemDpi();
}

void AdjustForFrame(RECT& rect, DWORD style, DWORD exStyle, Dpi dpi) {
    using AdjustFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto adjust = User32Function<AdjustFn>("AdjustWindowRectExForDpi");
    if (!adjust || !adjust(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi.value)))
        AdjustWindowRectEx(&rect, style, FALSE, exStyle);
}

}  // namespace ui::win32
