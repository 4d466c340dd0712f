#include "PlotWinRules.h"

#include "NumericText.h"
#include "PlotSnapshot.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

int PenDots(int tenthsOfMm, int dotsPerInch) {
    // dots per tenth of a millimetre: dpi / 25.4 / 10
    const double perTenth = dotsPerInch * 0.03937007874015748 * 0.1;
    return static_cast<int>(tenthsOfMm * perTenth + 0.5);
}

SPrintPens PrintPens(int frameTenths, int curveTenths, int dotTenths, int dotsPerInch,
                     bool linePlot) {
    SPrintPens p;
    p.frame = PenDots(frameTenths, dotsPerInch);
    p.curve = PenDots(curveTenths, dotsPerInch);
    p.dot = dotTenths == 0 ? 1 : PenDots(dotTenths, dotsPerInch);
    p.ok = p.frame >= 1 && (!linePlot || p.curve >= 1);
    return p;
}

SPanelButtons PackPanelButtons(int clientWidth, int printWidth, int copyWidth, int saveWidth,
                               int markWidth) {
    SPanelButtons b;
    b.print = clientWidth - printWidth;
    b.copy = b.print - 3 - copyWidth;
    b.save = b.copy - 3 - saveWidth;
    b.mark = b.save - 3 - markWidth;
    return b;
}

int KeepHalfOnScreen(int position, int size, int screenSize) {
    const int half = size / 2;
    if (position + half > screenSize) position = screenSize - half;
    // A position remembered from a screen to the left or above is pulled back as well.
    if (position + half < 0) position = -half;
    return position;
}

int KeepWholeOnScreen(int position, int size, int screenSize) {
    return std::max(0, std::min(position, screenSize - size));
}

bool CursorValuesInPanel(int totalCurves, int clientWidth, int initialClientWidth) {
    return totalCurves == 1 && clientWidth >= initialClientWidth;
}

bool FitsFloatScale(double value) {
    return std::isfinite(value) && std::fabs(value) <= FLT_MAX;
}

bool ScaleRangeOrdered(double min, double max) {
    return static_cast<float>(min) < static_cast<float>(max);
}

bool SnapshotDrawable(const SPlotSnapshot& s) {
    if (s.nFiles < 1 || s.nFiles > kMaxFiles) return false;
    if (s.totalCurves < 0 || s.totalCurves > kMaxCurves) return false;
    int curves = 0;
    for (std::size_t f = 0; f < static_cast<std::size_t>(s.nFiles); ++f) {
        if (s.nCurves[f] < 0 || s.nPoints[f] < 1) return false;
        if (s.xData[f].size() < static_cast<std::size_t>(s.nPoints[f])) return false;
        if (s.nCurves[f] > 0 && !s.yData[f]) return false;
        curves += s.nCurves[f];
    }
    return curves >= 1 && curves <= kMaxCurves;
}

std::string ScaleEndText(float value, char decimalSeparator) {
    return FormatGeneral(value, 4, 4, decimalSeparator);
}
