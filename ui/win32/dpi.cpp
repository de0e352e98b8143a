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

HFONT CreateMessageFont(Dpi dpi, bool underline) {
    // Windows' own message face at the 8 points the layout's places were made for (the
    // message font itself is 9 points on current systems and would cut captions).
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    LOGFONTW font{};
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        font = metrics.lfMessageFont;
    } else {
        lstrcpyW(font.lfFaceName, L"Segoe UI");
        font.lfCharSet = DEFAULT_CHARSET;
    }
    font.lfHeight = -MulDiv(8, dpi.value, 72);
    font.lfCharSet = DEFAULT_CHARSET;  // the captions are Russian as often as English
    font.lfWidth = 0;
    font.lfUnderline = underline ? TRUE : FALSE;
    return CreateFontIndirectW(&font);
}

HFONT CreateFixedFont(Dpi dpi) {
    return CreateFontW(-MulDiv(10, dpi.value, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                       FIXED_PITCH | FF_MODERN, L"Lucida Console");
}

}  // namespace ui::win32
