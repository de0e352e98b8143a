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

// A caption shown as written: Qt takes "&" in the text of a button, a frame or a tab as the
// mark of an access key, and "&&" as one "&".
inline QString ToQCaption(const std::string& text) {
    return ToQ(text).replace(QChar('&'), QStringLiteral("&&"));
}

}  // namespace ui::qt
