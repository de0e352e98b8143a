// Room for captions wider than their places: measured with GetTextExtentPoint32 in the font
// each control shows, at the window's DPI, and given as ui/caption_room.h lays it out.
#include <algorithm>
#include <set>
#include <sstream>
#include <vector>

#include "ui/caption_room.h"
#include "ui/win32/wide_text.h"
#include "ui/win32/win32_gadgets.h"

namespace ui::win32 {

namespace {

// Beyond its text, at 96 DPI: a check box's box and gap, a button's bevel, a frame's title
// inset, a combo box's arrow and margins, the room after the last tab.
constexpr int kCheckBoxMargin = 13 + 6;
constexpr int kButtonMargin = 12;
constexpr int kFrameMargin = 16;
constexpr int kComboMargin = 17 + 8;
constexpr int kTabsMargin = 4;

int TextWidth(HDC dc, HFONT font, const std::string& text) {
    const std::wstring wide = Wide(text);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    SelectObject(dc, old);
    return size.cx;
}

// The words of a caption, as a label breaks its lines between them.
std::vector<std::wstring> Words(const std::wstring& text) {
    std::vector<std::wstring> words;
    std::wstringstream in(text);
    for (std::wstring word; in >> word;)
        words.push_back(word);
    return words;
}

}  // namespace

Wrapping Win32Gadgets::LabelWrapping(const Control& label) const {
    const HFONT font = FontOf(label.layout);
    const std::wstring text = Wide(label.want.text);
    int widest = 0;
    for (const std::wstring& word : Words(text))
        widest = std::max(widest, TextWidth(measureDc_, font, Utf8(word)));
    const Dpi dpi = dpi_;
    Wrapping wrap;
    wrap.narrowest = (widest * 96 + dpi.value - 1) / dpi.value;
    wrap.heightAt = [dc = measureDc_, font, text, dpi](int width) {
        // As the static control breaks it: DrawText's word breaks in its own font.
        RECT r{0, 0, dpi.Scale(width), 0};
        HGDIOBJ old = SelectObject(dc, font);
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
                  DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        SelectObject(dc, old);
        return (static_cast<int>(r.bottom) * 96 + dpi.value - 1) / dpi.value;
    };
    return wrap;
}

int Win32Gadgets::CaptionNeed(const Control& control) const {
    const GadgetLayout& g = control.layout;
    const HFONT font = FontOf(g);
    int px = 0;
    switch (g.kind) {
        case GadgetKind::Label:
        case GadgetKind::Hyperlink:
        case GadgetKind::CheckBox:
        case GadgetKind::Button:
        case GadgetKind::Frame: {
            if (g.sunken || control.want.text.find('\n') != std::string::npos)
                return 0;  // the About text wraps in its box
            const int margin = g.kind == GadgetKind::CheckBox ? kCheckBoxMargin
                               : g.kind == GadgetKind::Button ? kButtonMargin
                               : g.kind == GadgetKind::Frame  ? kFrameMargin
                                                              : 0;
            px = TextWidth(measureDc_, font, control.want.text) + dpi_.Scale(margin);
            break;
        }
        case GadgetKind::ComboBox:
            if (g.itemsMayOverflow)
                return 0;
            for (const std::string& item : control.want.items)
                px = std::max(px, TextWidth(measureDc_, font, item) + dpi_.Scale(kComboMargin));
            break;
        case GadgetKind::Panel: {
            // The tabs as the control lays them out, icons and padding included.
            RECT last{};
            const LRESULT count = panel_ ? SendMessageW(panel_, TCM_GETITEMCOUNT, 0, 0) : 0;
            if (count <= 0 || !SendMessageW(panel_, TCM_GETITEMRECT, count - 1,
                                            reinterpret_cast<LPARAM>(&last))) {
                return 0;
            }
            px = last.right + dpi_.Scale(kTabsMargin);
            break;
        }
        default:
            return 0;
    }
    return (px * 96 + dpi_.value - 1) / dpi_.value;
}

void Win32Gadgets::MakeRoomForCaptions() {
    if (!roomStale_ || !window_)
        return;
    roomStale_ = false;
    std::map<int, int> need;
    std::map<int, Wrapping> wraps;
    for (const GadgetLayout& g : Layout().gadgets) {
        need[g.number] = CaptionNeed(*Find(g.number));
        if (g.kind == GadgetKind::Label && need[g.number] > 0)
            wraps[g.number] = LabelWrapping(*Find(g.number));
    }
    // The window's borders, as the frame at this DPI has them.
    const int frame =
        OuterSize().cx - dpi_.Scale(roomWidth_ > 0 ? roomWidth_ : Layout().clientWidth);
    const WindowLayout room =
        MakeRoom(Layout(), need, (workArea_ - frame) * 96 / dpi_.value, wraps);
    std::map<int, Rect> places;
    std::set<int> wrapped;
    for (const GadgetLayout& g : room.gadgets) {
        places[g.number] = g.place;
        if (wraps.count(g.number) && need[g.number] > g.place.w)
            wrapped.insert(g.number);
    }
    if (places == roomPlaces_ && room.clientWidth == roomWidth_ &&
        room.clientHeight == roomHeight_ && wrapped == wrapped_)
        return;
    roomPlaces_ = std::move(places);
    roomWidth_ = room.clientWidth;
    roomHeight_ = room.clientHeight;
    wrapped_ = std::move(wrapped);
    PlaceAll();
    if (!IsWindowVisible(window_)) {  // centred again at its new size
        RECT r{};
        GetWindowRect(window_, &r);
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(monitor);
        GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
        const RECT& work = monitor.rcWork;
        SetWindowPos(window_, nullptr,
                     std::max(work.left, (work.left + work.right - (r.right - r.left)) / 2),
                     std::max(work.top, (work.top + work.bottom - (r.bottom - r.top)) / 2), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

}  // namespace ui::win32
