#include "cli/console_output.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#endif

namespace {

#ifdef _WIN32
bool WroteToConsole(std::FILE* f, const std::string& s) {
    const HANDLE h = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(f)));
    DWORD mode = 0;
    if (h == INVALID_HANDLE_VALUE || !GetConsoleMode(h, &mode))
        return false;
    std::fflush(f);
    if (s.empty())
        return true;
    const int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), wide.data(), n);
    for (std::size_t done = 0; done < wide.size();) {
        // Consoles take a limited amount per call.
        const std::size_t left = wide.size() - done;
        const DWORD part = static_cast<DWORD>(left < 8192 ? left : 8192);
        DWORD written = 0;
        if (!WriteConsoleW(h, wide.data() + done, part, &written, nullptr) || written == 0)
            return done > 0;  // nothing shown yet: the bytes, rather than nothing
        done += written;
    }
    return true;
}
#else
bool WroteToConsole(std::FILE*, const std::string&) {
    return false;
}
#endif

}  // namespace

void Write(std::FILE* f, const std::string& s) {
    // What was printed first reaches a shared terminal or pipe first.
    if (f == stderr)
        std::fflush(stdout);
    if (!WroteToConsole(f, s))
        std::fwrite(s.data(), 1, s.size(), f);
}
