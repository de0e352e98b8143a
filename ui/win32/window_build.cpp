// Making the window and its controls from the layout, each control from the state the
// program wants of it; the controls of a page the first time it is shown.
#include "ui/win32/wide_text.h"
#include "ui/win32/win32_gadgets.h"

namespace ui::win32 {

namespace {

constexpr DWORD kWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kWindowExStyle = WS_EX_CONTROLPARENT;

}  // namespace

Win32Gadgets::Win32Gadgets(const WindowLayout& layout) : GadgetFrame(layout) {
    EventQueue::Hush hush(Events());
    built_ = LayoutSound() && Build();
}

Win32Gadgets::~Win32Gadgets() {
    if (window_)
        DestroyWindow(window_);
    for (auto& [number, native] : natives_) {
        if (native.backBrush)
            DeleteObject(native.backBrush);
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
bool Win32Gadgets::Build() {
    const WindowLayout& layout = Layout();
    RegisterWindowClasses();
    window_ = CreateWindowExW(kWindowExStyle, kMainWindowClass, Wide(layout.title).c_str(),
                              kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr, nullptr,
                              Instance(), static_cast<ControlOwner*>(this));
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
        if (PageOf(*Find(g.number)) > 0)
            continue;  // made when its page is first shown
        HWND parent = g.parent == kWindowParent ? window_ : Handle(g.parent);
        if (!parent || !MakeControl(*Find(g.number), parent))
            return false;
    }
    PlacePages();  // the pages were placed from the first tab alone
    return true;
}

bool Win32Gadgets::MakeControl(Control& control, HWND parent) {
    const GadgetLayout& g = control.layout;
    HWND hwnd = CreateControl(control, parent);
    if (!hwnd)
        return false;
    Native& native = natives_[g.number];
    native.hwnd = hwnd;
    owners_[hwnd] = g.number;
    SetControlFont(control, native, FALSE);
    if (g.kind == GadgetKind::Label && !g.sunken)
        SetLabelWraps(hwnd, wrapped_.count(g.number) > 0);
    if (g.kind == GadgetKind::Image)
        ScaleImage(hwnd, g.image, dpi_.Scale(g.place.w), dpi_.Scale(g.place.h));
    else if (g.kind == GadgetKind::ListBox)
        UpdateListExtent(hwnd, measureDc_, control.want.items);
    else if (g.kind == GadgetKind::Panel)
        SetPageIcons();
    Made(control);
    return true;
}

HWND Win32Gadgets::CreateControl(const Control& control, HWND parent) {
    const GadgetLayout& g = control.layout;
    const ControlState& s = control.want;
    const int id = kFirstControlId + g.number;
    const Rect px = PlaceOf(g);
    switch (g.kind) {
        case GadgetKind::Label:
            return CreateLabel(g, s, parent, id, px);
        case GadgetKind::CheckBox:
            return CreateCheckBox(g, s, parent, id, px);
        case GadgetKind::ComboBox:
            return CreateComboBox(g, s, parent, id, px);
        case GadgetKind::Frame:
            return CreateFrame(g, s, parent, id, px);
        case GadgetKind::TextField:
            return CreateTextField(g, s, parent, id, px, this);
        case GadgetKind::OutputBox:
            return CreateOutputBox(g, s, parent, id, px, this);
        case GadgetKind::Button:
            return CreateButton(g, s, parent, id, px);
        case GadgetKind::ListBox:
            return CreateListBox(g, s, parent, id, px);
        case GadgetKind::Image:
            return CreateImage(parent, id, px);
        case GadgetKind::Hyperlink:
            return CreateLink(g, s, parent, id, px, this);
        case GadgetKind::Panel:
            panel_ = CreatePanel(parent, id, px);
            return panel_;
        case GadgetKind::Container: {
            // A page of the panel over its display area (the layout check has put them in
            // order); the gadgets on it are placed relative to it. Only the first is shown.
            const size_t page = pages_.size();
            const std::vector<int>& icons = Layout().pageIcons;
            const bool icon = page < icons.size() && icons[page] > 0;
            AddPanelPage(panel_, WideCaption(Find(Layout().panel)->want.items[page]),
                         icon ? static_cast<int>(page) : -1);
            HWND container = CreatePage(panel_, id, PageArea(), page == 0, this);
            pages_.push_back(container);
            pageMade_.push_back(page == 0);
            return container;
        }
    }
    return nullptr;
}

void Win32Gadgets::MakePage(size_t page) {
    if (page >= pages_.size() || pageMade_[page])
        return;
    pageMade_[page] = true;
    EventQueue::Hush hush(Events());
    for (const GadgetLayout& g : Layout().gadgets) {
        Control& control = *Find(g.number);
        if (!control.made && PageOf(control) == static_cast<int>(page))
            MakeControl(control, pages_[page]);  // a refused control keeps its wanted state
    }
}

void Win32Gadgets::ShowPage(int page) {
    if (page >= 0)
        MakePage(static_cast<size_t>(page));
    for (size_t i = 0; i < pages_.size(); ++i) {
        const bool shown = static_cast<int>(i) == page;
        // Keys sent to a control of a hidden page would go nowhere: the tabs take them.
        if (!shown && IsChild(pages_[i], GetFocus()))
            SetFocus(panel_);
        if (shown != ((GetWindowLongW(pages_[i], GWL_STYLE) & WS_VISIBLE) != 0))
            ::ShowWindow(pages_[i], shown ? SW_SHOWNA : SW_HIDE);
    }
}

SIZE Win32Gadgets::OuterSize() const {
    RECT outer{0, 0, dpi_.Scale(roomWidth_ > 0 ? roomWidth_ : Layout().clientWidth),
               dpi_.Scale(roomHeight_ > 0 ? roomHeight_ : Layout().clientHeight)};
    AdjustForFrame(outer, kWindowStyle, kWindowExStyle, dpi_);
    return {outer.right - outer.left, outer.bottom - outer.top};
}

}  // namespace ui::win32
