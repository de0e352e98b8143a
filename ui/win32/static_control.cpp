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

void SetLabelWraps(HWND label, bool wraps) {
    const LONG_PTR style = GetWindowLongPtrW(label, GWL_STYLE);
    const LONG_PTR wanted = wraps ? style & ~SS_ENDELLIPSIS : style | SS_ENDELLIPSIS;
    if (wanted != style) {
        SetWindowLongPtrW(label, GWL_STYLE, wanted);
        InvalidateRect(label, nullptr, TRUE);
    }
}

HWND CreateFrame(const GadgetLayout&, const ControlState& s, HWND parent, int id, const Rect& px) {
    // Draws only: the gadgets inside are its siblings, created after it and painted over it.
    return MakeChild(L"BUTTON", WideCaption(s.text), BS_GROUPBOX, WS_EX_TRANSPARENT, parent, id,
                     px);
}

void SetCaption(HWND control, GadgetKind kind, const std::string& text) {
    // Labels and links are made with SS_NOPREFIX; the button kinds take "&" as a mark.
    const bool buttonKind =
        kind == GadgetKind::Button || kind == GadgetKind::CheckBox || kind == GadgetKind::Frame;
    SetWindowTextW(control, (buttonKind ? WideCaption(text) : Wide(text)).c_str());
    if (kind == GadgetKind::Frame)  // transparent: the old caption would stay drawn
        InvalidateRect(GetParent(control), nullptr, TRUE);
}

}  // namespace ui::win32
