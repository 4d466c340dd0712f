#include "ChartLayout.h"

#include "PixelMath.h"

#include <algorithm>

SDesign DesignSizes(int W, int H) {
    SDesign d;
    d.xTickLength = std::max(4, TruncSat(0.015 * H));
    d.yTickLength = std::max(4, TruncSat(0.01 * W));
    int f = std::min(14, TruncSat(0.01 * (double(H) + W)));
    if (f < 9) f = 8;
    d.labelFontSize = f;
    d.exponentFontSize = ExponentFontSize(f);
    return d;
}

int ExponentFontSize(int labelFontSize) {
    return TruncSat(0.71 * labelFontSize + 0.5);
}

int YTickBudget(int H, int charHeight) {
    if (charHeight <= 0) return 0;
    return std::min(4, (H / charHeight) / 2 - 4);
}

int XTickBudget(int W, int plusWidth, double trim) {
    if (plusWidth <= 0) return 0;
    return std::min(4, TruncSat(W / (1.5 * plusWidth) - trim) - 3);
}

int PlotPenWidthFor(EPlotPenWidth w, int clientWidth, int clientHeight) {
    switch (w) {
    case pwThin:
        return 1;
    case pwThick:
        return 2;
    case pwAuto:
        break;
    }
    return std::max(0, (clientWidth + clientHeight) / 600);
}

SPlotRect PlotRectangle(const SLayoutInput& in) {
    SPlotRect r;
    r.top = in.plotTop;
    r.left = TruncSat(1.5 * in.yTickLength + in.chartLeft + in.leftLabelWidth + in.smallGap);
    r.right =
        TruncSat(in.chartRight - std::max(0.65 * in.xLabelWidth,
                                          1.5 * in.yTickLength + in.rightLabelWidth + in.smallGap));
    r.bottom = in.chartBottom - in.legendHeight - in.charHeight - in.xTickLength - 2;
    return r;
}

int BarMargin(int D, std::int64_t visible) {
    const double n = double(std::max<std::int64_t>(1, visible));
    return std::max(1, TruncSat(D * 0.42 / (n + 0.84)));
}
