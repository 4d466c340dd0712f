#pragma once
// Axis scaling: ends, tick spacing, decimals, engineering factor and label
// width of linear, dB and log axes. Messages come back as codes; the chart
// turns them into message boxes with ScaleMessage.

#include "AxisLabels.h"
#include "ChartTypes.h"

#include <string>
#include <vector>

enum class EScaleMsg : std::uint8_t {
    None,
    LogRangeX,      // log/dB x axis over a range with a value <= 0
    LogRangeY,      // the same on a y axis
    NotFinite,      // an end is infinite or not a number
    NoBetterScales, // information only: labels measured from the first 9
    AxisType,       // internal: axis kind other than 0, 1, 2
};

// Warning is the exclamation mark; None shows the text with no icon at all.
enum class EMsgIcon : std::uint8_t { Warning, Information, Error, None };

struct SScaleMessage {
    std::string text;
    std::string title;
    EMsgIcon icon = EMsgIcon::Warning;
    bool fatal = false; // the application is asked to end
};

SScaleMessage ScaleMessage(EScaleMsg msg);

// Result of one axis: error 0 or 1; message may be set on success (information).
struct SAxisResult {
    int error = 0;
    EScaleMsg message = EScaleMsg::None;
};

// Rounding helpers.
void BeginRounding(SDigits& lower, SDigits& upper, float a, float b);
float Plus(const SDigits& d, unsigned position, unsigned step);
float Minus(const SDigits& d, unsigned position, unsigned step);
int ComputeTic(float lower, float upper, int tickBudget);
bool AllowsZero(float lower, float upper, int ticks);
int ComputeDecimals(float lower, float spacing, bool everyOther);
// Engineering exponent of a decimal exponent: 0 for -2..3, else a multiple of 3.
int EngineeringExponent(int e);

// Ends, ticks, factor and decimals only (no label widths).
SAxisResult ScaleAxisEnds(SAxis& axis, float a, float b, int tickBudget, bool keep);
// Label width of an axis already scaled; may rebuild the axis' unit texts.
SAxisResult AxisLabelWidth(SAxis& axis, const SLabelEnv& env, SUnitText& texts);
// The whole of ScaleAxis: ends, then label width.
SAxisResult ScaleAxis(SAxis& axis, float a, float b, int tickBudget, bool keep,
                      const SLabelEnv& env, SUnitText& texts);

// The three axes of a chart with their unit texts.
struct SAxisSet {
    SAxis x, yLeft, yRight;
    SUnitText xText, yLeftText, yRightText;
    SAxisSet() {
        yLeft.kind = 1;
        yRight.kind = 2;
    }
};

struct SScaleSettings {
    int xBudget = 4;
    int yBudget = 4;
    bool manual = false;  // manual-scale flag: ends kept
    bool secondY = false; // right y axis in use
    SLabelEnv env;
};

struct SScaleOutcome {
    int errors = 0;
    std::vector<EScaleMsg> messages; // in the order they are shown
};

// ScaleXY: scales the axes to rect; unless exactEnds the displayed rectangle
// takes the axes' ends in data units.
SScaleOutcome ScaleXY(SAxisSet& axes, FloatRect2& displayed, FloatRect2 rect, bool exactEnds,
                      const SScaleSettings& s);
