#pragma once
// TFont to QFont: the Windows face names the program uses are mapped to the
// metric-compatible Liberation faces, sizes become pixel sizes of the device,
// and text is drawn smoothed without kerning (widths add up like GDI's).

#include "GraphicsObjects.h"

#include <QFont>
#include <QString>

QString QtFamilyFor(const std::string& windowsName);
QFont QtFontFor(const TFont& font);
