// The window's fonts at its DPI: the message face, its underlined form for links, the fixed
// face of the output box.
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
