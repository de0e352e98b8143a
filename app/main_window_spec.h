// The one list of the main window's gadgets: numbers, kinds, places and first captions.
#pragma once

#include "ui/gadget_spec.h"

inline constexpr const char* kWindowTitle = "Loopsmith - 1.7";

ui::WindowSpec MainWindowSpec();
