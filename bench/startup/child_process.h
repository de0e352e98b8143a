// One started program: its start, whether it still runs, its end and its peak memory.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>

class ChildProcess {
  public:
    // Starts `program` in its own folder with DISPLAY set and the X platform chosen; its output
    // goes nowhere. Started() tells whether the fork succeeded.
    ChildProcess(const std::filesystem::path& program, const std::string& display);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return pid_ > 0; }
    // False once it has ended by itself (it is reaped then).
    bool Running();
    // Ends it with SIGTERM (SIGKILL if it lingers) and gives its peak resident memory in KiB.
    long EndAndPeakKiB();

  private:
    pid_t pid_ = 0;
    bool reaped_ = false;
    long peakKiB_ = 0;
};
