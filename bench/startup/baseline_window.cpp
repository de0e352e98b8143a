// The start-up baseline: a bare QApplication showing one window of the main window's size with
// one line of Cyrillic text in the controls' font.
#include <QApplication>
#include <QLabel>
#include <QWidget>

#include "ui/qt/app_look.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.setFont(ui::qt::ControlsFont());
    window.resize(392, 510);
    QLabel label(QStringLiteral("Длительность задержки в микросекундах"), &window);
    label.move(8, 8);
    window.show();
    return QApplication::exec();
}
