// The window procedure of the main window and of the pages: the controls' notifications
// become the frame's events, the controls get their colours, and closing the window is the
// last event.
#include "ui/win32/win32_gadgets.h"

namespace ui::win32 {

const wchar_t* const kMainWindowClass = L"LoopsmithWindow";
const wchar_t* const kPageClass = L"LoopsmithPage";

namespace {

LRESULT CALLBACK GadgetsProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* owner = reinterpret_cast<ControlOwner*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    LRESULT result = 0;
    if (owner && owner->HandleMessage(hwnd, message, wParam, lParam, result))
        return result;
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

COLORREF ToColorRef(Color c) {
    return c.kind == Color::Kind::ButtonFace ? GetSysColor(COLOR_BTNFACE) : RGB(c.r, c.g, c.b);
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
    page.lpszClassName = kPageClass;
    RegisterClassExW(&page);
}

HWND MakeChild(const wchar_t* windowClass, const std::wstring& text, DWORD style, DWORD exStyle,
               HWND parent, int id, const Rect& px) {
    return CreateWindowExW(exStyle, windowClass, text.c_str(),
                           WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, px.x, px.y, px.w, px.h,
                           parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Instance(),
                           nullptr);
}

bool Win32Gadgets::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int n = static_cast<int>(LOWORD(wParam)) - kFirstControlId;
    const Native* native = NativeOf(n);
    if (!native || native->hwnd != reinterpret_cast<HWND>(lParam))
        return lParam == 0;  // IDOK and IDCANCEL of the dialog keys: nothing
    const UINT code = HIWORD(wParam);
    int type = -1;
    switch (Find(n)->layout.kind) {
        case GadgetKind::CheckBox:
        case GadgetKind::Button:
            type = code == BN_CLICKED ? kEventClick : -1;
            break;
        case GadgetKind::TextField:
            type = code == EN_CHANGE ? kEventTextChange : -1;
            break;
        case GadgetKind::ComboBox:
            type = code == CBN_SELCHANGE ? kEventSelectionChange : -1;
            break;
        case GadgetKind::ListBox:
            type = code == LBN_SELCHANGE ? kEventClick
                   : code == LBN_DBLCLK  ? kEventDoubleClick
                                         : -1;
            break;
        case GadgetKind::Image:
        case GadgetKind::Hyperlink:
            type = code == STN_CLICKED ? kEventClick : -1;
            break;
        default:
            break;
    }
    if (type >= 0)
        Events().Report(Event::OnGadget(n, type));
    return true;
}

LRESULT Win32Gadgets::ControlColors(UINT message, HDC dc, HWND control, HWND parent) {
    const LRESULT standard = DefWindowProcW(parent, message, reinterpret_cast<WPARAM>(dc),
                                            reinterpret_cast<LPARAM>(control));
    const Control* c = ControlOf(control);
    if (!c)
        return standard;
    const ControlState& s = c->want;
    Color text = s.textColor;
    if (c->layout.kind == GadgetKind::Hyperlink && NativeOf(c->layout.number)->hovered &&
        c->layout.hoverColor.kind != Color::Kind::Default) {
        text = c->layout.hoverColor;
    }
    if (text.kind != Color::Kind::Default)
        ::SetTextColor(dc, ToColorRef(text));
    if (s.backColor.kind == Color::Kind::Rgb) {
        SetBkColor(dc, ToColorRef(s.backColor));
        return reinterpret_cast<LRESULT>(NativeOf(c->layout.number)->backBrush);
    }
    if (s.backColor.kind == Color::Kind::ButtonFace) {
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    if (c->layout.kind == GadgetKind::OutputBox) {  // read-only, yet white to be read
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    return standard;
}

bool Win32Gadgets::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                 LRESULT& result) {
    switch (message) {
        case WM_COMMAND:
            result = 0;
            return OnCommand(wParam, lParam);
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->hwndFrom == panel_ && header->code == TCN_SELCHANGE) {
                ShowPage(ShownPage(panel_));
                Events().Report(Event::OnGadget(Layout().panel, kEventClick));
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
            if (Cursor() == CursorShape::Hand && LOWORD(lParam) == HTCLIENT) {
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
            ::ShowWindow(window_, SW_HIDE);
            Events().ReportClose();
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
