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
inline std::string FromQCaption(QString text) {
    return FromQ(text.replace(QStringLiteral("&&"), QStringLiteral("&")));
}

// Generated text ends its lines in "\r\n"; a text box wants bare line feeds, or it would
// show an empty line after each one.
inline QString PlainLines(const std::string& text) {
    QString q = ToQ(text);
    q.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    q.replace(QChar('\r'), QChar('\n'));
    return q;
}

}  // namespace ui::qt
