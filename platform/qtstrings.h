#pragma once

#include <QString>
#include <string>

#include "platform/codepage.h"

// Document text (Windows-1252 bytes) to and from Qt's Unicode, at the edge
// of the widgets.
inline QString ToQt(const std::string& bytes) {
    const std::u16string wide = Cp1252ToUtf16(bytes);
    return QString(reinterpret_cast<const QChar*>(wide.data()), qsizetype(wide.size()));
}

inline std::string FromQt(const QString& text) {
    return Cp1252FromUtf16(
        std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), std::size_t(text.size())));
}

// Multi-line texts hold "\r\n" in the document and "\n" in edit boxes.
inline QString ToQtLines(const std::string& bytes) {
    return ToQt(bytes).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

inline std::string FromQtLines(const QString& text) {
    return FromQt(QString(text).replace(QStringLiteral("\n"), QStringLiteral("\r\n")));
}
