// Labels (optionally right-aligned or sunken) and captioned frames, and the caption write of
// every kind that shows one.
#include "ui/win32/controls.h"
#include "ui/win32/wide_text.h"

namespace ui::win32 {

HWND CreateLabel(const GadgetLayout& g, const ControlState& s, HWND parent, int id,
                 const Rect& px) {
    DWORD style = (g.alignRight ? SS_RIGHT : SS_LEFT) | SS_NOPREFIX;
    if (!g.sunken)
        style |= SS_ENDELLIPSIS;  // a caption too long for its place shows that it is cut
    return MakeChild(L"STATIC", Wide(s.text), style, g.sunken ? WS_EX_STATICEDGE : 0, parent, id,
                     px);
}

HWND CreateFrame(const GadgetLayout&, const ControlState& s, HWND parent, int id, const Rect& px) {
    // Draws only: the gadgets inside are its siblings, created after it and painted over it.
    return MakeChild(L"BUTTON", Wide(s.text), BS_GROUPBOX, WS_EX_TRANSPARENT, parent, id, px);
}

void SetCaption(HWND control, GadgetKind kind, const std::string& text) {
    SetWindowTextW(control, Wide(text).c_str());
    if (kind == GadgetKind::Frame)  // transparent: the old caption would stay drawn
        InvalidateRect(GetParent(control), nullptr, TRUE);
}

}  // namespace ui::win32
