// One user action as the event loop sees it.
#pragma once

namespace ui {

// Event types of gadget events.
inline constexpr int kEventClick = 0;  // button-like click, or the panel's page change
inline constexpr int kEventSelectionChange = 1;
inline constexpr int kEventDoubleClick = 2;
inline constexpr int kEventTextChange = 768;

inline constexpr int kKeyEnter = 13;
inline constexpr int kKeyEscape = 27;
inline constexpr int kKeySpace = 32;

struct Event {
    enum class Kind { Gadget, KeyDown, MouseMove, Close };
    Kind kind = Kind::Close;
    int gadget = -1;  // Gadget events
    int type = 0;     // Gadget events: kEventClick ...
    int key = 0;      // KeyDown: the key code (13 = Enter)

    static Event OnGadget(int gadget, int type) { return {Kind::Gadget, gadget, type, 0}; }
    static Event KeyDown(int key) { return {Kind::KeyDown, -1, 0, key}; }
    static Event MouseMove() { return {Kind::MouseMove, -1, 0, 0}; }
    static Event Close() { return {}; }
};

}  // namespace ui
