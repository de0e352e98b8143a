// The X display every run shares: $DISPLAY, or an Xvfb started here when there is none.
#pragma once

#include <sys/types.h>

#include <string>

class SharedDisplay {
  public:
    // Starts an Xvfb when `startOwn` is set or DISPLAY is empty.
    explicit SharedDisplay(bool startOwn);
    ~SharedDisplay();
    SharedDisplay(const SharedDisplay&) = delete;
    SharedDisplay& operator=(const SharedDisplay&) = delete;

    // Empty when no display could be had.
    const std::string& Name() const { return name_; }
    bool StartedHere() const { return server_ > 0; }

  private:
    std::string name_;
    pid_t server_ = 0;
};
