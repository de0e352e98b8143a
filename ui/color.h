// Text and background colours of a gadget: the platform's default for its kind, the
// system's button-face colour, or a 24-bit RGB value.
#pragma once

#include <cstdint>

namespace ui {

struct Color {
    enum class Kind { Default, ButtonFace, Rgb };
    Kind kind = Kind::Default;
    std::uint8_t r = 0, g = 0, b = 0;

    static constexpr Color Default() { return {}; }
    static constexpr Color ButtonFace() { return {Kind::ButtonFace, 0, 0, 0}; }
    static constexpr Color FromRgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
        return {Kind::Rgb, r, g, b};
    }
    friend constexpr bool operator==(const Color&, const Color&) = default;
};

}  // namespace ui
