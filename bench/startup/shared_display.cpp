#include "shared_display.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace {

// Xvfb picks a free display itself and writes its number to the pipe once it accepts clients.
pid_t StartXvfb(std::string& name) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return 0;
    const pid_t pid = fork();
    if (pid == 0) {
        close(pipeEnds[0]);
        const int quiet = open("/dev/null", O_WRONLY);
        if (quiet >= 0) {
            dup2(quiet, STDOUT_FILENO);
            dup2(quiet, STDERR_FILENO);
        }
        const std::string fd = std::to_string(pipeEnds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24",
               "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeEnds[1]);
    if (pid < 0) {
        close(pipeEnds[0]);
        return 0;
    }
    std::string number;
    char c = 0;
    while (read(pipeEnds[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(pipeEnds[0]);
    if (number.empty()) {
        waitpid(pid, nullptr, 0);
        return 0;
    }
    name = ":" + number;
    return pid;
}

}  // namespace

SharedDisplay::SharedDisplay(bool startOwn) {
    const char* display = std::getenv("DISPLAY");
    if (!startOwn && display != nullptr && *display != '\0') {
        name_ = display;
        return;
    }
    server_ = StartXvfb(name_);
}

SharedDisplay::~SharedDisplay() {
    if (server_ > 0) {
        kill(server_, SIGTERM);
        waitpid(server_, nullptr, 0);
    }
}
