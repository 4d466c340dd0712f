#include "FontMap_p.h"

#include <QFontMetrics>

#include <algorithm>
#include <cctype>
#include <cmath>

namespace {
std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}
} // namespace

QString QtFamilyFor(const std::string& windowsName) {
    const std::string name = Lower(windowsName);
    if (name == "arial" || name == "ms sans serif" || name == "helvetica" || name == "tahoma" ||
        name == "ms shell dlg" || name == "ms shell dlg 2")
        return QStringLiteral("Liberation Sans");
    if (name == "times new roman" || name == "ms serif" || name == "times")
        return QStringLiteral("Liberation Serif");
    if (name == "courier new" || name == "courier") return QStringLiteral("Liberation Mono");
    return QString::fromLatin1(windowsName.data(), static_cast<qsizetype>(windowsName.size()));
}

QFont QtFontFor(const TFont& font) {
    QFont f(QtFamilyFor(font.Name()));
    // Small text (7 pt legends, units) is only legible smoothed: one-bit glyphs lose
    // strokes ("t" reads as "r"), and fully hinted one-bit digits run into each other
    // ("2000" looks crossed out). Vertical hinting keeps stems and baselines crisp and
    // leaves the advance widths as the outlines give them, so widths add up as before.
    f.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::PreferMatch));
    f.setHintingPreference(QFont::PreferVerticalHinting);
    f.setKerning(false);
    f.setBold((font.Style() & fsBold) != 0);
    f.setItalic((font.Style() & fsItalic) != 0);
    f.setUnderline((font.Style() & fsUnderline) != 0);
    f.setStrikeOut((font.Style() & fsStrikeOut) != 0);
    if (font.Pitch() == fpFixed) f.setFixedPitch(true);
    int h = font.Height();
    if (h == 0) h = -MulDiv(8, font.PixelsPerInch(), 72);
    if (h < 0) {
        f.setPixelSize(std::max(1, -h));
    } else {
        // A positive height is the cell (ascent + descent); scale the em to fit.
        f.setPixelSize(std::max(1, h));
        const int cell = QFontMetrics(f).height();
        if (cell > 0)
            f.setPixelSize(std::max(1, static_cast<int>(std::lround(double(h) * h / cell))));
    }
    return f;
}
