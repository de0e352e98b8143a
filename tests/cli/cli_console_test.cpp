// loopsmith-cli on a Windows console shows the very text that a redirected run writes as UTF-8
// bytes (which a console would otherwise show in its OEM code page).
#ifdef _WIN32
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <iterator>

#include "helpers/child_process.h"
#include "helpers/temp_folder.h"

namespace {

void RunCli(std::wstring args, HANDLE out) {
    std::wstring line =
        L"\"" + testing_files::BuiltProgram("loopsmith-cli").wstring() + L"\" " + args;
    STARTUPINFOW startup{sizeof startup};
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = out;
    PROCESS_INFORMATION info{};
    ASSERT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                               &startup, &info));
    WaitForSingleObject(info.hProcess, 60000);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
}

TEST(CliConsole, ShowsWhatARedirectedRunWrites) {
    testing_files::TempFolder dir;
    const std::filesystem::path file = dir.path() / "out.txt", none = dir.path() / "none.ini";
    std::ofstream(none).close();
    FreeConsole();
    ASSERT_TRUE(AllocConsole());
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    const HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE,
                                       &inherit, OPEN_EXISTING, 0, nullptr);
    SetConsoleScreenBufferSize(console, {200, 100});
    // Russian code, an English one, and a Russian message on standard error.
    for (const wchar_t* args : {L"10000", L"10000 --language english", L"3"}) {
        const std::wstring line = std::wstring(args) + L" --settings \"" + none.wstring() + L"\"";
        const HANDLE out =
            CreateFileW(file.c_str(), GENERIC_WRITE, 0, &inherit, CREATE_ALWAYS, 0, nullptr);
        RunCli(line, out);
        CloseHandle(out);
        std::ifstream in(file, std::ios::binary);
        std::string bytes{std::istreambuf_iterator<char>(in), {}};
        std::erase(bytes, '\r');
        DWORD n = 0;
        FillConsoleOutputCharacterW(console, L' ', 200 * 100, {0, 0}, &n);
        SetConsoleCursorPosition(console, {0, 0});
        RunCli(line, console);
        CONSOLE_SCREEN_BUFFER_INFO screen{};
        GetConsoleScreenBufferInfo(console, &screen);
        std::wstring shown;
        for (SHORT y = 0; y < screen.dwCursorPosition.Y; ++y) {
            std::wstring row(200, L' ');
            ReadConsoleOutputCharacterW(console, row.data(), 200, {0, y}, &n);
            shown += row.substr(0, row.find_last_not_of(L' ') + 1) + L"\n";
        }
        // The bytes as text: a path converts from UTF-8.
        EXPECT_EQ(shown, std::filesystem::path(std::u8string(bytes.begin(), bytes.end())).wstring())
            << args;
        EXPECT_GT(bytes.size(), 20u) << args;
    }
    CloseHandle(console);
    FreeConsole();
}

}  // namespace
#endif
