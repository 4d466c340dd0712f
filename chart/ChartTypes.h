#pragma once
// Records and enumerations shared by the chart control and its computing
// helpers. TLineChart exposes SAxis and SDigits as nested names
// (using SAxis = ::SAxis) so the helpers need no chart object.

#include <cstdint>

// 8-bit, values in this order from 0.
enum EScaleType : std::uint8_t { stLin, stDB, stLog };
enum EPlotType : std::uint8_t { ptLine, ptBar, ptSwarm };
enum EPlotPenWidth : std::uint8_t { pwThin, pwThick, pwAuto };
enum ESwarmPointSize : std::uint8_t { ssPixel, ssSquare };

// Descriptor of the x variable (passed by value).
struct SXVarParam {
    bool xIsTime = false;       // false: every sample is drawn whatever the zoom
    std::uint8_t unitChar = 0;  // 0 = no unit
    std::uint8_t unitChar2 = 0; // second letter of a two-letter unit ("ms"), else 0
};

// Descriptor of one curve; the caller's array has one per curve, files in order.
struct SCurveParam {
    std::uint32_t color = 0;   // 0x00BBGGRR
    std::uint8_t axis = 0;     // 0 = left y axis, 1 = right y axis
    std::uint8_t unitChar = 0; // 0 = unknown
};

// Data-unit rectangle: note the y entries run upper before lower.
struct FloatRect2 {
    float xLower = 0, xUpper = 0;
    float yLeftUpper = 0, yLeftLower = 0;
    float yRightUpper = 0, yRightLower = 0;
};

// One record per axis (x, left y, right y).
struct SAxis {
    bool grid = false;
    bool everyOther = false; // label every other tick
    EScaleType scaleType = stLin;
    std::int32_t tickMode = 0; // 0 flat range, 1 exact ends, 2 rounded ends with searched ticks
    std::uint8_t kind = 0;     // 0 x, 1 left y, 2 right y
    std::int32_t pixelLength = 0;
    std::int32_t labelWidth = 0; // widest tick or unit label, pixels
    std::int32_t decimals = 0;
    std::int32_t engExponent = 0; // multiple of 3, 0 when no factor is shown
    float factor = 1;             // 10^engExponent
    float spacing = 0;            // tick spacing in units of the factor (log/dB: one decade)
    float lower = 0, upper = 0;   // ends in units of the factor
    float lowerData = 0, upperData = 0;
    std::int32_t lowDecade = 0, highDecade = 0; // dB and log axes
};

// One axis end split into the four significant digits of "%+10.3e".
struct SDigits {
    std::uint32_t lead = 0, d1 = 0, d2 = 0, d3 = 0;
    std::int32_t exponent = 0;
    float value = 0;
    float rounded = 0;
    char sign = '+';
};
