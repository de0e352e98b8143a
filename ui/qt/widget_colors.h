// Text and background colours of a gadget, painted through the widget's palette.
#pragma once

#include <QColor>

#include "ui/color.h"

class QWidget;

namespace ui::qt {

// The colour a gadget colour stands for; invalid for Color::Default.
QColor ToQColor(Color color);

// Starts from the widget's default palette, so Default really returns to the platform look.
// Disabled widgets keep the platform's greyed colours.
void PaintGadget(QWidget* widget, Color text, Color back);

}  // namespace ui::qt
