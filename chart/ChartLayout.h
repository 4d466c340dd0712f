#pragma once
// Layout arithmetic of the chart control: tick lengths, font sizes, tick
// budgets, pen width, plot rectangle and bar margin. Plain functions of the
// chart's sizes and text metrics, so they are tested without a canvas.

#include "ChartTypes.h"

#include <cstdint>

struct SDesign {
    int xTickLength = 4; // x axis ticks (vertical), from the drawing height
    int yTickLength = 4; // y axis ticks (horizontal), from the drawing width
    int labelFontSize = 8;
    int exponentFontSize = 6;
};

// W, H: drawing width and height (the chart rectangle).
SDesign DesignSizes(int W, int H);
int ExponentFontSize(int labelFontSize);

// Ticks the y axes may carry: at most 4, negative on tiny charts.
int YTickBudget(int H, int charHeight);
// trim: 1 at construction, 0.4 at a resize. plusWidth: TextWidth("+0.000").
int XTickBudget(int W, int plusWidth, double trim);

// Pen width of curves, axes and frame on screen; 0 draws one pixel.
int PlotPenWidthFor(EPlotPenWidth w, int clientWidth, int clientHeight);

struct SPlotRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    // No room for a single interval: nothing is drawn inside.
    bool Empty() const { return right <= left || bottom <= top; }
};

struct SLayoutInput {
    int chartLeft = 0, chartTop = 0, chartRight = 0, chartBottom = 0;
    int plotTop = 0; // from the title rule
    int yTickLength = 4, xTickLength = 4;
    int leftLabelWidth = 0, rightLabelWidth = 0, xLabelWidth = 0;
    int smallGap = 0, charHeight = 0, legendHeight = 0;
};
SPlotRect PlotRectangle(const SLayoutInput& in);

// Bar margin for `visible` bars (last - first index of the first file) on a
// plot of width D: a single visible bar counts as one interval, so the x
// axis keeps a length.
int BarMargin(int D, std::int64_t visible);
