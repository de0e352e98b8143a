#include "ui/qt/widget_colors.h"

#include <QApplication>
#include <QLabel>
#include <QPalette>
#include <QWidget>

namespace ui::qt {

QColor ToQColor(Color color) {
    switch (color.kind) {
        case Color::Kind::Default:
            return {};
        case Color::Kind::ButtonFace:
            return QApplication::palette().color(QPalette::Active, QPalette::Button);
        case Color::Kind::Rgb:
            return QColor(color.r, color.g, color.b);
    }
    return {};
}

void PaintGadget(QWidget* widget, Color text, Color back) {
    QPalette p = QApplication::palette(widget);
    const QColor fore = ToQColor(text);
    const QColor fill = ToQColor(back);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        if (fore.isValid()) {
            for (QPalette::ColorRole role :
                 {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
                p.setColor(group, role, fore);
            }
        }
        if (fill.isValid()) {
            for (QPalette::ColorRole role : {QPalette::Base, QPalette::Window, QPalette::Button}) {
                p.setColor(group, role, fill);
            }
        }
    }
    widget->setPalette(p);
    // Labels draw no background of their own unless asked to.
    if (qobject_cast<QLabel*>(widget))
        widget->setAutoFillBackground(fill.isValid());
}

}  // namespace ui::qt
