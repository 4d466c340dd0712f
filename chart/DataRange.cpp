#include "DataRange.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

SMinMax minmax(const float* values, std::int64_t count) {
    SMinMax r;
    if (!values || count <= 0) return r;
    float lo = FLT_MAX, hi = -FLT_MAX;
    for (std::int64_t i = 0; i < count; ++i) {
        const float v = values[i];
        const bool finite = std::fabs(v) <= FLT_MAX; // false for NaN and both infinities
        lo = finite && v < lo ? v : lo;
        hi = finite && v > hi ? v : hi;
    }
    if (lo <= hi) r = {lo, hi, true};
    return r;
}

int SChartData::totalCurves() const {
    int n = 0;
    for (int f = 0; f < nFiles; ++f)
        n += std::max(0, nCurves[f]);
    return n;
}

bool AssignYAxes(std::span<SCurveParam> curves) {
    bool left = false, right = false;
    for (const SCurveParam& c : curves)
        (c.axis ? right : left) = true;
    if (right && !left)
        for (SCurveParam& c : curves)
            c.axis = 0;
    return left && right;
}

namespace {

void Merge(SMinMax& into, const SMinMax& r) {
    if (!r.any) return;
    if (!into.any) {
        into = r;
        return;
    }
    into.min = std::min(into.min, r.min);
    into.max = std::max(into.max, r.max);
}

} // namespace

void FullDataRect(const SChartData& data, float full[6], FloatRect2& displayed) {
    SMinMax xr, left, right;
    bool anyRight = false;
    int curve = 0;
    for (int f = 0; f < data.nFiles; ++f) {
        const std::int64_t n = data.nPoints[f];
        Merge(xr, minmax(data.x[f], n));
        for (int c = 0; c < data.nCurves[f]; ++c, ++curve) {
            const SMinMax r = minmax(data.y[f][c], n);
            if (data.curves && data.curves[curve].axis) {
                anyRight = true;
                Merge(right, r);
            } else {
                Merge(left, r);
            }
        }
    }
    full[0] = xr.min, full[1] = xr.max;
    full[2] = left.min, full[3] = left.max;
    displayed.xLower = xr.min, displayed.xUpper = xr.max;
    displayed.yLeftUpper = left.max, displayed.yLeftLower = left.min;
    if (anyRight) {
        full[4] = right.min, full[5] = right.max;
        displayed.yRightUpper = right.max, displayed.yRightLower = right.min;
    }
}
