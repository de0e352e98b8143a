// Holds back what libraries write to standard error while the toolkit starts, so that a failed
// start can end with one line that includes it, and a good start still shows it.
#pragma once

#include <cstdio>
#include <string>

class CapturedStderr {
  public:
    CapturedStderr();
    ~CapturedStderr();
    CapturedStderr(const CapturedStderr&) = delete;
    CapturedStderr& operator=(const CapturedStderr&) = delete;

    // Gives standard error back. With `forward`, what was held back is written to it.
    void Release(bool forward);
    // What was written so far, trimmed; empty once released.
    std::string Text() const;

  private:
    std::FILE* held_ = nullptr;
    int saved_ = -1;
};
