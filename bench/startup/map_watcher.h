// An outside X client that notes the moment a newly created top-level window becomes
// viewable, with or without a window manager reparenting it.
#pragma once

#include <xcb/xcb.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

struct SeenWindow {
    std::chrono::steady_clock::time_point at;
    int width = 0;
    int height = 0;
};

class MapWatcher {
  public:
    explicit MapWatcher(const std::string& display);
    ~MapWatcher();
    MapWatcher(const MapWatcher&) = delete;
    MapWatcher& operator=(const MapWatcher&) = delete;

    bool Connected() const { return connection_ != nullptr; }
    // Forgets the windows and the pending events of earlier runs; call before each start.
    void Reset();
    // The first window created since Reset() that is viewable; nothing when `stillRunning`
    // turns false or the deadline passes first.
    std::optional<SeenWindow> WaitForVisible(std::chrono::steady_clock::time_point deadline,
                                             const std::function<bool()>& stillRunning);

  private:
    void Track(xcb_window_t window);
    std::optional<SeenWindow> ViewableOne();

    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = 0;
    std::vector<xcb_window_t> tracked_;
};
