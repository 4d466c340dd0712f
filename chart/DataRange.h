#pragma once
// The full data range of the chart's curves: what Plot(true) scales to.
// Non-finite samples (NaN, +-inf from MAT or ADF files) are ignored.

#include "ChartTypes.h"

#include <cstdint>
#include <span>

struct SMinMax {
    float min = 0;
    float max = 0;
    bool any = false; // false: no finite sample
};

SMinMax minmax(const float* values, std::int64_t count);

// The caller's per-file data as GetData hands it over.
struct SChartData {
    int nFiles = 0;
    const int* nCurves = nullptr;           // per file
    const int* nPoints = nullptr;           // per file
    const float* const* x = nullptr;        // per file
    const float* const* const* y = nullptr; // per file, per curve
    SCurveParam* curves = nullptr;          // all curves, files in order
    int totalCurves() const;
};

// Second-y-axis flag: curves on both axes. All on the right: moved to the left.
bool AssignYAxes(std::span<SCurveParam> curves);

// SetFullDispRect without the message: fills the full data rectangle
// (x min, x max, left-y min, left-y max, right-y min, right-y max) and the
// displayed rectangle. Sides without finite samples span 0..0 (flat); the
// right-y entries keep their values when no curve is on the right axis.
void FullDataRect(const SChartData& data, float full[6], FloatRect2& displayed);
