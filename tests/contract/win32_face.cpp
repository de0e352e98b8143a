// The Windows API face under the contract: real controls on wine's display, worked with the
// messages a user's keys and clicks become.
#if defined(LOOPSMITH_CONTRACT_WIN32)
#include <algorithm>

#include "contract/faces.h"
#include "ui/win32/wide_text.h"
#include "ui/win32/win32_gadgets.h"

namespace {

// The message box is modal: a thread timer, run by the box's own loop, answers it.
BoxAction pendingAction = BoxAction::Enter;
SeenBox seen;

BOOL CALLBACK FindBox(HWND hwnd, LPARAM found) {
    wchar_t name[16] = {};
    GetClassNameW(hwnd, name, 16);
    if (lstrcmpW(name, L"#32770") != 0 || !IsWindowVisible(hwnd))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
}

void CALLBACK AnswerBox(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&box));
    if (!box)
        return;
    KillTimer(nullptr, timer);
    seen.shown = true;
    for (int id : {IDYES, IDNO, IDOK}) {
        if (HWND b = GetDlgItem(box, id))
            seen.buttons.push_back(ui::win32::Utf8(ui::win32::WindowText(b)));
    }
    if (pendingAction == BoxAction::ClickYes) {
        PostMessageW(GetDlgItem(box, IDYES), BM_CLICK, 0, 0);
    } else {
        // The key goes where the focus is, as a typed key would.
        HWND focus = GetFocus();
        const WPARAM key = pendingAction == BoxAction::Enter ? VK_RETURN : VK_ESCAPE;
        PostMessageW(focus ? focus : box, WM_KEYDOWN, key, 0);
        PostMessageW(focus ? focus : box, WM_KEYUP, key, 0);
    }
}

}  // namespace

Win32Face::Win32Face() {
    static const bool ready = [] {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)ready;
    g_ = std::make_unique<ui::win32::Win32Gadgets>(MainWindowLayout());
    g_->ShowWindow();
    Pump();
}

Win32Face::~Win32Face() = default;

ui::Gadgets& Win32Face::Gadgets() {
    return *g_;
}

void Win32Face::Type(int gadget, const std::string& text) {
    HWND edit = g_->Handle(gadget);
    for (wchar_t ch : ui::win32::Wide(text))
        SendMessageW(edit, WM_CHAR, ch, 0);
    Pump();
}

void Win32Face::Paste(int gadget, const std::string& text) {
    HWND edit = g_->Handle(gadget);
    const std::wstring wide = ui::win32::Wide(text);
    if (OpenClipboard(edit)) {
        EmptyClipboard();
        HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
        std::copy(wide.c_str(), wide.c_str() + wide.size() + 1,
                  static_cast<wchar_t*>(GlobalLock(data)));
        GlobalUnlock(data);
        SetClipboardData(CF_UNICODETEXT, data);
        CloseClipboard();
    }
    SetFocus(edit);
    SendMessageW(edit, WM_PASTE, 0, 0);
    Pump();
}

void Win32Face::Click(int gadget) {
    SendMessageW(g_->Handle(gadget), BM_CLICK, 0, 0);
    Pump();
}

void Win32Face::NextItem(int combo) {
    SetFocus(g_->Handle(combo));
    PostMessageW(g_->Handle(combo), WM_KEYDOWN, VK_DOWN, 0);
    Pump();
}

void Win32Face::NextPage() {
    HWND panel = g_->Handle(MainWindowLayout().panel);
    SetFocus(panel);
    PostMessageW(panel, WM_KEYDOWN, VK_RIGHT, 0);
    Pump();
}

void Win32Face::SelectAll(int field) {
    SendMessageW(g_->Handle(field), EM_SETSEL, 0, -1);
}

void Win32Face::Pump() {
    g_->ProcessPendingMessages();
}

bool Win32Face::HasPendingEvent() const {
    return g_->HasPendingEvent();
}

int Win32Face::Beeps() const {
    return g_->BeepCount();
}

void Win32Face::AnswerNextBox(BoxAction action) {
    pendingAction = action;
    seen = {};
    SetTimer(nullptr, 0, 50, AnswerBox);
}

SeenBox Win32Face::LastBox() const {
    return seen;
}
#endif
