// The window's fonts at its DPI: the message face, its underlined form for links, the fixed
// face of the output box, and captions too wide for their place set a little narrower.
#include "ui/win32/wide_text.h"
#include "ui/win32/win32_gadgets.h"

namespace ui::win32 {

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
