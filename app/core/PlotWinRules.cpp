#include "PlotWinRules.h"

#include "PlotSnapshot.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>

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
    const double v = value;
    if (std::isnan(v)) return "NAN";
    if (std::isinf(v)) return v < 0 ? "-INF" : "INF";
    if (v == 0) return "0";
    // Four significant digits, rounded once: "d.ddde+xx".
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.3e", std::fabs(v));
    std::string digits{buffer[0], buffer[2], buffer[3], buffer[4]};
    const int exponent = std::atoi(buffer + 6);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    std::string out = v < 0 ? "-" : "";
    if (exponent >= 4 || exponent < -5) {
        out += digits[0];
        if (digits.size() > 1) out += decimalSeparator + digits.substr(1);
        std::string e = std::to_string(std::abs(exponent));
        out += exponent < 0 ? "E-" : "E+";
        out += std::string(e.size() < 4 ? 4 - e.size() : 0, '0') + e;
    } else if (exponent >= 0) {
        const auto whole = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() < whole) digits.resize(whole, '0');
        out += digits.substr(0, whole);
        if (digits.size() > whole) out += decimalSeparator + digits.substr(whole);
    } else {
        out += '0';
        out += decimalSeparator;
        out += std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    return out;
}
