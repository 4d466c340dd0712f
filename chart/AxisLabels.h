#pragma once
// Axis label texts and tick positions, computed without a canvas: unit labels
// with SI prefixes ([kV], [ms], "*10" with a raised exponent), tick label
// texts, and the tick rows/columns of linear, dB and log axes. The drawing
// code walks these results; text widths come through ITextMeasure.

#include "ChartTypes.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

// Text measurement in a font of the given point size (the chart's canvas).
class ITextMeasure {
public:
    virtual ~ITextMeasure() = default;
    virtual int TextWidth(std::string_view text, int pointSize) const = 0;
};

// What the unit label of an axis depends on besides the axis record.
struct SLabelEnv {
    const ITextMeasure* measure = nullptr;
    int labelFontSize = 8; // the user font size when the automatic axis font is off
    int exponentFontSize = 6;
    int yTickLength = 4;
    bool autoLabel = false; // units may be shown
    bool userLabel = false; // texts set by the user: never rebuilt
    SXVarParam xVar{};
    std::span<const SCurveParam> curves;
    // A unit written out for the y axes (a ratio's "pu"); empty: the curves' unit letters.
    std::string_view yUnitText;
};

// The chart's pair of strings for one axis: the unit text and the raised text.
struct SUnitText {
    std::string unit;
    std::string exponent;
};

// Rebuilds the axis' unit texts (unless the user set them); true when a unit was found.
bool BuildUnitTexts(const SAxis& axis, const SLabelEnv& env, SUnitText& texts);

// Width of a text pair: text in the label font, raised text in the exponent font.
int TextPairWidth(const SLabelEnv& env, std::string_view text, std::string_view raised);

// WriteLabel measuring only: rebuilds the texts, returns their width + 1.
int MeasureUnitLabel(const SAxis& axis, const SLabelEnv& env, SUnitText& texts);

// Tick label of a linear axis: fixed point, precision 5, max(0, decimals) decimals.
std::string TickLabel(float value, int decimals);

struct STick {
    int pos = 0;          // pixel row (y axes) or column (x axis)
    bool labelled = true; // false for the skipped ticks of every-other labelling
    std::string text;     // main label text
    std::string raised;   // raised text (decade of a log label)
    bool minor = false;   // log minor tick (2, 4, 6, 8 times the decade)
};

// Cap on ticks per axis: a spacing far below a pixel never loops for long.
constexpr int kMaxTicks = 1000;

// Linear y axis: rows from the plot bottom upward while row >= plot top - 2.
std::vector<STick> LinearYTicks(const SAxis& axis, int plotTop, int plotBottom, float spacingPx);
// Linear x axis: columns from plot left + bar margin while column <= plot right - bar margin.
std::vector<STick> LinearXTicks(const SAxis& axis, int plotLeft, int plotRight, int barMargin,
                                float spacingPx);
// Left y grid rows: tick rows strictly between the plot top and bottom.
std::vector<int> LinearYGridRows(int plotTop, int plotBottom, float spacingPx);
// x grid columns after the first tick, while the offset stays below x pixel length - 1.
std::vector<int> LinearXGridColumns(int firstColumn, int xPixelLength, float spacingPx);

// dB and log axes: positions along a span of L + 1 pixels.
struct SDecadeTicks {
    int density = 0;          // 1 ends only, 2 every decade (20 dB), 3 finer (10 dB / minor ticks)
    float pixelStep = 0;      // dB: pixels per label step; log: pixels per decade
    std::vector<STick> ticks; // in drawing order; log minor ticks flagged
};

// spanStart/spanEnd: plot left/right for x, plot top/bottom for y axes.
SDecadeTicks DBTicks(const SAxis& axis, int spanStart, int spanEnd, bool yAxis, int fontHeight);
SDecadeTicks LogTicks(const SAxis& axis, int spanStart, int spanEnd, bool yAxis, int fontHeight);
