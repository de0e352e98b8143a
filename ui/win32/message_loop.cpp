// The message side of the window: its window procedures, the blocking wait that turns what
// the user did into events, and the modal message boxes.
#include <algorithm>

#include "ui/win32/controls.h"
#include "ui/win32/wide_text.h"
#include "ui/win32/win32_gadgets.h"

namespace ui::win32 {

const wchar_t* const kMainWindowClass = L"LoopsmithWindow";

namespace {

LRESULT CALLBACK GadgetsProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* owner = reinterpret_cast<Win32Gadgets*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    LRESULT result = 0;
    if (owner && owner->HandleMessage(hwnd, message, wParam, lParam, result))
        return result;
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// The message box being shown: its button captions and whether Escape answers No.
struct BoxSetup {
    const std::wstring* yes = nullptr;
    const std::wstring* no = nullptr;
    const std::wstring* ok = nullptr;
    bool escapeIsNo = false;
    HHOOK hook = nullptr;
};
thread_local BoxSetup* currentBox = nullptr;

LRESULT CALLBACK EscapeIsNoProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR) {
    // A Yes/No box has no Cancel button; Escape answers with the default, No.
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        EndDialog(hwnd, IDNO);
        return 0;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK BoxHook(int code, WPARAM wParam, LPARAM lParam) {
    BoxSetup* box = currentBox;
    if (code == HCBT_ACTIVATE && box) {
        auto dialog = reinterpret_cast<HWND>(wParam);
        wchar_t name[16] = {};
        GetClassNameW(dialog, name, 16);
        if (lstrcmpW(name, L"#32770") == 0) {
            auto caption = [dialog](int id, const std::wstring* text) {
                if (text && !text->empty() && GetDlgItem(dialog, id))
                    SetDlgItemTextW(dialog, id, text->c_str());
            };
            caption(IDYES, box->yes);
            caption(IDNO, box->no);
            caption(IDOK, box->ok);
            if (box->escapeIsNo)
                SetWindowSubclass(dialog, EscapeIsNoProc, 1, 0);
        }
    }
    return CallNextHookEx(box ? box->hook : nullptr, code, wParam, lParam);
}

}  // namespace

HINSTANCE Instance() {
    return GetModuleHandleW(nullptr);
}

void RegisterWindowClasses() {
    static bool done = false;
    if (done)
        return;
    done = true;
    WNDCLASSEXW main{};
    main.cbSize = sizeof(main);
    main.lpfnWndProc = GadgetsProc;
    main.hInstance = Instance();
    main.hIcon = LoadIconW(Instance(), MAKEINTRESOURCEW(1));
    main.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    main.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    main.lpszClassName = kMainWindowClass;
    RegisterClassExW(&main);
    WNDCLASSEXW page = main;
    page.hIcon = nullptr;
    page.lpszClassName = L"LoopsmithPage";
    RegisterClassExW(&page);
}

HWND MakeChild(const wchar_t* windowClass, const std::wstring& text, DWORD style, DWORD exStyle,
               HWND parent, int id, const Rect& px) {
    return CreateWindowExW(exStyle, windowClass, text.c_str(),
                           WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, px.x, px.y, px.w, px.h,
                           parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Instance(),
                           nullptr);
}

void Win32Gadgets::Report(const Event& event) {
    if (quietDepth_ == 0)
        events_.push_back(event);
}

void Win32Gadgets::PostClick(int gadget) {
    // The program's own request: queued behind what is already there, read on a later turn.
    events_.push_back(Event::OnGadget(gadget, kEventClick));
}

bool Win32Gadgets::IsOurs(HWND hwnd) const {
    return hwnd && (hwnd == window_ || IsChild(window_, hwnd));
}

bool Win32Gadgets::PreTranslate(const MSG& msg) {
    if (!IsOurs(msg.hwnd))
        return false;
    if (msg.message == WM_MOUSEMOVE) {
        // Only a real movement: a changed cursor can bring a move to the same place, and the
        // hover rule that changed it would run again and again.
        if (msg.pt.x != lastPointer_.x || msg.pt.y != lastPointer_.y)
            Report(Event::MouseMove());
        lastPointer_ = msg.pt;
        return false;
    }
    // Alt+F4 closes the window whichever control has the focus (a combo box would take F4).
    if (msg.message == WM_SYSKEYDOWN && msg.wParam == VK_F4) {
        PostMessageW(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
        return true;
    }
    if (msg.message != WM_KEYDOWN)
        return false;
    // Keys for an open drop-down list are the list's, as in a window of its own.
    const Entry* focused = FindByHandle(GetFocus());
    if (focused && focused->layout.kind == GadgetKind::ComboBox &&
        SendMessageW(focused->hwnd, CB_GETDROPPEDSTATE, 0, 0)) {
        return false;
    }
    // Virtual-key codes are the program's key codes: Enter is 13.
    Report(Event::KeyDown(static_cast<int>(msg.wParam)));
    if (msg.wParam == VK_TAB) {
        if (GetKeyState(VK_CONTROL) < 0)
            TurnPage(GetKeyState(VK_SHIFT) < 0 ? -1 : 1);
        else
            StepFocus(GetKeyState(VK_SHIFT) < 0);
        return true;
    }
    // Enter is the event loop's (the calculation on page 0): no default button, no beep.
    return msg.wParam == VK_RETURN;
}

void Win32Gadgets::TurnPage(int step) {
    const int count = static_cast<int>(pages_.size());
    if (!panel_ || count < 2)
        return;
    const int next = ((State(panelNumber_) + step) % count + count) % count;
    // As a click on the tab: the panel tells its parent, which shows the page and reports it.
    SendMessageW(panel_, TCM_SETCURFOCUS, static_cast<WPARAM>(next), 0);
    // The old page's controls are hidden now: its first control, else the tabs, take the keys.
    HWND page = pages_[static_cast<size_t>(next)];
    const std::vector<HWND> stops = TabStops();
    const auto first =
        std::find_if(stops.begin(), stops.end(), [page](HWND s) { return IsChild(page, s); });
    SetFocus(first != stops.end() ? *first : panel_);
}

std::vector<HWND> Win32Gadgets::TabStops() const {
    // The dialog manager would step into the tabs' pages and never stop at the tabs themselves:
    // the order is ours, the shown and enabled tab stops in the order they were made.
    std::vector<HWND> stops;
    for (const GadgetLayout& g : layout_.gadgets) {
        const Entry* e = Find(g.number);
        if (e && e->hwnd && (GetWindowLongW(e->hwnd, GWL_STYLE) & WS_TABSTOP) &&
            IsWindowVisible(e->hwnd) && IsWindowEnabled(e->hwnd)) {
            stops.push_back(e->hwnd);
        }
    }
    return stops;
}

HWND Win32Gadgets::NextTabStop(HWND from, bool back) const {
    const std::vector<HWND> stops = TabStops();
    if (stops.empty())
        return nullptr;
    const auto at = std::find(stops.begin(), stops.end(), from);
    const size_t n = stops.size();
    const size_t i =
        at == stops.end() ? (back ? 0 : n - 1) : static_cast<size_t>(at - stops.begin());
    return stops[back ? (i + n - 1) % n : (i + 1) % n];
}

void Win32Gadgets::StepFocus(bool back) {
    const Entry* focused = Find(GadgetOf(GetFocus()));
    HWND next = NextTabStop(focused ? focused->hwnd : nullptr, back);
    if (!next)
        return;
    SetFocus(next);
    // As in a dialog, a text field tabbed into has its text selected.
    if (SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        SendMessageW(next, EM_SETSEL, 0, -1);
}

void Win32Gadgets::PassFocusOn(HWND control) {
    // A disabled control drops the focus to nobody, and the keys, Tab too, would go nowhere.
    HWND focus = GetFocus();
    if (!focus || (focus != control && !IsChild(control, focus)))
        return;
    HWND next = NextTabStop(control, false);
    if (next && next != control)
        SetFocus(next);
}

Event Win32Gadgets::WaitEvent() {
    while (events_.empty()) {
        // A closed or never shown window can send nothing more: do not wait forever.
        if (closed_ || !IsWindowVisible(window_))
            return Event::Close();
        MSG msg;
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            closed_ = true;
            if (got == 0)
                PostQuitMessage(static_cast<int>(msg.wParam));  // for any outer loop
            break;
        }
        if (PreTranslate(msg) || IsDialogMessageW(window_, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (events_.empty())
        return Event::Close();
    Event e = events_.front();
    events_.pop_front();
    return e;
}

void Win32Gadgets::ProcessPendingMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (PreTranslate(msg) || IsDialogMessageW(window_, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

MessageAnswer Win32Gadgets::ShowMessage(const std::string& title, const std::string& text,
                                        MessageIcon icon, MessageButtons buttons) {
    UINT style = icon == MessageIcon::Warning ? MB_ICONWARNING
                 : icon == MessageIcon::Error ? MB_ICONERROR
                                              : MB_ICONQUESTION;
    style |= buttons == MessageButtons::YesNo ? MB_YESNO | MB_DEFBUTTON2 : MB_OK;
    BoxSetup setup{&yesText_, &noText_, &okText_, buttons == MessageButtons::YesNo, nullptr};
    BoxSetup* outer = currentBox;
    currentBox = &setup;
    setup.hook = SetWindowsHookExW(WH_CBT, BoxHook, nullptr, GetCurrentThreadId());
    ++quietDepth_;  // what happens while the box is open is no event of the window
    const bool shown = IsWindowVisible(window_) != FALSE;
    const int answer = MessageBoxW(shown ? window_ : nullptr, Wide(text).c_str(),
                                   Wide(title).c_str(), style | (shown ? 0 : MB_TASKMODAL));
    --quietDepth_;
    if (setup.hook)
        UnhookWindowsHookEx(setup.hook);
    currentBox = outer;
    if (buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    return answer == IDYES ? MessageAnswer::Yes : MessageAnswer::No;
}

void Win32Gadgets::SetMessageButtonTexts(const std::string& yes, const std::string& no,
                                         const std::string& ok) {
    yesText_ = WideCaption(yes);
    noText_ = WideCaption(no);
    okText_ = WideCaption(ok);
}

}  // namespace ui::win32
