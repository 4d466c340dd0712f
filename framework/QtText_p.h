#pragma once
// Program texts are Windows-1252; file names are the system's bytes.
#include "Cp1252.h"

#include <QFile>
#include <QString>

#include <string>

inline QString QStr(const std::string& text) {
    const std::u16string u = Utf16FromCp1252(text);
    return QString::fromUtf16(u.data(), static_cast<qsizetype>(u.size()));
}
inline std::string StdStr(const QString& text) {
    return Cp1252FromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                               static_cast<std::size_t>(text.size())));
}
inline QString QFileName(const std::string& name) {
    return QFile::decodeName(QByteArray::fromStdString(name));
}
inline std::string StdFileName(const QString& name) {
    return QFile::encodeName(name).toStdString();
}
