// loopsmith-cli on a Windows console: the console shows the very text that a redirected run
// writes as UTF-8 bytes (which a console would otherwise show in its OEM code page).
#ifdef _WIN32
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "helpers/child_process.h"
#include "helpers/temp_folder.h"

namespace {

// Runs loopsmith-cli with `args`, standard output and error both on `out`.
void RunCli(const std::wstring& args, HANDLE out) {
    std::wstring line =
        L"\"" + testing_files::BuiltProgram("loopsmith-cli").wstring() + L"\" " + args;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = out;
    PROCESS_INFORMATION info{};
    ASSERT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                               &startup, &info));
    WaitForSingleObject(info.hProcess, 60000);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
}

// The console's lines above the cursor, without their trailing blanks.
std::vector<std::wstring> Screen(HANDLE console) {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    GetConsoleScreenBufferInfo(console, &info);
    std::vector<std::wstring> lines;
    for (SHORT y = 0; y < info.dwCursorPosition.Y; ++y) {
        std::wstring row(static_cast<std::size_t>(info.dwSize.X), L' ');
        DWORD read = 0;
        ReadConsoleOutputCharacterW(console, row.data(), info.dwSize.X, {0, y}, &read);
        lines.push_back(row.substr(0, row.find_last_not_of(L' ') + 1));
    }
    return lines;
}

std::vector<std::wstring> Lines(const std::string& utf8) {
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), n);
    std::vector<std::wstring> lines;
    for (std::size_t start = 0, nl; (nl = text.find(L'\n', start)) != std::wstring::npos;
         start = nl + 1) {
        lines.push_back(text.substr(start, nl - start - (nl > start && text[nl - 1] == L'\r')));
    }
    return lines;
}

TEST(CliConsole, ShowsWhatARedirectedRunWrites) {
    testing_files::TempFolder dir;
    const std::wstring settings = L" --settings \"" + (dir.path() / "none.ini").wstring() + L"\"";
    std::ofstream(dir.path() / "none.ini").close();
    FreeConsole();
    ASSERT_TRUE(AllocConsole());
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    const HANDLE console =
        CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    &inherit, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(console, INVALID_HANDLE_VALUE);
    SetConsoleScreenBufferSize(console, {200, 300});
    // Russian code, an English one, and a Russian message on standard error.
    for (const wchar_t* args : {L"10000", L"10000 --language english", L"3"}) {
        const std::filesystem::path file = dir.path() / "out.txt";
        const HANDLE out = CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                       CREATE_ALWAYS, 0, nullptr);
        RunCli(args + settings, out);
        CloseHandle(out);
        std::ifstream in(file, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};

        DWORD blanks = 0;
        FillConsoleOutputCharacterW(console, L' ', 200 * 300, {0, 0}, &blanks);
        SetConsoleCursorPosition(console, {0, 0});
        RunCli(args + settings, console);
        EXPECT_EQ(Screen(console), Lines(bytes)) << args;
        EXPECT_GT(bytes.size(), 20u) << args;
    }
    CloseHandle(console);
    FreeConsole();
}

}  // namespace
#endif
