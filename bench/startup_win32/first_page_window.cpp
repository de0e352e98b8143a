// The floor for loopsmith.exe's start-up: the same first page (the tabs, the page's controls
// and the language row, from the program's own layout) made with plain Windows API calls, with
// no settings, no language file and no program behind it.
#include <windows.h>

#include <commctrl.h>

#include "app/main_window_layout.h"
#include "ui/win32/wide_text.h"
#include "yardstick_window.h"

namespace {

struct Kind {
    const wchar_t* windowClass;
    DWORD style;
    DWORD exStyle;
};

Kind KindOf(const ui::GadgetLayout& g) {
    switch (g.kind) {
        case ui::GadgetKind::CheckBox:
            return {L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0};
        case ui::GadgetKind::Button:
            return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
        case ui::GadgetKind::Frame:
            return {L"BUTTON", BS_GROUPBOX, WS_EX_TRANSPARENT};
        case ui::GadgetKind::ComboBox:
            return {WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
        case ui::GadgetKind::TextField:
            return {WC_EDITW, ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
        case ui::GadgetKind::OutputBox:
            return {WC_EDITW, ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_TABSTOP,
                    WS_EX_CLIENTEDGE};
        default:
            return {L"STATIC", static_cast<DWORD>(g.alignRight ? SS_RIGHT : SS_LEFT), 0};
    }
}

HWND MakeControl(const ui::GadgetLayout& g, HWND parent, HFONT font) {
    const Kind kind = KindOf(g);
    const ui::Rect r = g.place;
    const int height = g.kind == ui::GadgetKind::ComboBox ? r.h + 200 : r.h;
    HWND made = CreateWindowExW(kind.exStyle, kind.windowClass, ui::win32::Wide(g.caption).c_str(),
                                WS_CHILD | WS_VISIBLE | kind.style, r.x, r.y, r.w, height, parent,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    for (const std::string& item : g.items) {
        const std::wstring text = ui::win32::Wide(item);
        SendMessageW(made, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    return made;
}

HWND MakeTabs(const ui::Rect& r, HWND window, HFONT font) {
    HWND tabs = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE, r.x, r.y, r.w, r.h,
                                window, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(tabs, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    for (const char* title : {"Loopsmith", "Профили", "О программе"}) {
        std::wstring text = ui::win32::Wide(title);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text.data();
        SendMessageW(tabs, TCM_INSERTITEMW, TabCtrl_GetItemCount(tabs),
                     reinterpret_cast<LPARAM>(&item));
    }
    return tabs;
}

HWND MakePage(HWND tabs) {
    RECT area{};
    GetClientRect(tabs, &area);
    TabCtrl_AdjustRect(tabs, FALSE, &area);
    return CreateWindowExW(WS_EX_CONTROLPARENT, L"STATIC", L"", WS_CHILD | WS_VISIBLE, area.left,
                           area.top, area.right - area.left, area.bottom - area.top, tabs, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    const ui::WindowLayout layout = MainWindowLayout();
    RECT outer{0, 0, layout.clientWidth, layout.clientHeight};
    AdjustWindowRect(&outer, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, FALSE);
    HWND window = yardstick::MakeWindow(ui::win32::Wide(layout.title).c_str(),
                                        outer.right - outer.left, outer.bottom - outer.top);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
    HWND tabs = nullptr, firstPage = nullptr;
    for (const ui::GadgetLayout& g : layout.gadgets) {
        if (g.kind == ui::GadgetKind::Panel)
            tabs = MakeTabs(g.place, window, font);
        else if (g.kind == ui::GadgetKind::Container && !firstPage)
            firstPage = MakePage(tabs);
        else if (g.parent == ui::kWindowParent)
            MakeControl(g, window, font);  // the language row
        else if (g.parent == layout.pageContainers.front() && g.kind != ui::GadgetKind::Container)
            MakeControl(g, firstPage, font);
    }
    return yardstick::ShowUntilClosed(window);
}
