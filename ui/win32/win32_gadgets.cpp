// The operations the program performs on gadgets, by number.
#include "ui/win32/win32_gadgets.h"

#include <objbase.h>
#include <shellapi.h>

#include <iterator>

#include "ui/win32/controls.h"
#include "ui/win32/wide_text.h"

namespace ui::win32 {

namespace {

// Button controls draw "&" as an access key mark; labels are made with SS_NOPREFIX.
bool TakesAccessKeys(GadgetKind kind) {
    return kind == GadgetKind::Button || kind == GadgetKind::CheckBox || kind == GadgetKind::Frame;
}

bool HasItems(GadgetKind kind) {
    return kind == GadgetKind::ComboBox || kind == GadgetKind::ListBox;
}

// The program's own changes send notifications too (EN_CHANGE, BN_CLICKED from BM_SETCHECK
// on some systems): they are no user action.
struct Quiet {
    explicit Quiet(int& depth) : depth_(depth) { ++depth_; }
    ~Quiet() { --depth_; }
    int& depth_;
};

}  // namespace

Win32Gadgets::Entry* Win32Gadgets::Find(int gadget) {
    auto it = entries_.find(gadget);
    return it == entries_.end() ? nullptr : &it->second;
}

const Win32Gadgets::Entry* Win32Gadgets::Find(int gadget) const {
    auto it = entries_.find(gadget);
    return it == entries_.end() ? nullptr : &it->second;
}

Win32Gadgets::Entry* Win32Gadgets::FindByHandle(HWND hwnd) {
    auto it = owners_.find(hwnd);
    return it == owners_.end() ? nullptr : Find(it->second);
}

HWND Win32Gadgets::Handle(int gadget) {
    Entry* e = Find(gadget);
    if (e && !e->hwnd) {
        const int page = PageHolding(e->layout);
        if (page >= 0)
            MakePage(static_cast<size_t>(page));
    }
    return e ? e->hwnd : nullptr;
}

int Win32Gadgets::GadgetOf(HWND hwnd) const {
    for (HWND w = hwnd; w && w != window_; w = GetParent(w)) {
        auto it = owners_.find(w);
        if (it != owners_.end())
            return it->second;
    }
    return -1;
}

std::string Win32Gadgets::Text(int gadget) const {
    const Entry* e = Find(gadget);
    if (!e)
        return "";
    switch (e->layout.kind) {
        case GadgetKind::OutputBox:
            return e->rawText;
        case GadgetKind::ComboBox:
        case GadgetKind::ListBox:
            return ItemText(gadget, State(gadget));
        case GadgetKind::Panel:
        case GadgetKind::Container:
        case GadgetKind::Image:
            return "";
        default:
            if (!e->hwnd)
                return e->layout.caption;
            return TakesAccessKeys(e->layout.kind) ? Utf8Caption(WindowText(e->hwnd))
                                                   : Utf8(WindowText(e->hwnd));
    }
}

void Win32Gadgets::SetText(int gadget, const std::string& text) {
    Entry* e = Find(gadget);
    if (!e)
        return;
    if (!e->hwnd) {
        if (!HasItems(e->layout.kind))
            e->layout.caption = text;
        if (e->layout.kind == GadgetKind::OutputBox)
            e->rawText = text;
        return;
    }
    Quiet quiet(quietDepth_);
    switch (e->layout.kind) {
        case GadgetKind::OutputBox:
            e->rawText = text;
            SetWindowTextW(e->hwnd, WindowsLines(text).c_str());
            break;
        case GadgetKind::TextField:  // setting a text moves the caret: always done
            SetWindowTextW(e->hwnd, Wide(text).c_str());
            break;
        case GadgetKind::ComboBox:
        case GadgetKind::ListBox:
        case GadgetKind::Panel:
        case GadgetKind::Container:
        case GadgetKind::Image:
            break;
        default: {
            const std::wstring wide =
                TakesAccessKeys(e->layout.kind) ? WideCaption(text) : Wide(text);
            // Mostly the caption it was made with; each set is a round trip under wine.
            if (WindowText(e->hwnd) == wide)
                break;
            SetWindowTextW(e->hwnd, wide.c_str());
            FitCaption(*e);
            if (e->layout.kind == GadgetKind::Frame)  // transparent: the old caption stays
                InvalidateRect(GetParent(e->hwnd), nullptr, TRUE);
            break;
        }
    }
}

int Win32Gadgets::State(int gadget) const {
    const Entry* e = Find(gadget);
    if (!e)
        return 0;
    if (!e->hwnd) {
        const GadgetKind kind = e->layout.kind;
        if (kind == GadgetKind::CheckBox)
            return e->layout.initialState ? 1 : 0;
        return HasItems(kind) ? e->layout.initialState : 0;
    }
    switch (e->layout.kind) {
        case GadgetKind::CheckBox:
            return SendMessageW(e->hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
        case GadgetKind::ComboBox:
            return static_cast<int>(SendMessageW(e->hwnd, CB_GETCURSEL, 0, 0));
        case GadgetKind::ListBox:
            return static_cast<int>(SendMessageW(e->hwnd, LB_GETCURSEL, 0, 0));
        case GadgetKind::Panel:
            return static_cast<int>(SendMessageW(panel_, TCM_GETCURSEL, 0, 0));
        default:
            return 0;
    }
}

void Win32Gadgets::SetState(int gadget, int state) {
    Entry* e = Find(gadget);
    if (!e)
        return;
    if (!e->hwnd) {
        if (e->layout.kind == GadgetKind::CheckBox)
            e->layout.initialState = state ? 1 : 0;
        else if (HasItems(e->layout.kind))
            e->layout.initialState = state >= 0 && state < ItemCount(gadget) ? state : -1;
        return;
    }
    Quiet quiet(quietDepth_);
    switch (e->layout.kind) {
        case GadgetKind::CheckBox:
            SendMessageW(e->hwnd, BM_SETCHECK, state ? BST_CHECKED : BST_UNCHECKED, 0);
            break;
        case GadgetKind::ComboBox:
        case GadgetKind::ListBox: {
            // An index outside the items leaves no selection (wine's controls would keep the
            // old one).
            const bool inRange = state >= 0 && state < ItemCount(gadget);
            const UINT select =
                e->layout.kind == GadgetKind::ComboBox ? CB_SETCURSEL : LB_SETCURSEL;
            SendMessageW(e->hwnd, select,
                         inRange ? static_cast<WPARAM>(state) : static_cast<WPARAM>(-1), 0);
            break;
        }
        case GadgetKind::Panel:
            if (state >= 0 && state < static_cast<int>(pages_.size())) {
                SendMessageW(panel_, TCM_SETCURSEL, static_cast<WPARAM>(state), 0);
                ShowPage(state);
            }
            break;
        default:
            break;
    }
}

int Win32Gadgets::ItemCount(int gadget) const {
    const Entry* e = Find(gadget);
    if (!e || !HasItems(e->layout.kind))
        return 0;
    if (!e->hwnd)
        return static_cast<int>(e->layout.items.size());
    const bool list = e->layout.kind == GadgetKind::ListBox;
    return static_cast<int>(SendMessageW(e->hwnd, list ? LB_GETCOUNT : CB_GETCOUNT, 0, 0));
}

std::string Win32Gadgets::ItemText(int gadget, int index) const {
    const Entry* e = Find(gadget);
    if (!e || index < 0 || index >= ItemCount(gadget))
        return "";
    if (!e->hwnd)
        return e->layout.items[static_cast<size_t>(index)];
    return Utf8(ItemTextOf(e->hwnd, e->layout.kind == GadgetKind::ListBox, index));
}

void Win32Gadgets::ClearItems(int gadget) {
    Entry* e = Find(gadget);
    if (!e || !HasItems(e->layout.kind))
        return;
    if (!e->hwnd) {
        e->layout.items.clear();
        e->layout.initialState = -1;
        return;
    }
    Quiet quiet(quietDepth_);
    const bool list = e->layout.kind == GadgetKind::ListBox;
    SendMessageW(e->hwnd, list ? LB_RESETCONTENT : CB_RESETCONTENT, 0, 0);
    if (list)
        UpdateListExtent(e->hwnd, measureDc_);
}

void Win32Gadgets::AddItem(int gadget, const std::string& text) {
    Entry* e = Find(gadget);
    if (!e || !HasItems(e->layout.kind))
        return;
    if (!e->hwnd) {
        e->layout.items.push_back(text);
        return;
    }
    Quiet quiet(quietDepth_);
    const std::wstring wide = Wide(text);
    const bool list = e->layout.kind == GadgetKind::ListBox;
    SendMessageW(e->hwnd, list ? LB_ADDSTRING : CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(wide.c_str()));
    if (list)
        UpdateListExtent(e->hwnd, measureDc_);
}

void Win32Gadgets::SetPageTitle(int panel, int page, const std::string& title) {
    if (panel != panelNumber_ || !panel_ || page < 0 || page >= static_cast<int>(pages_.size()))
        return;
    std::wstring wide = WideCaption(title);
    wchar_t current[256] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = current;
    item.cchTextMax = static_cast<int>(std::size(current));
    if (wide.size() < std::size(current) - 1 &&
        SendMessageW(panel_, TCM_GETITEMW, static_cast<WPARAM>(page),
                     reinterpret_cast<LPARAM>(&item)) &&
        wide == current) {
        return;  // no repaint for the title it has
    }
    item.pszText = wide.data();
    SendMessageW(panel_, TCM_SETITEMW, static_cast<WPARAM>(page), reinterpret_cast<LPARAM>(&item));
    InvalidateRect(panel_, nullptr, TRUE);  // a shorter title leaves the old one drawn
}

bool Win32Gadgets::IsEnabled(int gadget) const {
    const Entry* e = Find(gadget);
    return e && (e->hwnd ? IsWindowEnabled(e->hwnd) != FALSE : e->enabled);
}

void Win32Gadgets::SetEnabled(int gadget, bool enabled) {
    Entry* e = Find(gadget);
    if (e && !e->hwnd)
        e->enabled = enabled;
    if (!e || !e->hwnd || (IsWindowEnabled(e->hwnd) != FALSE) == enabled)
        return;
    if (!enabled)
        PassFocusOn(e->hwnd);
    EnableWindow(e->hwnd, enabled);
}

bool Win32Gadgets::IsVisible(int gadget) const {
    // The gadget's own flag: a gadget on a page not shown is still visible in this sense.
    const Entry* e = Find(gadget);
    if (e && !e->hwnd)
        return e->visible;
    return e && (GetWindowLongW(e->hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Win32Gadgets::SetVisible(int gadget, bool visible) {
    Entry* e = Find(gadget);
    if (e && !e->hwnd)
        e->visible = visible;
    else if (e && IsVisible(gadget) != visible)
        ::ShowWindow(e->hwnd, visible ? SW_SHOWNA : SW_HIDE);
}

bool Win32Gadgets::IsReadOnly(int gadget) const {
    const Entry* e = Find(gadget);
    if (!e || (e->layout.kind != GadgetKind::TextField && e->layout.kind != GadgetKind::OutputBox))
        return false;
    if (!e->hwnd)
        return e->readOnly;
    return (GetWindowLongW(e->hwnd, GWL_STYLE) & ES_READONLY) != 0;
}

void Win32Gadgets::SetReadOnly(int gadget, bool readOnly) {
    Entry* e = Find(gadget);
    if (!e || (e->layout.kind != GadgetKind::TextField && e->layout.kind != GadgetKind::OutputBox))
        return;
    if (!e->hwnd)
        e->readOnly = readOnly;
    else if (IsReadOnly(gadget) != readOnly)
        SendMessageW(e->hwnd, EM_SETREADONLY, readOnly, 0);
}

void Win32Gadgets::Focus(int gadget) {
    if (!Handle(gadget))
        return;
    Entry* e = Find(gadget);
    // A hidden window takes no focus: it is given when the window is shown.
    if (!IsWindowVisible(window_)) {
        pendingFocus_ = gadget;
        return;
    }
    SetFocus(e->hwnd);
}

int Win32Gadgets::FocusedGadget() const {
    if (!IsWindowVisible(window_))
        return pendingFocus_;
    HWND focus = GetFocus();
    return focus && IsChild(window_, focus) ? GadgetOf(focus) : -1;
}

Color Win32Gadgets::TextColor(int gadget) const {
    const Entry* e = Find(gadget);
    return e ? e->textColor : Color{};
}

void Win32Gadgets::SetTextColor(int gadget, Color color) {
    if (Entry* e = Find(gadget)) {
        e->textColor = color;
        if (e->hwnd)
            InvalidateRect(e->hwnd, nullptr, TRUE);
    }
}

Color Win32Gadgets::BackColor(int gadget) const {
    const Entry* e = Find(gadget);
    return e ? e->backColor : Color{};
}

void Win32Gadgets::SetBackColor(int gadget, Color color) {
    Entry* e = Find(gadget);
    if (!e)
        return;
    e->backColor = color;
    if (e->backBrush)
        DeleteObject(e->backBrush);
    e->backBrush = nullptr;
    if (color.kind == Color::Kind::Rgb)
        e->backBrush = CreateSolidBrush(RGB(color.r, color.g, color.b));
    if (e->hwnd)
        InvalidateRect(e->hwnd, nullptr, TRUE);
}

void Win32Gadgets::SetToolTip(int gadget, const std::string& text) {
    if (Entry* e = Find(gadget)) {
        e->toolTip = Wide(text);
        UpdateToolTip(*e);
    }
}

std::string Win32Gadgets::ToolTip(int gadget) const {
    const Entry* e = Find(gadget);
    return e ? Utf8(e->toolTip) : "";
}

void Win32Gadgets::Beep() {
    ++beeps_;
    MessageBeep(MB_OK);
}

void Win32Gadgets::SetCursor(CursorShape shape) {
    cursor_ = shape;
    ::SetCursor(LoadCursorW(nullptr, shape == CursorShape::Hand ? IDC_HAND : IDC_ARROW));
}

bool Win32Gadgets::PointerInside(int gadget) const {
    const Entry* e = Find(gadget);
    POINT p{};
    RECT r{};
    return e && e->hwnd && GetCursorPos(&p) && GetWindowRect(e->hwnd, &r) && PtInRect(&r, p);
}

void Win32Gadgets::OpenUrl(const std::string& url) {
    // The shell and COM are loaded on the first link opened, not at every start.
    using ComInitFn = HRESULT(WINAPI*)(LPVOID, DWORD);
    using ExecuteFn = BOOL(WINAPI*)(SHELLEXECUTEINFOW*);
    static const ExecuteFn execute = [] {
        if (HMODULE ole = LoadLibraryW(L"ole32.dll")) {
            auto init = reinterpret_cast<ComInitFn>(
                reinterpret_cast<void*>(GetProcAddress(ole, "CoInitializeEx")));
            if (init)
                init(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        }
        HMODULE shell = LoadLibraryW(L"shell32.dll");
        return shell ? reinterpret_cast<ExecuteFn>(
                           reinterpret_cast<void*>(GetProcAddress(shell, "ShellExecuteExW")))
                     : nullptr;
    }();
    if (!execute)
        return;
    const std::wstring target = Wide(url);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_FLAG_NO_UI;  // failures are ignored, not shown
    info.lpVerb = L"open";
    info.lpFile = target.c_str();
    info.nShow = SW_SHOWNORMAL;
    execute(&info);
}

void Win32Gadgets::ShowWindow() {
    ::ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
    SetForegroundWindow(window_);
    if (HWND focus = Handle(pendingFocus_))
        SetFocus(focus);
    pendingFocus_ = -1;
}

}  // namespace ui::win32
