// The events a window has for the program: what the user did, reported only while the window
// is not busy with the program's own changes or a message box, and the clicks the program
// posts to itself, which are queued always.
#pragma once

#include <deque>

#include "ui/event.h"

namespace ui {

class EventQueue {
  public:
    void Report(const Event& event) {
        if (quietDepth_ == 0)
            events_.push_back(event);
    }
    void Post(const Event& event) { events_.push_back(event); }
    // The window was closed: the last event, and no waiting after it.
    void ReportClose() {
        closed_ = true;
        events_.push_back(Event::Close());
    }
    void MarkClosed() { closed_ = true; }
    bool Closed() const { return closed_; }
    bool Empty() const { return events_.empty(); }
    bool Quiet() const { return quietDepth_ > 0; }
    Event Take() {
        if (events_.empty())
            return Event::Close();
        Event e = events_.front();
        events_.pop_front();
        return e;
    }

    // While one lives, what happens is the program's doing, not the user's.
    class Hush {
      public:
        explicit Hush(EventQueue& queue) : depth_(queue.quietDepth_) { ++depth_; }
        ~Hush() { --depth_; }
        Hush(const Hush&) = delete;
        Hush& operator=(const Hush&) = delete;

      private:
        int& depth_;
    };

  private:
    std::deque<Event> events_;
    int quietDepth_ = 0;
    bool closed_ = false;
};

}  // namespace ui
