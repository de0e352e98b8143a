// The one list of the main window's gadgets: numbers, kinds, places and first captions.
#pragma once

#include "ui/window_layout.h"

inline constexpr const char* kWindowTitle = "Loopsmith - 1.7";

ui::WindowLayout MainWindowLayout();
