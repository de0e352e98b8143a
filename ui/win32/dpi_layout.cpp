// Places in pixels: every control's from its place at 96 DPI, and all of them again when the
// window moves to a monitor of another scale.
#include "ui/win32/win32_gadgets.h"

namespace ui::win32 {

namespace {

// The part of a drop-down list's height below its selection field.
constexpr int kDropDownHeight = 200;

}  // namespace

Rect Win32Gadgets::PlaceOf(const GadgetLayout& g) const {
    const int extraHeight = g.kind == GadgetKind::ComboBox ? kDropDownHeight : 0;
    const auto room = roomPlaces_.find(g.number);
    const Rect& p = room != roomPlaces_.end() ? room->second : g.place;
    return {dpi_.Scale(p.x), dpi_.Scale(p.y), dpi_.Scale(p.w), dpi_.Scale(p.h + extraHeight)};
}

Rect Win32Gadgets::PageArea() const {
    RECT display{};
    if (panel_) {
        GetClientRect(panel_, &display);
        SendMessageW(panel_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    }
    return {display.left, display.top, display.right - display.left, display.bottom - display.top};
}

void Win32Gadgets::PlacePages() {
    const Rect area = PageArea();
    for (HWND page : pages_) {
        RECT r{};
        GetWindowRect(page, &r);
        MapWindowPoints(nullptr, panel_, reinterpret_cast<POINT*>(&r), 2);
        if (Rect{r.left, r.top, r.right - r.left, r.bottom - r.top} != area) {
            SetWindowPos(page, nullptr, area.x, area.y, area.w, area.h,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
}

void Win32Gadgets::PlaceAll() {
    const SIZE outer = OuterSize();
    SetWindowPos(window_, nullptr, 0, 0, outer.cx, outer.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    auto place = [this](const GadgetLayout& g, HWND hwnd) {
        const Rect r = PlaceOf(g);
        SetWindowPos(hwnd, nullptr, r.x, r.y, r.w, r.h, SWP_NOZORDER | SWP_NOACTIVATE);
    };
    if (panel_)  // first: the pages fill its display area
        place(Find(Layout().panel)->layout, panel_);
    for (const auto& [number, native] : natives_) {
        const Control& c = *Find(number);
        const GadgetLayout& g = c.layout;
        if (g.kind == GadgetKind::Panel || g.kind == GadgetKind::Container)
            continue;
        place(g, native.hwnd);
        if (g.kind == GadgetKind::Image)
            ScaleImage(native.hwnd, g.image, dpi_.Scale(g.place.w), dpi_.Scale(g.place.h));
        else if (g.kind == GadgetKind::ListBox)
            UpdateListExtent(native.hwnd, measureDc_, c.want.items);
        else if (g.kind == GadgetKind::Label && !g.sunken)
            SetLabelWraps(native.hwnd, wrapped_.count(number) > 0);
    }
    PlacePages();
}

void Win32Gadgets::ApplyDpi(Dpi dpi, int workArea) {
    dpi_ = dpi;
    workArea_ = workArea;
    ApplyFonts();
    roomStale_ = true;  // captions measure otherwise in fonts of another size
    MakeRoomForCaptions();
    PlaceAll();
    InvalidateRect(window_, nullptr, TRUE);
}

}  // namespace ui::win32
