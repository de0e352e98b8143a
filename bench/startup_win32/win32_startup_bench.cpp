// Starts loopsmith.exe, the bare window and the first page alone in turn (15 rounds by default),
// measures for each start the time until its window is visible and the peak working set, and
// prints the medians and their ratios. Run from the folder that holds the three programs.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct Start {
    double ms = 0;
    double peakMiB = 0;
};

struct Search {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindVisible(HWND hwnd, LPARAM data) {
    auto* s = reinterpret_cast<Search*>(data);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == s->pid && IsWindowVisible(hwnd)) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

bool Run(const std::wstring& program, Start& out) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::wstring command = L"\"" + program + L"\"";
    LARGE_INTEGER frequency, begin, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&begin);
    if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        return false;
    }
    Search search{process.dwProcessId, nullptr};
    for (int i = 0; i < 20000 && !search.found; ++i) {
        EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&search));
        if (!search.found)
            Sleep(1);
    }
    QueryPerformanceCounter(&end);
    out.ms = 1000.0 * static_cast<double>(end.QuadPart - begin.QuadPart) /
             static_cast<double>(frequency.QuadPart);
    // The peak so far, read while the process lives (wine keeps no counters after it ends).
    Sleep(200);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof(memory);
    GetProcessMemoryInfo(process.hProcess, &memory, sizeof(memory));
    out.peakMiB = static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0);
    if (search.found)
        PostMessageW(search.found, WM_CLOSE, 0, 0);
    const bool ended = WaitForSingleObject(process.hProcess, 20000) == WAIT_OBJECT_0;
    if (!ended)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return search.found != nullptr && ended;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int rounds = argc > 1 ? std::max(1, _wtoi(argv[1])) : 15;
    const std::wstring programs[3] = {L"loopsmith.exe", L"startup_bare_window.exe",
                                      L"startup_first_page.exe"};
    std::vector<double> ms[3], peak[3];
    for (int i = 0; i < rounds; ++i) {
        for (int k = 0; k < 3; ++k) {
            // Each round starts with another program: none always follows the same one, whose
            // closing may still cost the server a little.
            const int p = (i + k) % 3;
            Start s;
            if (!Run(programs[p], s)) {
                std::fwprintf(stderr, L"%ls did not start and close\n", programs[p].c_str());
                return 1;
            }
            ms[p].push_back(s.ms);
            peak[p].push_back(s.peakMiB);
        }
    }
    double t[3], m[3];
    for (int p = 0; p < 3; ++p) {
        t[p] = Median(ms[p]);
        m[p] = Median(peak[p]);
    }
    auto ratio = [](double a, double b) { return b > 0 ? a / b : 0; };
    std::printf(
        "start-up, medians of %d rounds: loopsmith.exe %.0f ms, %.1f MiB peak; bare window %.0f "
        "ms, %.1f MiB peak; first page alone %.0f ms, %.1f MiB peak\n",
        rounds, t[0], m[0], t[1], m[1], t[2], m[2]);
    std::printf("loopsmith.exe against the bare window: %.2f in time, %.2f in memory\n",
                ratio(t[0], t[1]), ratio(m[0], m[1]));
    std::printf("the first page alone against the bare window: %.2f in time, %.2f in memory\n",
                ratio(t[2], t[1]), ratio(m[2], m[1]));
    std::printf("loopsmith.exe against the first page alone: %.2f in time, %.2f in memory\n",
                ratio(t[0], t[2]), ratio(m[0], m[2]));
    return 0;
}
