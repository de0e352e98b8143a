// Text fields and the output box. Each typed character of a text field goes to the window for
// the one keystroke rule of every face (input filter, digits only, length); Ctrl+A selects all.
#include "ui/win32/controls.h"
#include "ui/win32/wide_text.h"

namespace ui::win32 {

namespace {

constexpr wchar_t kCtrlA = 1;

LRESULT CALLBACK EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                          DWORD_PTR data) {
    auto* owner = reinterpret_cast<ControlOwner*>(data);
    switch (message) {
        case WM_KEYDOWN:
            if (wParam == 'A' && GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0) {
                SendMessageW(hwnd, EM_SETSEL, 0, -1);
                return 0;
            }
            break;
        case WM_CHAR:
            if (wParam == kCtrlA)
                return 0;  // selected on the key; the control would only beep
            if (wchar_t ch = static_cast<wchar_t>(wParam); owner->TakesTypedChar(hwnd, ch))
                wParam = ch;  // the typed one, or a decimal comma's point
            else
                return 0;
            break;
        case WM_PASTE:
            if (owner->TakesPaste(hwnd))
                return 0;
            break;
        case WM_GETDLGCODE:
            // The read-only output box keeps Tab and Enter for the dialog keys.
            if (GetWindowLongW(hwnd, GWL_STYLE) & ES_MULTILINE) {
                return DefSubclassProc(hwnd, message, wParam, lParam) &
                       ~(DLGC_WANTTAB | DLGC_WANTALLKEYS);
            }
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace

HWND CreateTextField(const GadgetLayout&, const ControlState& s, HWND parent, int id,
                     const Rect& px, ControlOwner* owner) {
    // No EM_LIMITTEXT: the limit is for typing; text the program sets is kept whole.
    HWND edit = MakeChild(WC_EDITW, Wide(s.text), ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE,
                          parent, id, px);
    SetWindowSubclass(edit, EditProc, 1, reinterpret_cast<DWORD_PTR>(owner));
    return edit;
}

HWND CreateOutputBox(const GadgetLayout&, const ControlState& s, HWND parent, int id,
                     const Rect& px, ControlOwner* owner) {
    HWND edit = MakeChild(WC_EDITW, Wide(s.text),
                          ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP,
                          WS_EX_CLIENTEDGE, parent, id, px);
    SetWindowSubclass(edit, EditProc, 1, reinterpret_cast<DWORD_PTR>(owner));
    return edit;
}

std::string EditText(HWND edit) {
    return Utf8(WindowText(edit));
}

void SetEditText(HWND edit, const std::string& text) {
    SetWindowTextW(edit, Wide(text).c_str());
}

void SetEditReadOnly(HWND edit, bool readOnly) {
    SendMessageW(edit, EM_SETREADONLY, readOnly, 0);
}

void EditSelection(HWND edit, const std::wstring& text, int& start, int& length) {
    DWORD from = 0, to = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    start = CodePointsBefore(text, static_cast<int>(from));
    length = CodePointsBefore(text, static_cast<int>(to)) - start;
}

std::wstring ClipboardText(HWND owner) {
    std::wstring text;
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(owner))
        return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

}  // namespace ui::win32
