// Building the window from its layout, placing it for the monitor's DPI, and the window
// procedures' shared part: the controls' notifications and colours.
#include <algorithm>

#include "ui/input_filter.h"
#include "ui/win32/controls.h"
#include "ui/win32/wide_text.h"
#include "ui/win32/win32_gadgets.h"

namespace ui::win32 {

namespace {

constexpr DWORD kWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kWindowExStyle = WS_EX_CONTROLPARENT;
// The part of a drop-down list's height below its selection field.
constexpr int kDropDownHeight = 200;

COLORREF ToColorRef(Color c) {
    return c.kind == Color::Kind::ButtonFace ? GetSysColor(COLOR_BTNFACE) : RGB(c.r, c.g, c.b);
}

}  // namespace

Win32Gadgets::Win32Gadgets(const WindowLayout& layout) : layout_(layout) {
    ++quietDepth_;
    built_ = Build(layout);
    --quietDepth_;
}

Win32Gadgets::~Win32Gadgets() {
    if (window_)
        DestroyWindow(window_);
    for (auto& [number, entry] : entries_) {
        if (entry.backBrush)
            DeleteObject(entry.backBrush);
        if (entry.fitFont)
            DeleteObject(entry.fitFont);
    }
    for (HFONT font : {font_, linkFont_, fixedFont_}) {
        if (font)
            DeleteObject(font);
    }
    if (pageIcons_)
        ImageList_Destroy(pageIcons_);
    if (measureDc_)
        DeleteDC(measureDc_);
}

// Every control is made at its final scaled place, with its font and its visibility, while the
// window is still hidden: under wine each later move, font or show is a round trip to the
// server.
bool Win32Gadgets::Build(const WindowLayout& layout) {
    RegisterWindowClasses();
    panelNumber_ = layout.panel;
    window_ =
        CreateWindowExW(kWindowExStyle, kMainWindowClass, Wide(layout.title).c_str(), kWindowStyle,
                        CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr, nullptr, Instance(), this);
    if (!window_)
        return false;
    dpi_ = WindowDpi(window_);
    measureDc_ = CreateCompatibleDC(nullptr);
    CreateFonts();
    toolTips_ =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, Instance(), nullptr);
    if (toolTips_)
        SendMessageW(toolTips_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    // Sized and centred on the monitor's work area in one move.
    const SIZE outer = OuterSize();
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    SetWindowPos(window_, nullptr, work.left + (work.right - work.left - outer.cx) / 2,
                 work.top + (work.bottom - work.top - outer.cy) / 2, outer.cx, outer.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    for (const GadgetLayout& g : layout.gadgets) {
        if (entries_.count(g.number))
            return false;  // numbers are unique
        HWND parent = g.parent == kWindowParent ? window_ : Handle(g.parent);
        if (!parent)
            return false;
        Entry& entry = entries_[g.number];
        entry.layout = g;
        entry.textColor = g.textColor;
        entry.toolTip = Wide(g.toolTip);
        if (g.kind == GadgetKind::OutputBox)
            entry.rawText = g.caption;
        if (PageHolding(g) > 0)
            continue;  // made when its page is first shown
        if (!MakeControl(entry, parent)) {
            entries_.erase(g.number);
            return false;
        }
    }
    if (layout.panel >= 0 && !panel_)
        return false;
    PlacePages();  // the pages were placed from the first tab alone
    return true;
}

bool Win32Gadgets::MakeControl(Entry& entry, HWND parent) {
    const GadgetLayout& g = entry.layout;
    HWND hwnd = CreateControl(entry, parent);
    if (!hwnd)
        return false;
    entry.hwnd = hwnd;
    owners_[hwnd] = g.number;
    SetControlFont(entry, true, FALSE);
    if (g.kind == GadgetKind::Image)
        ScaleImage(hwnd, g.image, dpi_.Scale(g.place.w), dpi_.Scale(g.place.h));
    else if (g.kind == GadgetKind::ListBox)
        UpdateListExtent(hwnd, measureDc_);
    else if (g.kind == GadgetKind::Panel)
        SetPageIcons();
    if (!entry.toolTip.empty())
        UpdateToolTip(entry);
    // What the program set before the control was made.
    if (!entry.enabled)
        EnableWindow(hwnd, FALSE);
    if (entry.readOnly)
        SendMessageW(hwnd, EM_SETREADONLY, TRUE, 0);
    if (!entry.visible)
        ::ShowWindow(hwnd, SW_HIDE);
    return true;
}

int Win32Gadgets::PageHolding(const GadgetLayout& g) const {
    const auto& pages = layout_.pageContainers;
    for (size_t i = 0; i < pages.size(); ++i) {
        if (pages[i] == g.parent)
            return static_cast<int>(i);
    }
    return -1;
}

void Win32Gadgets::MakePage(size_t page) {
    if (page >= pages_.size() || pageMade_[page])
        return;
    pageMade_[page] = true;
    ++quietDepth_;
    for (const GadgetLayout& g : layout_.gadgets) {
        auto it = entries_.find(g.number);
        if (it != entries_.end() && !it->second.hwnd && PageHolding(g) == static_cast<int>(page))
            MakeControl(it->second, pages_[page]);  // a refused control stays as it was set
    }
    --quietDepth_;
}

Rect Win32Gadgets::PlaceOf(const GadgetLayout& g) const {
    const int extraHeight = g.kind == GadgetKind::ComboBox ? kDropDownHeight : 0;
    return {dpi_.Scale(g.place.x), dpi_.Scale(g.place.y), dpi_.Scale(g.place.w),
            dpi_.Scale(g.place.h + extraHeight)};
}

Rect Win32Gadgets::PageArea() const {
    RECT display{};
    if (panel_) {
        GetClientRect(panel_, &display);
        SendMessageW(panel_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    }
    return {display.left, display.top, display.right - display.left, display.bottom - display.top};
}

SIZE Win32Gadgets::OuterSize() const {
    RECT outer{0, 0, dpi_.Scale(layout_.clientWidth), dpi_.Scale(layout_.clientHeight)};
    AdjustForFrame(outer, kWindowStyle, kWindowExStyle, dpi_);
    return {outer.right - outer.left, outer.bottom - outer.top};
}

HWND Win32Gadgets::CreateControl(Entry& entry, HWND parent) {
    const GadgetLayout& g = entry.layout;
    const int id = kFirstControlId + g.number;
    const Rect px = PlaceOf(g);
    switch (g.kind) {
        case GadgetKind::Label:
            return CreateLabel(g, parent, id, px);
        case GadgetKind::CheckBox:
            return CreateCheckBox(g, parent, id, px);
        case GadgetKind::ComboBox:
            return CreateComboBox(g, parent, id, px);
        case GadgetKind::Frame:
            return CreateFrame(g, parent, id, px);
        case GadgetKind::TextField:
            return CreateTextField(g, parent, id, px, this);
        case GadgetKind::OutputBox:
            return CreateOutputBox(g, parent, id, px, this);
        case GadgetKind::Button:
            return CreateButton(g, parent, id, px);
        case GadgetKind::ListBox:
            return CreateListBox(g, parent, id, px);
        case GadgetKind::Image:
            return CreateImage(g, parent, id, px);
        case GadgetKind::Hyperlink:
            return CreateLink(g, parent, id, px, this);
        case GadgetKind::Panel:
            if (panel_ || g.number != panelNumber_ || parent != window_)
                return nullptr;  // one panel per window
            panel_ = CreatePanel(parent, id, px);
            return panel_;
        case GadgetKind::Container: {
            // A page of the panel over its display area; the gadgets on it are placed
            // relative to it. Only the first page is shown.
            const size_t page = pages_.size();
            const Entry* panel = Find(panelNumber_);
            if (!panel || parent != panel_ || page >= panel->layout.items.size() ||
                page >= layout_.pageContainers.size() || layout_.pageContainers[page] != g.number) {
                return nullptr;
            }
            const bool icon = page < layout_.pageIcons.size() && layout_.pageIcons[page] > 0;
            AddPanelPage(panel_, WideCaption(panel->layout.items[page]),
                         icon ? static_cast<int>(page) : -1);
            HWND container = CreatePage(panel_, id, PageArea(), page == 0, this);
            pages_.push_back(container);
            pageMade_.push_back(page == 0);
            return container;
        }
    }
    return nullptr;
}

void Win32Gadgets::CreateFonts() {
    font_ = CreateMessageFont(dpi_, false);
    linkFont_ = CreateMessageFont(dpi_, true);
    fixedFont_ = CreateFixedFont(dpi_);
}

void Win32Gadgets::SetPageIcons() {
    HIMAGELIST icons = CreatePageIcons(layout_.pageIcons, dpi_.Scale(16));
    SendMessageW(panel_, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(icons));
    if (pageIcons_)
        ImageList_Destroy(pageIcons_);
    pageIcons_ = icons;
}

void Win32Gadgets::ApplyFonts() {
    HFONT old[] = {font_, linkFont_, fixedFont_};
    CreateFonts();
    for (auto& [number, entry] : entries_) {
        if (entry.hwnd)
            SetControlFont(entry, true, FALSE);
    }
    if (toolTips_)
        SendMessageW(toolTips_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    for (HFONT font : old) {
        if (font)
            DeleteObject(font);
    }
    if (panel_)
        SetPageIcons();
}

void Win32Gadgets::SetControlFont(Entry& entry, bool always, BOOL redraw) {
    const GadgetKind kind = entry.layout.kind;
    const bool fitted =
        (kind == GadgetKind::Label || kind == GadgetKind::CheckBox) && !entry.layout.sunken;
    // A fitted caption is always in the message face, narrowed or not.
    HFONT base = fitted                          ? font_
                 : kind == GadgetKind::Hyperlink ? linkFont_
                 : entry.layout.fixedFont        ? fixedFont_
                                                 : font_;
    HFONT fit = nullptr;
    if (fitted) {
        int width = dpi_.Scale(entry.layout.place.w);
        if (kind == GadgetKind::CheckBox)  // the box and the gap before the caption
            width -= dpi_.Scale(13 + 6);
        fit = CreateFittingFont(measureDc_, base, WindowText(entry.hwnd), width);
        redraw = redraw || always;  // a fitted caption is redrawn in its new font
    }
    // The control already holds the base font unless it had a narrower one.
    if (always || fit || entry.fitFont)
        SendMessageW(entry.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(fit ? fit : base), redraw);
    if (entry.fitFont)
        DeleteObject(entry.fitFont);
    entry.fitFont = fit;
}

void Win32Gadgets::FitCaption(Entry& entry) {
    SetControlFont(entry, false, TRUE);
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
    auto place = [this](const Entry& entry) {
        const Rect r = PlaceOf(entry.layout);
        SetWindowPos(entry.hwnd, nullptr, r.x, r.y, r.w, r.h, SWP_NOZORDER | SWP_NOACTIVATE);
    };
    if (const Entry* panel = Find(panelNumber_))
        place(*panel);  // first: the pages fill its display area
    for (auto& [number, entry] : entries_) {
        const GadgetLayout& g = entry.layout;
        if (!entry.hwnd)
            continue;  // made at the DPI of its time
        switch (g.kind) {
            case GadgetKind::Panel:
            case GadgetKind::Container:
                break;
            case GadgetKind::Image:
                place(entry);
                ScaleImage(entry.hwnd, g.image, dpi_.Scale(g.place.w), dpi_.Scale(g.place.h));
                break;
            case GadgetKind::ListBox:
                place(entry);
                UpdateListExtent(entry.hwnd, measureDc_);
                break;
            default:
                place(entry);
                break;
        }
    }
    PlacePages();
}

void Win32Gadgets::ApplyDpi(Dpi dpi) {
    dpi_ = dpi;
    ApplyFonts();
    PlaceAll();
    InvalidateRect(window_, nullptr, TRUE);
}

void Win32Gadgets::ShowPage(int page) {
    if (page >= 0)
        MakePage(static_cast<size_t>(page));
    for (size_t i = 0; i < pages_.size(); ++i) {
        const bool shown = static_cast<int>(i) == page;
        if (shown != ((GetWindowLongW(pages_[i], GWL_STYLE) & WS_VISIBLE) != 0))
            ::ShowWindow(pages_[i], shown ? SW_SHOWNA : SW_HIDE);
    }
}

void Win32Gadgets::UpdateToolTip(Entry& entry) {
    if (!toolTips_ || !entry.hwnd)
        return;
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(entry.hwnd);
    tool.lpszText = entry.toolTip.data();
    if (entry.toolTip.empty()) {
        if (entry.hasToolTip)
            SendMessageW(toolTips_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    } else {
        SendMessageW(toolTips_, entry.hasToolTip ? TTM_UPDATETIPTEXTW : TTM_ADDTOOLW, 0,
                     reinterpret_cast<LPARAM>(&tool));
    }
    entry.hasToolTip = !entry.toolTip.empty();
}

wchar_t Win32Gadgets::FilterChar(Entry& entry, wchar_t ch) {
    if (entry.layout.kind != GadgetKind::TextField)
        return ch;
    if (GetWindowLongW(entry.hwnd, GWL_STYLE) & ES_READONLY)
        return ch;
    // Control characters other than Backspace and Enter are editing commands (Ctrl+C, Ctrl+V).
    if ((ch < 0x20 && ch != L'\b' && ch != L'\r' && ch != L'\n') || ch == 0x7F)
        return ch;
    const std::wstring text = WindowText(entry.hwnd);
    DWORD from = 0, to = 0;
    SendMessageW(entry.hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                 reinterpret_cast<LPARAM>(&to));
    const int start = CodePointsBefore(text, static_cast<int>(from));
    const int length = CodePointsBefore(text, static_cast<int>(to)) - start;
    // Half of a surrogate pair is no digit, no point: the rule needs no more of it.
    const char32_t typed = (ch >= 0xD800 && ch <= 0xDFFF) ? U'\uFFFD' : ch;
    switch (TypedCharVerdict(entry.layout, typed, Utf8(text), start, length)) {
        case FilterVerdict::Pass:
            return ch;
        case FilterVerdict::PassAsPoint:
            return L'.';
        case FilterVerdict::Discard:
            return 0;
        case FilterVerdict::DiscardWithBeep:
            Beep();
            return 0;
    }
    return ch;
}

LRESULT Win32Gadgets::ControlColors(UINT message, HDC dc, HWND control, HWND parent) {
    const LRESULT standard = DefWindowProcW(parent, message, reinterpret_cast<WPARAM>(dc),
                                            reinterpret_cast<LPARAM>(control));
    const Entry* e = FindByHandle(control);
    if (!e)
        return standard;
    Color text = e->textColor;
    if (e->layout.kind == GadgetKind::Hyperlink && e->hovered &&
        e->layout.hoverColor.kind != Color::Kind::Default) {
        text = e->layout.hoverColor;
    }
    if (text.kind != Color::Kind::Default)
        ::SetTextColor(dc, ToColorRef(text));
    if (e->backColor.kind == Color::Kind::Rgb) {
        SetBkColor(dc, ToColorRef(e->backColor));
        return reinterpret_cast<LRESULT>(e->backBrush);
    }
    if (e->backColor.kind == Color::Kind::ButtonFace) {
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    if (e->layout.kind == GadgetKind::OutputBox) {  // read-only, yet white to be read
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    return standard;
}

bool Win32Gadgets::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                 LRESULT& result) {
    switch (message) {
        case WM_COMMAND: {
            result = 0;
            Entry* e = Find(static_cast<int>(LOWORD(wParam)) - kFirstControlId);
            if (!e || e->hwnd != reinterpret_cast<HWND>(lParam))
                return lParam == 0;  // IDOK and IDCANCEL of the dialog keys: nothing
            const int n = e->layout.number;
            const UINT code = HIWORD(wParam);
            switch (e->layout.kind) {
                case GadgetKind::CheckBox:
                case GadgetKind::Button:
                    if (code == BN_CLICKED)
                        Report(Event::OnGadget(n, kEventClick));
                    break;
                case GadgetKind::TextField:
                    if (code == EN_CHANGE)
                        Report(Event::OnGadget(n, kEventTextChange));
                    break;
                case GadgetKind::ComboBox:
                    if (code == CBN_SELCHANGE)
                        Report(Event::OnGadget(n, kEventSelectionChange));
                    break;
                case GadgetKind::ListBox:
                    if (code == LBN_SELCHANGE)
                        Report(Event::OnGadget(n, kEventClick));
                    if (code == LBN_DBLCLK)
                        Report(Event::OnGadget(n, kEventDoubleClick));
                    break;
                case GadgetKind::Image:
                case GadgetKind::Hyperlink:
                    if (code == STN_CLICKED)
                        Report(Event::OnGadget(n, kEventClick));
                    break;
                default:
                    break;
            }
            return true;
        }
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->hwndFrom == panel_ && header->code == TCN_SELCHANGE) {
                ShowPage(State(panelNumber_));
                Report(Event::OnGadget(panelNumber_, kEventClick));
                result = 0;
                return true;
            }
            return false;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
            result = ControlColors(message, reinterpret_cast<HDC>(wParam),
                                   reinterpret_cast<HWND>(lParam), hwnd);
            return true;
        case WM_SETCURSOR:
            // The About page's hover rule has asked for the hand.
            if (cursor_ == CursorShape::Hand && LOWORD(lParam) == HTCLIENT) {
                ::SetCursor(LoadCursorW(nullptr, IDC_HAND));
                result = TRUE;
                return true;
            }
            return false;
        default:
            break;
    }
    if (hwnd != window_)
        return false;
    switch (message) {
        case WM_CLOSE:
            // The window stays until the program has read its gadgets for the last time.
            closed_ = true;
            ::ShowWindow(window_, SW_HIDE);
            events_.push_back(Event::Close());
            result = 0;
            return true;
        case WM_ACTIVATE:
            // Like a dialog: the focus comes back to where it was.
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus && IsChild(window_, focus))
                    lastFocus_ = focus;
                return false;
            }
            if (lastFocus_ && IsWindow(lastFocus_) && IsWindowVisible(lastFocus_)) {
                SetFocus(lastFocus_);
                result = 0;
                return true;
            }
            return false;
        case WM_DPICHANGED: {
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            ApplyDpi({static_cast<int>(HIWORD(wParam))});
            SetWindowPos(window_, nullptr, suggested->left, suggested->top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            result = 0;
            return true;
        }
        default:
            return false;
    }
}

}  // namespace ui::win32
