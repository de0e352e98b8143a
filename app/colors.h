// The program's fixed colours.
#pragma once

#include "ui/color.h"

namespace colors {

// A field whose value has not yet been turned into code.
inline constexpr ui::Color kNotCalculated = ui::Color::FromRgb(177, 3, 29);
// A cycle count that produced code.
inline constexpr ui::Color kCalculated = ui::Color::FromRgb(3, 37, 181);
inline constexpr ui::Color kBlack = ui::Color::FromRgb(0, 0, 0);
inline constexpr ui::Color kProfileName = ui::Color::FromRgb(58, 2, 180);
inline constexpr ui::Color kAboutText = ui::Color::FromRgb(10, 0, 128);
inline constexpr ui::Color kMailLink = ui::Color::FromRgb(25, 2, 218);
inline constexpr ui::Color kMailLinkHover = ui::Color::FromRgb(87, 123, 254);

}  // namespace colors
