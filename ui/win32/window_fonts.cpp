// The window's fonts at its DPI: the message face, its underlined form for links, the fixed
// face of the output box, and captions too wide for their place set a little narrower.
#include <algorithm>

#include "ui/win32/wide_text.h"
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

// `base` narrowed just enough for `text` to fit into `width` pixels, or nullptr when it fits
// as it is, measured in `dc` (a memory DC will do: no round trip to the display). The caller
// owns the font it gets.
HFONT CreateFittingFont(HDC dc, HFONT base, const std::wstring& text, int width) {
    HGDIOBJ old = SelectObject(dc, base);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    if (size.cx <= width || size.cx == 0 || text.find(L'\n') != std::wstring::npos)
        return nullptr;
    // TrueType faces scale their width with lfWidth: the same height, set a little narrower.
    LOGFONTW font{};
    GetObjectW(base, sizeof(font), &font);
    font.lfWidth = std::max<LONG>(1, metrics.tmAveCharWidth * width / size.cx);
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
        SetControlFont(*Find(number), native, true, FALSE);
    if (toolTips_)
        SendMessageW(toolTips_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    for (HFONT font : old) {
        if (font)
            DeleteObject(font);
    }
    if (panel_)
        SetPageIcons();
}

void Win32Gadgets::SetControlFont(const Control& control, Native& native, bool always,
                                  BOOL redraw) {
    const GadgetLayout& g = control.layout;
    const bool fitted =
        (g.kind == GadgetKind::Label || g.kind == GadgetKind::CheckBox) && !g.sunken;
    // A fitted caption is always in the message face, narrowed or not.
    HFONT base = fitted                            ? font_
                 : g.kind == GadgetKind::Hyperlink ? linkFont_
                 : g.fixedFont                     ? fixedFont_
                                                   : font_;
    HFONT fit = nullptr;
    if (fitted) {
        int width = dpi_.Scale(g.place.w);
        if (g.kind == GadgetKind::CheckBox)  // the box and the gap before the caption
            width -= dpi_.Scale(13 + 6);
        fit = CreateFittingFont(measureDc_, base, Wide(control.want.text), width);
        redraw = redraw || always;  // a fitted caption is redrawn in its new font
    }
    // The control already holds the base font unless it had a narrower one.
    if (always || fit || native.fitFont)
        SendMessageW(native.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(fit ? fit : base), redraw);
    if (native.fitFont)
        DeleteObject(native.fitFont);
    native.fitFont = fit;
}

}  // namespace ui::win32
