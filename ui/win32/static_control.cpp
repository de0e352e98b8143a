// Labels (optionally right-aligned or sunken) and captioned frames.
#include "ui/win32/controls.h"
#include "ui/win32/wide_text.h"

namespace ui::win32 {

HWND CreateLabel(const GadgetLayout& g, HWND parent, int id, const Rect& px) {
    DWORD style = (g.alignRight ? SS_RIGHT : SS_LEFT) | SS_NOPREFIX;
    if (!g.sunken)
        style |= SS_ENDELLIPSIS;  // a caption too long for its place shows that it is cut
    return MakeChild(L"STATIC", Wide(g.caption), style, g.sunken ? WS_EX_STATICEDGE : 0, parent, id,
                     px);
}

HWND CreateFrame(const GadgetLayout& g, HWND parent, int id, const Rect& px) {
    // Draws only: the gadgets inside are its siblings, created after it and painted over it.
    return MakeChild(L"BUTTON", WideCaption(g.caption), BS_GROUPBOX, WS_EX_TRANSPARENT, parent, id,
                     px);
}

}  // namespace ui::win32
