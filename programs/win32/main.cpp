// Loopsmith with the Windows face: builds the main window with the Windows API face, runs the event
// loop until it is closed, saves the settings. Reads no command line.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <system_error>

#include "app/main_window_layout.h"
#include "app/startup.h"
#include "ui/win32/wide_text.h"
#include "ui/win32/win32_gadgets.h"

namespace {

// A window program has no console: a failure to start is shown in a box.
void Fail(const wchar_t* text) {
    MessageBoxW(nullptr, text, L"Loopsmith", MB_ICONERROR | MB_OK);
}

std::filesystem::path ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);  // a deep folder: the path did not fit
    }
    return std::filesystem::path(path).parent_path();
}

int Run() {
    INITCOMMONCONTROLSEX controls{sizeof(controls),
                                  ICC_TAB_CLASSES | ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    const std::filesystem::path folder = ProgramFolder();
    std::error_code ignored;
    std::filesystem::current_path(folder, ignored);

    int code = 0;
    {
        ui::win32::Win32Gadgets gadgets(MainWindowLayout());
        if (!gadgets.Built()) {
            Fail(L"Loopsmith could not create its main window.");
            code = 1;
        } else {
            RunProgram(gadgets, folder);
        }
    }
    return code;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    try {
        return Run();
    } catch (const std::exception& e) {
        Fail(ui::win32::Wide(e.what()).c_str());
        return 1;
    }
}
