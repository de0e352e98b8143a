// Key codes as the event loop knows them: 13 is Enter, letters and digits are their
// capital ASCII codes.
#pragma once

class QKeyEvent;

namespace ui::qt {

int KeyCode(const QKeyEvent& key);

}  // namespace ui::qt
