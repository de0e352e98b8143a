#include "cli/command_line.h"

#ifdef _WIN32
#include <windows.h>

#include <shellapi.h>  // needs windows.h first
#endif

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
#ifdef _WIN32
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide != nullptr) {
        std::vector<std::string> args;
        for (int i = 1; i < count; ++i) {
            const int wideLength = static_cast<int>(wcslen(wide[i]));
            const int n =
                WideCharToMultiByte(CP_UTF8, 0, wide[i], wideLength, nullptr, 0, nullptr, nullptr);
            std::string arg(static_cast<std::size_t>(n), '\0');
            WideCharToMultiByte(CP_UTF8, 0, wide[i], wideLength, arg.data(), n, nullptr, nullptr);
            args.push_back(std::move(arg));
        }
        LocalFree(wide);
        return args;
    }
#endif
    return std::vector<std::string>(argv + 1, argv + argc);
}
