#include "FilterClip.h"

#include "PixelMath.h"

#include <algorithm>

void CFilterClip::GetRect(int left, int top, int right, int bottom) {
    plotLeft_ = left, plotTop_ = top, plotRight_ = right, plotBottom_ = bottom;
    left_ = left - 0.5f;
    top_ = top - 0.5f;
    right_ = right + 0.5f;
    bottom_ = bottom + 0.5f;
}

bool CFilterClip::GetLine(float x1, float y1, float x2, float y2) {
    startX_ = x1, startY_ = y1, endX_ = x2, endY_ = y2;
    if (x1 == x2 && y1 == y2) {
        lineDefined_ = false;
        pointX_ = x1, pointY_ = y1;
        return false;
    }
    lineDefined_ = true;
    P_ = double(y1) - y2;
    Q_ = double(x2) - x1;
    R_ = double(x1) * y2 - double(x2) * y1;
    limit_ = double(tolerance_) * tolerance_ * (P_ * P_ + Q_ * Q_);
    dx_ = x2 - x1;
    dy_ = y2 - y1;
    return true;
}

bool CFilterClip::GiveX(float y, float& x) const {
    if (endY_ == startY_) return false;
    const double t = (double(y) - startY_) / (double(endY_) - startY_);
    if (!(t > 0 && t <= 1)) return false;
    x = static_cast<float>(startX_ + t * (double(endX_) - startX_));
    return true;
}

bool CFilterClip::GiveY(float x, float& y) const {
    if (endX_ == startX_) return false;
    const double t = (double(x) - startX_) / (double(endX_) - startX_);
    if (!(t > 0 && t < 1)) return false;
    y = static_cast<float>(startY_ + t * (double(endY_) - startY_));
    return true;
}

int CFilterClip::GiveRectIntersect(FloatPoint& first, FloatPoint& second) const {
    FloatPoint found[4];
    int n = 0;
    float v = 0;
    if (GiveX(top_, v) && left_ <= v && v <= right_) found[n++] = {v, top_};
    if (GiveX(bottom_, v) && left_ <= v && v <= right_) found[n++] = {v, bottom_};
    if (GiveY(left_, v) && top_ <= v && v <= bottom_) found[n++] = {left_, v};
    if (GiveY(right_, v) && top_ <= v && v <= bottom_) found[n++] = {right_, v};
    if (n == 0) return 0;
    auto dist2 = [&](const FloatPoint& p) {
        const double dx = double(p.x) - startX_, dy = double(p.y) - startY_;
        return dx * dx + dy * dy;
    };
    if (n == 1) {
        first = found[0];
        return 1;
    }
    // Two or more (a corner counts on two sides): the nearest and the farthest.
    const auto [nearest, farthest] =
        std::minmax_element(found, found + n, [&](const FloatPoint& a, const FloatPoint& b) {
            return dist2(a) < dist2(b);
        });
    first = *nearest;
    second = *farthest;
    return 2;
}

namespace {

// Pixel of a clipper position: truncated, and held inside the plot rectangle
// (the clipper's rectangle is half a pixel wider on every side). Positions
// are finite; clamping first keeps the conversion defined.
inline SPixelPoint ToPixel(const CFilterClip& clip, CFilterClip::FloatPoint p) {
    const float l = float(clip.PlotLeft()), r = std::max(l, float(clip.PlotRight()));
    const float t = float(clip.PlotTop()), b = std::max(t, float(clip.PlotBottom()));
    return {static_cast<int>(std::clamp(p.x, l, r)), static_cast<int>(std::clamp(p.y, t, b))};
}

} // namespace

namespace {

// Linear axes: Column and Row written as selects, the same values. GCC
// vectorises the loop only when comparisons may be reordered as not raising
// floating-point exceptions, which nothing here looks at.
#if defined(__GNUC__) && !defined(__clang__)
__attribute__((optimize("no-trapping-math")))
#endif
void MapLinear(const SPixelMap& map, const float* __restrict x, const float* __restrict y, int n,
               float* __restrict px, float* __restrict py) {
    constexpr double k = SPixelMap::kLimit;
    const double xo = map.xOrigin, xs = map.xScale, xoff = map.xOffset;
    const double yo = map.yOrigin, ys = map.yScale, yl = map.yLength, yt = map.yTop;
    for (int i = 0; i < n; ++i) {
        const double u = x[i], v = y[i];
        double c = (u - xo) * xs + xoff, r = yl - (v - yo) * ys + yt;
        c = k < c ? k : c; // NaN stays, as in Hold
        c = c < -k ? -k : c;
        r = k < r ? k : r;
        r = r < -k ? -k : r;
        c = std::fabs(u) <= 3.5e38 ? c : NAN;
        r = std::fabs(v) <= 3.5e38 ? r : NAN;
        px[i] = static_cast<float>(c + 0.5);
        py[i] = static_cast<float>(r + 0.5);
    }
}

// Positions (pixel + 0.5, as floats; NaN for no drawable point) of n samples.
void MapBlock(const SPixelMap& map, const float* x, const float* y, int n, float* px, float* py) {
    if (!map.xLog && !map.yLog) return MapLinear(map, x, y, n, px, py);
    for (int k = 0; k < n; ++k) {
        px[k] = static_cast<float>(map.Column(x[k]) + 0.5);
        py[k] = static_cast<float>(map.Row(y[k]) + 0.5);
    }
}

} // namespace

std::int64_t CFilterClip::FollowInside(const float* x, const float* y, std::int64_t i,
                                       std::int64_t end, const SPixelMap& map, SPolylines& out,
                                       int& count) {
    if (!lineDefined_) return i;
    // Samples are mapped in blocks that grow while the curve stays inside,
    // so a curve that leaves at once maps few samples in vain.
    constexpr int kMaxBlock = 512;
    float bx[kMaxBlock], by[kMaxBlock];
    int block = 16;
    // Locals: the loop runs once per sample of a dense curve.
    double P = P_, Q = Q_, R = R_, limit = limit_, dx = dx_, dy = dy_;
    const float l = left_, r = right_, t = top_, b = bottom_;
    const bool strong = strongFilter;
    float ex = endX_, ey = endY_;
    while (i < end) {
        const int n = static_cast<int>(std::min<std::int64_t>(block, end - i));
        MapBlock(map, x + i, y + i, n, bx, by);
        for (int k = 0; k < n; ++k) {
            const float px = bx[k], py = by[k];
            // false for NaN too
            if (!(l <= px && px <= r && t <= py && py <= b)) {
                endX_ = ex;
                endY_ = ey;
                return i + k;
            }
            const double e = P * px + Q * py + R;
            if (e * e < limit && (strong || (double(px) - ex) * dx + (double(py) - ey) * dy >= 0)) {
                ex = px;
                ey = py;
                continue;
            }
            // Not redundant: a new segment from the end of this one.
            GetLine(ex, ey, px, py);
            out.LineTo(ToPixel(*this, {ex, ey}));
            ++count;
            P = P_, Q = Q_, R = R_, limit = limit_, dx = dx_, dy = dy_;
            ex = px;
            ey = py;
            if (!lineDefined_) {
                endX_ = ex;
                endY_ = ey;
                return i + k + 1;
            }
        }
        i += n;
        block = std::min(2 * block, kMaxBlock);
    }
    endX_ = ex;
    endY_ = ey;
    return i;
}

int TraceCurve(const float* x, const float* y, std::int64_t first, std::int64_t last,
               const SPixelMap& map, CFilterClip& clip, SPolylines& out) {
    using FP = CFilterClip::FloatPoint;
    int count = 0;
    bool started = false, inside = false;
    FP prev, a, b;
    auto moveTo = [&](FP p) { out.MoveTo(ToPixel(clip, p)); };
    auto lineTo = [&](FP p) { out.LineTo(ToPixel(clip, p)); };
    // A segment that starts outside: the inner part only.
    auto fromOutside = [&](FP p, bool pIn) {
        clip.GetLine(prev.x, prev.y, p.x, p.y);
        const int n = clip.GiveRectIntersect(a, b);
        if (pIn) {
            inside = true;
            moveTo(n >= 1 ? a : p);
            lineTo(p);
            ++count;
        } else if (n == 2) {
            moveTo(a);
            lineTo(b);
            count += 2;
        }
    };
    // The pending run ends where the segment leaves the plot.
    auto leave = [&](FP p) {
        inside = false;
        clip.GetLine(prev.x, prev.y, p.x, p.y);
        lineTo(prev);
        const int n = clip.GiveRectIntersect(a, b);
        if (n >= 1) lineTo(n == 1 ? a : b);
        ++count;
    };

    for (std::int64_t i = first; i <= last; ++i) {
        if (started && inside) {
            // Dense curves: the samples inside go through the filter in one loop.
            i = clip.FollowInside(x, y, i, last, map, out, count);
            prev = clip.SegmentEnd();
        }
        const double c = map.Column(x[i]), r = map.Row(y[i]);
        if (std::isnan(c) || std::isnan(r)) {
            // Not a drawable point: a gap, as where the curve leaves the plot.
            if (started && inside) {
                lineTo(prev);
                ++count;
            }
            started = inside = false;
            continue;
        }
        // Every position is the sample's pixel + 0.5 (drawing truncates), the
        // first one too: the filter's line through the first two samples then
        // follows the curve, so a straight run stays one segment.
        if (!started) {
            prev = {static_cast<float>(c + 0.5), static_cast<float>(r + 0.5)};
            inside = clip.IsInRect(prev.x, prev.y);
            if (inside) moveTo(prev);
            clip.GetLine(prev.x, prev.y, prev.x, prev.y);
            started = true;
            continue;
        }
        const FP p{static_cast<float>(c + 0.5), static_cast<float>(r + 0.5)};
        const bool pIn = clip.IsInRect(p.x, p.y);
        if (i == last) {
            // The last sample ends the curve without a redundancy test.
            if (inside && pIn) {
                lineTo(prev);
                lineTo(p);
                ++count;
            } else if (inside) {
                leave(p);
            } else {
                fromOutside(p, pIn);
            }
            break;
        }
        if (inside && pIn) {
            if (!clip.IsRedundant(p.x, p.y)) {
                clip.GetLine(prev.x, prev.y, p.x, p.y);
                lineTo(prev);
                ++count;
            }
        } else if (inside) {
            leave(p);
        } else {
            fromOutside(p, pIn);
        }
        prev = p;
    }
    out.Finish();
    return count;
}
