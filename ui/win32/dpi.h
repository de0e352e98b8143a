// Display scaling: the layout is in pixels at 96 DPI; everything on screen is scaled from
// there by one rule, so the window keeps its size in points at any scale.
#pragma once

#include <windows.h>

namespace ui::win32 {

struct Dpi {
    int value = 96;
    int Scale(int px) const { return MulDiv(px, value, 96); }
};

// The DPI of the monitor the window is on (per-monitor aware), else the system's.
Dpi WindowDpi(HWND hwnd);
Dpi SystemDpi();
// The outer rectangle for a client rectangle, with the frame measured at `dpi`.
void AdjustForFrame(RECT& rect, DWORD style, DWORD exStyle, Dpi dpi);

}  // namespace ui::win32
