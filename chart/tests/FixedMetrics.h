#pragma once
// Text measurement with synthetic metrics: every character is half the point
// size wide, so label widths follow from the texts alone.

#include "AxisLabels.h"

#include <string_view>

struct FixedMetrics : ITextMeasure {
    int TextWidth(std::string_view text, int pointSize) const override {
        return static_cast<int>(text.size()) * pointSize / 2;
    }
};

inline SLabelEnv TestEnv(const ITextMeasure& m) {
    SLabelEnv env;
    env.measure = &m;
    env.labelFontSize = 10;
    env.exponentFontSize = 8;
    env.yTickLength = 6;
    return env;
}
