#pragma once
// Text widths for the computing half, measured on the chart's canvas in a
// given point size; the canvas font is left as it was.

#include "AxisLabels.h"

#include "Canvas.h"

class CanvasMeasure final : public ITextMeasure {
public:
    explicit CanvasMeasure(TCanvas& canvas) : canvas_(canvas) {}
    int TextWidth(std::string_view text, int pointSize) const override {
        TFont& f = canvas_.Font();
        const int height = f.Height();
        f.SetSize(pointSize);
        const int w = canvas_.TextWidth(text);
        f.SetHeight(height);
        return w;
    }

private:
    TCanvas& canvas_;
};
