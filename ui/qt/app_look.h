// The look shared by the program and its widget tests: style and fonts.
#pragma once

#include <QFont>

namespace ui::qt {

// Call once after the QApplication exists and before the window is built.
void PrepareApplication();

// The controls' font. The places of the gadgets were laid out for a small 8-point system
// font, so the size is in pixels: it must keep its size whatever the screen's DPI.
QFont ControlsFont();

// The screen scales (96, 120, 144 and 192 DPI) every caption must fit at.
inline constexpr double kScreenScales[] = {1.0, 1.25, 1.5, 2.0};
// `font` as a screen of that scale draws it: `scale` times its size, fractions kept.
QFont ScaledFont(const QFont& font, double scale);

// The output box's font: "Lucida Console" 10 where installed, else the system's fixed-width
// font, so that the columns of the generated code line up.
QFont OutputFont();

}  // namespace ui::qt
