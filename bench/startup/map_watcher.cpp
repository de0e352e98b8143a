#include "map_watcher.h"

#include <poll.h>

#include <cstdlib>
#include <memory>

namespace {

template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T>
Reply<T> Own(T* reply) {
    return Reply<T>(reply, &std::free);
}

}  // namespace

MapWatcher::MapWatcher(const std::string& display) {
    xcb_connection_t* c = xcb_connect(display.c_str(), nullptr);
    if (xcb_connection_has_error(c)) {
        xcb_disconnect(c);
        return;
    }
    connection_ = c;
    root_ = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    // Creation and mapping of the root's children, including a window manager's frames.
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root_, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);
}

MapWatcher::~MapWatcher() {
    if (connection_)
        xcb_disconnect(connection_);
}

void MapWatcher::Reset() {
    tracked_.clear();
    // A round trip makes every event the server sent so far arrive before it is dropped.
    std::free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_))
        std::free(event);
}

void MapWatcher::Track(xcb_window_t window) {
    // Its own map events too, for when a window manager has moved it into a frame.
    const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection_, window, XCB_CW_EVENT_MASK, &mask);
    tracked_.push_back(window);
}

std::optional<SeenWindow> MapWatcher::ViewableOne() {
    for (xcb_window_t window : tracked_) {
        auto attributes = Own(xcb_get_window_attributes_reply(
            connection_, xcb_get_window_attributes(connection_, window), nullptr));
        if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE)
            continue;
        SeenWindow seen{std::chrono::steady_clock::now(), 0, 0};
        auto geometry = Own(
            xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window), nullptr));
        if (geometry) {
            seen.width = geometry->width;
            seen.height = geometry->height;
        }
        return seen;
    }
    return std::nullopt;
}

std::optional<SeenWindow> MapWatcher::WaitForVisible(std::chrono::steady_clock::time_point deadline,
                                                     const std::function<bool()>& stillRunning) {
    pollfd watched{xcb_get_file_descriptor(connection_), POLLIN, 0};
    while (std::chrono::steady_clock::now() < deadline && stillRunning() &&
           !xcb_connection_has_error(connection_)) {
        poll(&watched, 1, 5);
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
            const auto arrived = std::chrono::steady_clock::now();
            const uint8_t type = event->response_type & 0x7F;
            bool check = type == XCB_MAP_NOTIFY;
            if (type == XCB_CREATE_NOTIFY) {
                const auto* created = reinterpret_cast<xcb_create_notify_event_t*>(event);
                if (created->parent == root_) {
                    Track(created->window);
                    check = true;  // it may have been mapped before the mask took effect
                }
            }
            std::free(event);
            if (check) {
                if (std::optional<SeenWindow> seen = ViewableOne()) {
                    seen->at = arrived;
                    return seen;
                }
            }
        }
    }
    return std::nullopt;
}
