#include "child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

ChildProcess::ChildProcess(const std::filesystem::path& program, const std::string& display) {
    const std::string path = program.string();
    const std::string folder = program.parent_path().string();
    pid_ = fork();
    if (pid_ != 0)
        return;
    // Only the X display is chosen: whatever platform the caller's tests use, the window must
    // reach the X server to be seen.
    setenv("DISPLAY", display.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    if (chdir(folder.c_str()) != 0)
        _exit(126);
    const int quiet = open("/dev/null", O_RDWR);
    if (quiet >= 0) {
        dup2(quiet, STDIN_FILENO);
        dup2(quiet, STDOUT_FILENO);
        dup2(quiet, STDERR_FILENO);
    }
    close_range(3, ~0U, 0);
    execl(path.c_str(), path.c_str(), static_cast<char*>(nullptr));
    _exit(127);
}

ChildProcess::~ChildProcess() {
    if (Started() && !reaped_)
        EndAndPeakKiB();
}

bool ChildProcess::Running() {
    if (!Started() || reaped_)
        return false;
    rusage usage{};
    if (wait4(pid_, nullptr, WNOHANG, &usage) == pid_) {
        reaped_ = true;
        peakKiB_ = usage.ru_maxrss;
    }
    return !reaped_;
}

long ChildProcess::EndAndPeakKiB() {
    if (!Started() || reaped_)
        return peakKiB_;
    kill(pid_, SIGTERM);
    rusage usage{};
    for (int i = 0; i < 500; ++i) {
        if (wait4(pid_, nullptr, WNOHANG, &usage) == pid_) {
            reaped_ = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (!reaped_) {
        kill(pid_, SIGKILL);
        wait4(pid_, nullptr, 0, &usage);
        reaped_ = true;
    }
    peakKiB_ = usage.ru_maxrss;
    return peakKiB_;
}
