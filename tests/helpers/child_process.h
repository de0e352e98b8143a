// Another program, started without waiting for it: for tests that need a process that still
// runs, one that has ended, or one killed part-way.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace testing_files {

// A program of this build, from the folder that LOOPSMITH_BIN_DIR names.
inline std::filesystem::path BuiltProgram(const std::string& name) {
#ifdef _WIN32
    return std::filesystem::absolute(std::filesystem::path(LOOPSMITH_BIN_DIR) / (name + ".exe"))
        .make_preferred();
#else
    return std::filesystem::path(LOOPSMITH_BIN_DIR) / name;
#endif
}

class ChildProcess {
  public:
    ChildProcess(const std::filesystem::path& program, const std::vector<std::string>& args) {
#ifdef _WIN32
        // No argument of these tests holds a quote or ends in a backslash.
        std::wstring line = L"\"" + program.wstring() + L"\"";
        for (const std::string& a : args)
            line += L" \"" + std::filesystem::path(a).wstring() + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        if (CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           nullptr, &startup, &info)) {
            CloseHandle(info.hThread);
            process_ = info.hProcess;
            id_ = static_cast<int>(info.dwProcessId);
        }
#else
        std::vector<std::string> argv = {program.string()};
        argv.insert(argv.end(), args.begin(), args.end());
        std::vector<char*> pointers;
        for (std::string& a : argv)
            pointers.push_back(a.data());
        pointers.push_back(nullptr);
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::execv(pointers[0], pointers.data());
            ::_exit(127);
        }
        id_ = pid > 0 ? pid : 0;
#endif
    }
    ~ChildProcess() {
        Kill();
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // 0 when it could not be started.
    int Id() const {
        return id_;
    }

    // Ends it at once, as a crash or a killed task would, and waits until it is gone.
    void Kill() {
        if (!running_ || id_ == 0)
            return;
#ifdef _WIN32
        TerminateProcess(process_, 9);
#else
        ::kill(id_, SIGKILL);
#endif
        Wait();
    }

    // Waits until it has ended.
    void Wait() {
        if (!running_ || id_ == 0)
            return;
        running_ = false;
#ifdef _WIN32
        WaitForSingleObject(process_, INFINITE);
        CloseHandle(process_);
#else
        ::waitpid(id_, nullptr, 0);
#endif
    }

  private:
    int id_ = 0;
    bool running_ = true;
#ifdef _WIN32
    HANDLE process_ = nullptr;
#endif
};

}  // namespace testing_files
