// The wanted state pushed to the controls, what the user changes read back from them, and the
// rest of the program's requests that are Windows' own.
#include "ui/win32/win32_gadgets.h"

#include <objbase.h>
#include <shellapi.h>

#include "ui/win32/wide_text.h"

namespace ui::win32 {

Win32Gadgets::Native* Win32Gadgets::NativeOf(int gadget) {
    auto it = natives_.find(gadget);
    return it == natives_.end() ? nullptr : &it->second;
}

const Win32Gadgets::Native* Win32Gadgets::NativeOf(int gadget) const {
    auto it = natives_.find(gadget);
    return it == natives_.end() ? nullptr : &it->second;
}

const Win32Gadgets::Control* Win32Gadgets::ControlOf(HWND hwnd) const {
    auto it = owners_.find(hwnd);
    return it == owners_.end() ? nullptr : Find(it->second);
}

HWND Win32Gadgets::Handle(int gadget) {
    const Control* c = Find(gadget);
    if (c && !c->made && PageOf(*c) >= 0)
        MakePage(static_cast<size_t>(PageOf(*c)));
    const Native* native = NativeOf(gadget);
    return native ? native->hwnd : nullptr;
}

int Win32Gadgets::GadgetOf(HWND hwnd) const {
    for (HWND w = hwnd; w && w != window_; w = GetParent(w)) {
        auto it = owners_.find(w);
        if (it != owners_.end())
            return it->second;
    }
    return -1;
}

std::string Win32Gadgets::ReadText(const Control& control) const {
    return EditText(NativeOf(control.layout.number)->hwnd);
}

int Win32Gadgets::ReadState(const Control& control) const {
    HWND hwnd = NativeOf(control.layout.number)->hwnd;
    switch (control.layout.kind) {
        case GadgetKind::CheckBox:
            return CheckOf(hwnd);
        case GadgetKind::ComboBox:
        case GadgetKind::ListBox:
            return SelectionOf(hwnd, control.layout.kind);
        case GadgetKind::Panel:
            return ShownPage(hwnd);
        default:
            return control.want.state;
    }
}

void Win32Gadgets::Push(Control& control, Aspect aspect) {
    Native& native = natives_[control.layout.number];
    HWND hwnd = native.hwnd;
    const GadgetKind kind = control.layout.kind;
    const ControlState& s = control.want;
    switch (aspect) {
        case Aspect::Text:
            PushText(control, native);
            break;
        case Aspect::State:
            if (kind == GadgetKind::CheckBox) {
                SetCheck(hwnd, s.state);
            } else if (HasItems(kind)) {
                Select(hwnd, kind, s.state);
            } else if (kind == GadgetKind::Panel) {
                ChoosePage(hwnd, s.state);
                ShowPage(s.state);
            }
            break;
        case Aspect::Items:
            roomStale_ = roomStale_ || kind != GadgetKind::ListBox;
            if (kind == GadgetKind::Panel) {
                SetPageTitles(hwnd, s.items);
            } else {
                SetItems(hwnd, kind, s.items);
                if (kind == GadgetKind::ListBox)
                    UpdateListExtent(hwnd, measureDc_, s.items);
            }
            break;
        case Aspect::Enabled:
            if (!s.enabled)
                PassFocusOn(hwnd);
            EnableWindow(hwnd, s.enabled);
            break;
        case Aspect::Visible:
            ::ShowWindow(hwnd, s.visible ? SW_SHOWNA : SW_HIDE);
            break;
        case Aspect::ReadOnly:
            if (kind == GadgetKind::TextField || kind == GadgetKind::OutputBox)
                SetEditReadOnly(hwnd, s.readOnly);
            break;
        case Aspect::Colors:
            PushColors(control, native);
            break;
        case Aspect::ToolTip:
            PushToolTip(control, native);
            break;
    }
}

void Win32Gadgets::PushText(const Control& control, Native& native) {
    const GadgetKind kind = control.layout.kind;
    if (kind == GadgetKind::TextField || kind == GadgetKind::OutputBox) {
        SetEditText(native.hwnd, control.want.text);
        return;
    }
    SetCaption(native.hwnd, kind, control.want.text);
    roomStale_ = true;
}

void Win32Gadgets::PushColors(const Control& control, Native& native) {
    const Color back = control.want.backColor;
    if (native.backBrush)
        DeleteObject(native.backBrush);
    native.backBrush =
        back.kind == Color::Kind::Rgb ? CreateSolidBrush(RGB(back.r, back.g, back.b)) : nullptr;
    InvalidateRect(native.hwnd, nullptr, TRUE);
}

void Win32Gadgets::PushToolTip(const Control& control, Native& native) {
    if (!toolTips_)
        return;
    std::wstring text = Wide(control.want.toolTip);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(native.hwnd);
    tool.lpszText = text.data();
    if (text.empty()) {
        if (native.hasToolTip)
            SendMessageW(toolTips_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    } else {
        SendMessageW(toolTips_, native.hasToolTip ? TTM_UPDATETIPTEXTW : TTM_ADDTOOLW, 0,
                     reinterpret_cast<LPARAM>(&tool));
    }
    native.hasToolTip = !text.empty();
}

bool Win32Gadgets::TakesTypedChar(HWND edit, wchar_t& ch) {
    const Control* field = ControlOf(edit);
    if (!field)
        return true;
    const std::wstring text = WindowText(edit);
    int start = 0, length = 0;
    EditSelection(edit, text, start, length);
    // Half of a surrogate pair is no digit, no point: the rule needs no more of it.
    char32_t typed = (ch >= 0xD800 && ch <= 0xDFFF) ? U'\uFFFD' : ch;
    if (!LetTypedChar(*field, typed, Utf8(text), start, length))
        return false;
    if (typed == U'.')
        ch = L'.';  // a decimal comma's point
    return true;
}

bool Win32Gadgets::TakesPaste(HWND edit) {
    const Control* field = ControlOf(edit);
    if (!field || field->want.readOnly || !(field->layout.filterInput || field->layout.digitsOnly))
        return false;
    const std::wstring text = WindowText(edit);
    int start = 0, length = 0;
    EditSelection(edit, text, start, length);
    if (const auto piece =
            LetPastedText(*field, Utf8(text), start, length, Utf8(ClipboardText(edit))))
        SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(Wide(*piece).c_str()));
    return true;
}

bool Win32Gadgets::SetHovered(HWND link, bool hovered) {
    const Control* c = ControlOf(link);
    Native* native = c ? NativeOf(c->layout.number) : nullptr;
    if (!native || native->hovered == hovered)
        return false;
    native->hovered = hovered;
    return true;
}

void Win32Gadgets::Focus(int gadget) {
    HWND hwnd = Handle(gadget);
    if (!hwnd)
        return;
    // A hidden window takes no focus: it is given when the window is shown.
    if (!IsWindowVisible(window_)) {
        pendingFocus_ = gadget;
        return;
    }
    SetFocus(hwnd);
}

int Win32Gadgets::FocusedGadget() const {
    if (!IsWindowVisible(window_))
        return pendingFocus_;
    HWND focus = GetFocus();
    return focus && IsChild(window_, focus) ? GadgetOf(focus) : -1;
}

void Win32Gadgets::Ring() {
    MessageBeep(MB_OK);
}

void Win32Gadgets::ShowCursor(CursorShape shape) {
    ::SetCursor(LoadCursorW(nullptr, shape == CursorShape::Hand ? IDC_HAND : IDC_ARROW));
}

bool Win32Gadgets::PointerInside(int gadget) const {
    const Native* native = NativeOf(gadget);
    POINT p{};
    RECT r{};
    return native && GetCursorPos(&p) && GetWindowRect(native->hwnd, &r) && PtInRect(&r, p);
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
    MakeRoomForCaptions();
    ::ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
    SetForegroundWindow(window_);
    if (HWND focus = Handle(pendingFocus_))
        SetFocus(focus);
    pendingFocus_ = -1;
}

}  // namespace ui::win32
