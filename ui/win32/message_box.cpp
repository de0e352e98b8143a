// The modal message boxes: the system's, with the program's captions on their buttons, and
// Escape answering No where there is no Cancel.
#include "ui/win32/wide_text.h"
#include "ui/win32/win32_gadgets.h"

namespace ui::win32 {

namespace {

// The message box being shown: its button captions and whether Escape answers No.
struct BoxSetup {
    std::wstring yes, no, ok;
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
            auto caption = [dialog](int id, const std::wstring& text) {
                if (!text.empty() && GetDlgItem(dialog, id))
                    SetDlgItemTextW(dialog, id, text.c_str());
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

MessageAnswer Win32Gadgets::RunMessageBox(const std::string& title, const std::string& text,
                                          MessageIcon icon, MessageButtons buttons) {
    UINT style = icon == MessageIcon::Warning ? MB_ICONWARNING
                 : icon == MessageIcon::Error ? MB_ICONERROR
                                              : MB_ICONQUESTION;
    style |= buttons == MessageButtons::YesNo ? MB_YESNO | MB_DEFBUTTON2 : MB_OK;
    const MessageButtonTexts& captions = ButtonTexts();
    BoxSetup setup{Wide(captions.yes), Wide(captions.no), Wide(captions.ok),
                   buttons == MessageButtons::YesNo, nullptr};
    BoxSetup* outer = currentBox;
    currentBox = &setup;
    setup.hook = SetWindowsHookExW(WH_CBT, BoxHook, nullptr, GetCurrentThreadId());
    const bool shown = IsWindowVisible(window_) != FALSE;
    const int answer = MessageBoxW(shown ? window_ : nullptr, Wide(text).c_str(),
                                   Wide(title).c_str(), style | (shown ? 0 : MB_TASKMODAL));
    if (setup.hook)
        UnhookWindowsHookEx(setup.hook);
    currentBox = outer;
    return answer == IDYES ? MessageAnswer::Yes : MessageAnswer::No;
}

}  // namespace ui::win32
