#pragma once
// Texts shown: UTF-8 when valid, else Windows-1252 (Cp1252.h); typed text comes back as
// UTF-8. File names handed to Qt's file functions are the system's bytes.
#include "Cp1252.h"

#include <QByteArray>
#include <QFile>
#include <QObject>
#include <QString>
#include <QVariant>

#include <string>

// A stored text as shown: UTF-8 when valid, else Windows-1252 (Cp1252.cpp).
QString QShownText(std::string_view text);
inline QString QStr(const std::string& text) {
    return QShownText(text);
}
// Typed text, as UTF-8: every character typed is kept, and shown again as typed.
inline std::string StdStr(const QString& text) {
    return text.toStdString();
}
inline QString QFileName(const std::string& name) {
    return QFile::decodeName(QByteArray::fromStdString(name));
}
inline std::string StdFileName(const QString& name) {
    return QFile::encodeName(name).toStdString();
}

// A text shown by a widget and read back: the bytes it was given while it still shows
// them, so that a name that was only shown is never re-encoded; else what was typed.
inline constexpr const char* kShownBytes = "curvixShownBytes";
inline void KeepShownBytes(QObject& holder, const std::string& bytes) {
    holder.setProperty(kShownBytes, QByteArray::fromStdString(bytes));
}
inline std::string ShownBytesOr(const QVariant& kept, const QString& now) {
    if (kept.isValid()) {
        std::string bytes = kept.toByteArray().toStdString();
        if (QStr(bytes) == now) return bytes;
    }
    return StdStr(now);
}
inline std::string ShownBytesOr(const QObject& holder, const QString& now) {
    return ShownBytesOr(holder.property(kShownBytes), now);
}
