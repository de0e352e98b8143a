// Drives a running loopsmith.exe as a user would, through the Windows API only: finds its
// window, clicks and types with SendInput, reads controls with WM_GETTEXT and answers message
// boxes. Commands come as arguments, one after another:
//   wait                      until the main window is shown
//   page N                    shows page N (a click on the tabs, then the arrow keys)
//   click G                   a mouse click on the middle of gadget G
//   type G TEXT               a click into gadget G, then TEXT typed character by character
//   write TEXT                TEXT typed into the control that has the focus
//   pick G N                  opens the drop-down list G and clicks its item N
//   select G N                a click on the list box G, then item N chosen with the keys
//   key NAME                  enter, escape, tab, shift+tab, ctrl+tab, ctrl+shift+tab, alt+f4,
//                             ctrl+a, ctrl+c
//   focus G                   fails unless gadget G holds the keyboard focus and is shown
//   clipboard FILE            writes the clipboard's text (UTF-8) to FILE
//   save G FILE               writes the text of gadget G (UTF-8) to FILE
//   expect G TEXT             fails unless gadget G reads TEXT
//   answer yes|no|ok FILE     waits for a message box, writes its text to FILE, presses the button
//   exited                    waits until the program has ended
//   rect FILE                 writes the window's screen rectangle as WxH+X+Y (for a picture)
//   edge G FILE               writes the screen's pixels along gadget G's top edge to FILE
// Exits 0 when every command worked; otherwise names the first that failed.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kFirstControlId = 1000;  // gadget n is control 1000 + n
constexpr DWORD kPatience = 20000;     // ms

HWND mainWindow = nullptr;
HANDLE process = nullptr;

std::wstring Wide(const std::string& s) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), out.data(), n);
    return out;
}

std::string Utf8(const std::wstring& w) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), out.data(), n, nullptr,
                        nullptr);
    return out;
}

std::wstring TextOf(HWND hwnd) {
    DWORD_PTR length = 0;
    SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length);
    std::wstring text(length + 1, L'\0');
    DWORD_PTR got = 0;
    SendMessageTimeoutW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, 5000, &got);
    text.resize(got);
    return text;
}

// Lets the program handle what it was sent before the next step.
void Settle() {
    if (process)
        WaitForInputIdle(process, 5000);
    Sleep(150);
}

HWND Gadget(int number) {
    struct Search {
        int id;
        HWND found;
    } search{kFirstControlId + number, nullptr};
    EnumChildWindows(
        mainWindow,
        [](HWND child, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            if (GetDlgCtrlID(child) == s->id) {
                s->found = child;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void MouseClickAt(POINT p) {
    SetForegroundWindow(mainWindow);
    const int w = GetSystemMetrics(SM_CXSCREEN) - 1, h = GetSystemMetrics(SM_CYSCREEN) - 1;
    INPUT input[3] = {};
    for (INPUT& i : input) {
        i.type = INPUT_MOUSE;
        i.mi.dx = MulDiv(p.x, 65535, w);
        i.mi.dy = MulDiv(p.y, 65535, h);
        // Every event carries the position: wine may move the pointer back in between.
        i.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    }
    input[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
    input[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
    // The pointer arrives first, so that the press lands on the window now under it.
    SendInput(1, input, sizeof(INPUT));
    Settle();
    SendInput(2, input + 1, sizeof(INPUT));
    Settle();
}

bool ClickGadget(int number, bool nearLeft = false) {
    HWND g = Gadget(number);
    RECT r{};
    if (!g || !GetWindowRect(g, &r))
        return false;
    POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    if (nearLeft)
        p = {r.left + 12, r.top + 10};
    MouseClickAt(p);
    return true;
}

void Keys(const std::vector<WORD>& held, WORD key) {
    std::vector<INPUT> input;
    auto add = [&input](WORD vk, bool up) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = vk;
        i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        input.push_back(i);
    };
    for (WORD h : held)
        add(h, false);
    add(key, false);
    add(key, true);
    for (auto it = held.rbegin(); it != held.rend(); ++it)
        add(*it, true);
    SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
    Settle();
}

void TypeText(const std::wstring& text) {
    for (wchar_t ch : text) {
        INPUT input[2] = {};
        for (INPUT& i : input) {
            i.type = INPUT_KEYBOARD;
            i.ki.wScan = ch;
            i.ki.dwFlags = KEYEVENTF_UNICODE;
        }
        input[1].ki.dwFlags |= KEYEVENTF_KEYUP;
        SendInput(2, input, sizeof(INPUT));
    }
    Settle();
}

bool Key(const std::string& name) {
    if (name == "enter")
        Keys({}, VK_RETURN);
    else if (name == "escape")
        Keys({}, VK_ESCAPE);
    else if (name == "tab")
        Keys({}, VK_TAB);
    else if (name == "shift+tab")
        Keys({VK_SHIFT}, VK_TAB);
    else if (name == "ctrl+tab")
        Keys({VK_CONTROL}, VK_TAB);
    else if (name == "ctrl+shift+tab")
        Keys({VK_CONTROL, VK_SHIFT}, VK_TAB);
    else if (name == "alt+f4")
        Keys({VK_MENU}, VK_F4);
    else if (name == "ctrl+a")
        Keys({VK_CONTROL}, 'A');
    else if (name == "ctrl+c")
        Keys({VK_CONTROL}, 'C');
    else
        return false;
    return true;
}

bool WaitForWindow() {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < kPatience) {
        mainWindow = FindWindowW(L"LoopsmithWindow", nullptr);
        if (mainWindow && IsWindowVisible(mainWindow)) {
            DWORD pid = 0;
            GetWindowThreadProcessId(mainWindow, &pid);
            process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid);
            Settle();
            // Under wine the first click into a freshly shown window can be lost: it goes to
            // a bare corner of the client area, where it does nothing.
            for (int i = 0; i < 50 && GetForegroundWindow() != mainWindow; ++i) {
                SetForegroundWindow(mainWindow);
                Sleep(100);
            }
            RECT r{};
            GetWindowRect(mainWindow, &r);
            MouseClickAt({r.right - 8, r.bottom - 8});
            return true;
        }
        Sleep(100);
    }
    return false;
}

HWND FindMessageBox() {
    DWORD pid = 0;
    GetWindowThreadProcessId(mainWindow, &pid);
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < kPatience) {
        struct Search {
            DWORD pid;
            HWND found;
        } search{pid, nullptr};
        EnumWindows(
            [](HWND w, LPARAM data) -> BOOL {
                auto* s = reinterpret_cast<Search*>(data);
                wchar_t name[16] = {};
                DWORD owner = 0;
                GetWindowThreadProcessId(w, &owner);
                GetClassNameW(w, name, 16);
                if (owner == s->pid && lstrcmpW(name, L"#32770") == 0 && IsWindowVisible(w)) {
                    s->found = w;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        Sleep(100);
    }
    return nullptr;
}

bool Answer(const std::string& button, const std::string& file) {
    HWND box = FindMessageBox();
    if (!box)
        return false;
    Sleep(200);
    const int id = button == "yes" ? IDYES : button == "no" ? IDNO : IDOK;
    // The message is the static text 0xFFFF; the title and the buttons' captions follow it.
    std::string seen = Utf8(TextOf(GetDlgItem(box, 0xFFFF))) + "\n" + Utf8(TextOf(box));
    for (int b : {IDYES, IDNO, IDOK}) {
        if (HWND h = GetDlgItem(box, b))
            seen += "\n" + Utf8(TextOf(h));
    }
    std::ofstream(file, std::ios::binary) << seen << "\n";
    HWND target = GetDlgItem(box, id);
    if (!target)
        return false;
    PostMessageW(target, BM_CLICK, 0, 0);
    Settle();
    return true;
}

bool Save(int gadget, const std::string& file) {
    HWND g = Gadget(gadget);
    if (!g)
        return false;
    std::ofstream(file, std::ios::binary) << Utf8(TextOf(g));
    return true;
}

// The gadget whose control has the program's keyboard focus, when it is shown; or -1.
int FocusedGadget() {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(GetWindowThreadProcessId(mainWindow, nullptr), &info) &&
                   IsWindowVisible(info.hwndFocus)
               ? GetDlgCtrlID(info.hwndFocus) - kFirstControlId
               : -1;
}

bool SaveClipboard(const std::string& file) {
    if (!OpenClipboard(nullptr))
        return false;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const auto* chars = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
    const std::wstring text = chars ? chars : L"";
    if (chars)
        GlobalUnlock(data);
    CloseClipboard();
    std::ofstream(file, std::ios::binary) << Utf8(text);
    return !text.empty();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;  // UTF-8, whatever the system's code page
    for (int i = 1; i < argc; ++i)
        args.push_back(Utf8(argv[i]));
    auto fail = [](const std::string& what) {
        std::fprintf(stderr, "driver: %s failed\n", what.c_str());
        return 1;
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& c = args[i];
        auto arg = [&](size_t k) { return i + k < args.size() ? args[i + k] : std::string(); };
        bool ok = true;
        size_t used = 0;
        if (c == "wait") {
            ok = WaitForWindow();
        } else if (!mainWindow) {
            return fail(c + " before wait");
        } else if (c == "page") {
            // Page 0's tab lies at the tab control's left; from there the arrows turn the pages.
            used = 1;
            // Twice: under wine a click just after a drop-down list closed can be lost.
            ok = ClickGadget(19, true) && ClickGadget(19, true);
            for (int n = std::atoi(arg(1).c_str()); ok && n > 0; --n)
                Keys({}, VK_RIGHT);
        } else if (c == "click") {
            used = 1;
            ok = ClickGadget(std::atoi(arg(1).c_str()));
        } else if (c == "type") {
            used = 2;
            ok = ClickGadget(std::atoi(arg(1).c_str()));
            if (ok)
                TypeText(Wide(arg(2)));
        } else if (c == "write") {
            used = 1;
            TypeText(Wide(arg(1)));
        } else if (c == "pick") {
            used = 2;
            // One click opens the list, the next picks the item in it.
            HWND combo = Gadget(std::atoi(arg(1).c_str()));
            RECT r{};
            ok = combo && GetWindowRect(combo, &r) && ClickGadget(std::atoi(arg(1).c_str()));
            const int item = static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0));
            if (ok)
                MouseClickAt({(r.left + r.right) / 2,
                              r.bottom + 2 + item * std::atoi(arg(2).c_str()) + item / 2});
        } else if (c == "select") {
            used = 2;
            ok = ClickGadget(std::atoi(arg(1).c_str()), true);
            Keys({}, VK_HOME);
            for (int n = std::atoi(arg(2).c_str()); ok && n > 0; --n)
                Keys({}, VK_DOWN);
        } else if (c == "rect") {
            used = 1;
            RECT r{};
            ok = GetWindowRect(mainWindow, &r) != 0;
            std::ofstream(arg(1)) << r.right - r.left << "x" << r.bottom - r.top << "+" << r.left
                                  << "+" << r.top << "\n";
        } else if (c == "key") {
            used = 1;
            ok = Key(arg(1));
        } else if (c == "focus") {
            used = 1;
            // A busy program handles its queued keys late (wine on a loaded machine): the focus
            // is given two seconds to arrive.
            const int want = std::atoi(arg(1).c_str());
            int seen = FocusedGadget();
            for (int tries = 0; seen != want && tries < 40; ++tries) {
                Sleep(50);
                seen = FocusedGadget();
            }
            ok = seen == want;
            if (!ok)
                std::fprintf(stderr, "driver: gadget %d has the focus\n", seen);
        } else if (c == "edge") {
            // The screen along the gadget's top edge, a pixel a line: a focus frame shows there.
            used = 2;
            HWND g = Gadget(std::atoi(arg(1).c_str()));
            RECT r{};
            ok = g && GetWindowRect(g, &r);
            HDC screen = GetDC(nullptr);
            std::ofstream out(arg(2));
            for (LONG x = r.left; ok && x < r.right; ++x)
                out << GetPixel(screen, x, r.top) << "\n";
            ReleaseDC(nullptr, screen);
        } else if (c == "clipboard") {
            used = 1;
            ok = SaveClipboard(arg(1));
        } else if (c == "save") {
            used = 2;
            ok = Save(std::atoi(arg(1).c_str()), arg(2));
        } else if (c == "expect") {
            used = 2;
            HWND g = Gadget(std::atoi(arg(1).c_str()));
            const std::string seen = g ? Utf8(TextOf(g)) : "(no such gadget)";
            ok = seen == arg(2);
            if (!ok)
                std::fprintf(stderr, "driver: gadget %s reads \"%s\"\n", arg(1).c_str(),
                             seen.c_str());
        } else if (c == "answer") {
            used = 2;
            ok = Answer(arg(1), arg(2));
        } else if (c == "exited") {
            ok = process && WaitForSingleObject(process, kPatience) == WAIT_OBJECT_0;
        } else {
            return fail("unknown command " + c);
        }
        std::string step = c;
        for (size_t k = 1; k <= used; ++k)
            step += " " + arg(k);
        if (!ok)
            return fail(step);
        std::printf("ok %s\n", step.c_str());
        std::fflush(stdout);
        i += used;
    }
    return 0;
}
