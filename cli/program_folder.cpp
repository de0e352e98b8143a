#include "cli/program_folder.h"

#if defined(_WIN32)
#include <windows.h>
#elif defined(__EMSCRIPTEN__)
#include <emscripten.h>
#elif defined(__APPLE__)
#include <mach-o/dyld.h>
#include <vector>
#endif

std::filesystem::path ProgramFolder() {
    std::error_code ec;
#if defined(_WIN32)
    wchar_t buf[32768];
    const DWORD n = GetModuleFileNameW(nullptr, buf, static_cast<DWORD>(std::size(buf)));
    if (n == 0 || n >= std::size(buf))
        return {};
    return std::filesystem::path(std::wstring(buf, n)).parent_path();
#elif defined(__EMSCRIPTEN__)
    // Built for the browser and run by node: the folder of the script.
    (void)ec;
    return emscripten_run_script_string(
        "typeof process === 'object' ? "
        "require('path').dirname(require('fs').realpathSync(process.argv[1])) : ''");
#elif defined(__APPLE__)
    std::uint32_t size = 0;
    _NSGetExecutablePath(nullptr, &size);
    std::vector<char> buf(size + 1);
    if (_NSGetExecutablePath(buf.data(), &size) != 0)
        return {};
    const auto exe = std::filesystem::canonical(buf.data(), ec);
    return ec ? std::filesystem::path{} : exe.parent_path();
#else
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path{} : exe.parent_path();
#endif
}
