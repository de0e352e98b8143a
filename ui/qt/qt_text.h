// UTF-8 inside the program, QString at the Qt boundary.
#pragma once

#include <QString>

#include <string>

namespace ui::qt {

inline QString ToQ(const std::string& text) {
    return QString::fromUtf8(text);
}
inline std::string FromQ(const QString& text) {
    return text.toUtf8().toStdString();
}

}  // namespace ui::qt
