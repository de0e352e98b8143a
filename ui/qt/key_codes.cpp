#include "ui/qt/key_codes.h"

#include <QKeyEvent>

#include "ui/event.h"

namespace ui::qt {

int KeyCode(const QKeyEvent& key) {
    const int k = key.key();
    switch (k) {
        case Qt::Key_Return:
        case Qt::Key_Enter:  // the keypad's Enter
            return kKeyEnter;
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Tab:
            return 9;
        case Qt::Key_Escape:
            return kKeyEscape;
        case Qt::Key_Space:
            return kKeySpace;
        case Qt::Key_Delete:
            return 46;
        default:
            break;
    }
    // Letters and digits already carry their ASCII codes; Qt's codes for the other special
    // keys lie above 0xFFFFFF and cannot be taken for Enter.
    return k;
}

}  // namespace ui::qt
