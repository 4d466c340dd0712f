#include "Cp1252.h"
#include "QtText_p.h"

#include <QByteArrayView>
#include <QStringDecoder>

#include <array>

namespace {
// 0x80..0x9F; 0 marks the five codes that Windows-1252 leaves undefined, which
// are passed through as the C1 control of the same number.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
} // namespace

std::u16string Utf16FromCp1252(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (char ch : text) {
        const auto b = static_cast<unsigned char>(ch);
        if (b >= 0x80 && b < 0xA0 && kHigh[b - 0x80] != 0)
            out.push_back(kHigh[b - 0x80]);
        else
            out.push_back(static_cast<char16_t>(b));
    }
    return out;
}

QString QShownText(std::string_view text) {
    // Qt's decoder refuses overlong forms, surrogates and code points past U+10FFFF.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = utf8(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
    if (!utf8.hasError()) return decoded;
    const std::u16string u = Utf16FromCp1252(text);
    return QString::fromUtf16(u.data(), static_cast<qsizetype>(u.size()));
}

std::u16string Utf16FromShownText(std::string_view text) {
    return QShownText(text).toStdU16String();
}

std::string Cp1252FromUtf16(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char16_t u : text) {
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            out.push_back(static_cast<char>(u));
            continue;
        }
        char mapped = '?';
        for (std::size_t i = 0; i < kHigh.size(); ++i) {
            if (kHigh[i] == u || (kHigh[i] == 0 && u == 0x80 + i)) {
                mapped = static_cast<char>(0x80 + i);
                break;
            }
        }
        out.push_back(mapped);
    }
    return out;
}
