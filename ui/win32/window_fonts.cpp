// The window's fonts at its DPI: the message face, its underlined form for links, the fixed
// face of the output box.
#include "ui/win32/win32_gadgets.h"

namespace ui::win32 {

namespace {

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

// "Lucida Console" 10 points, or another fixed-pitch font where it is missing.
HFONT CreateFixedFont(Dpi dpi) {
    return CreateFontW(-MulDiv(10, dpi.value, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                       FIXED_PITCH | FF_MODERN, L"Lucida Console");
}

}  // namespace

void Win32Gadgets::CreateFonts() {
    font_ = CreateMessageFont(dpi_, false);
    linkFont_ = CreateMessageFont(dpi_, true);
    fixedFont_ = CreateFixedFont(dpi_);
}

void Win32Gadgets::SetPageIcons() {
    HIMAGELIST icons = CreatePageIcons(Layout().pageIcons, dpi_.Scale(16));
    SendMessageW(panel_, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(icons));
    if (pageIcons_)
        ImageList_Destroy(pageIcons_);
    pageIcons_ = icons;
}

void Win32Gadgets::ApplyFonts() {
    HFONT old[] = {font_, linkFont_, fixedFont_};
    CreateFonts();
    for (auto& [number, native] : natives_)
        SetControlFont(*Find(number), native, FALSE);
    if (toolTips_)
        SendMessageW(toolTips_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    for (HFONT font : old) {
        if (font)
            DeleteObject(font);
    }
    if (panel_)
        SetPageIcons();
}

HFONT Win32Gadgets::FontOf(const GadgetLayout& g) const {
    return g.kind == GadgetKind::Hyperlink ? linkFont_ : g.fixedFont ? fixedFont_ : font_;
}

void Win32Gadgets::SetControlFont(const Control& control, Native& native, BOOL redraw) {
    SendMessageW(native.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(control.layout)), redraw);
}

}  // namespace ui::win32
