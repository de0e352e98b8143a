#include "programs/qt/captured_stderr.h"

#if defined(__unix__) || defined(__APPLE__)
#include <unistd.h>
#define LOOPSMITH_CAN_CAPTURE_STDERR 1
#endif

CapturedStderr::CapturedStderr() {
#ifdef LOOPSMITH_CAN_CAPTURE_STDERR
    // A file, not a pipe: a chatty library can never fill it and block.
    held_ = std::tmpfile();
    if (held_ == nullptr)
        return;
    std::fflush(stderr);
    saved_ = ::dup(STDERR_FILENO);
    if (saved_ < 0 || ::dup2(::fileno(held_), STDERR_FILENO) < 0) {
        if (saved_ >= 0)
            ::close(saved_);
        saved_ = -1;
        std::fclose(held_);
        held_ = nullptr;
    }
#endif
}

CapturedStderr::~CapturedStderr() {
    Release(true);
}

std::string CapturedStderr::Text() const {
    std::string text;
    if (held_ == nullptr)
        return text;
    std::fflush(stderr);
    std::rewind(held_);
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, held_)) > 0;)
        text.append(buffer, n);
    std::fseek(held_, 0, SEEK_END);
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}

void CapturedStderr::Release(bool forward) {
#ifdef LOOPSMITH_CAN_CAPTURE_STDERR
    if (held_ == nullptr)
        return;
    const std::string text = forward ? Text() : std::string();
    std::fflush(stderr);
    ::dup2(saved_, STDERR_FILENO);
    ::close(saved_);
    std::fclose(held_);
    held_ = nullptr;
    if (!text.empty())
        std::fprintf(stderr, "%s\n", text.c_str());
#else
    (void)forward;
#endif
}
