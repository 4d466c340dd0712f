#include "Raster_p.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {
bool PatternOn(std::span<const int> runs, long long step) {
    if (runs.empty()) return true;
    long long period = 0;
    for (int r : runs)
        period += r;
    long long pos = step % period;
    for (std::size_t k = 0; k < runs.size(); ++k) {
        if (pos < runs[k]) return k % 2 == 0;
        pos -= runs[k];
    }
    return false;
}
} // namespace

void RasterLine(const RasterTarget& t, TPoint from, TPoint to, std::uint32_t pixel,
                std::span<const int> runs, long long& phase) {
    const long long dx = static_cast<long long>(to.x) - from.x;
    const long long dy = static_cast<long long>(to.y) - from.y;
    const long long adx = std::llabs(dx), ady = std::llabs(dy);
    const int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
    const long long n = std::max(adx, ady);
    if (n == 0) return;
    const bool xMajor = adx >= ady;
    // The major coordinate moves one pixel per step; only steps whose major
    // coordinate lies inside the clip are visited.
    const long long major0 = xMajor ? from.x : from.y;
    const int majorSign = xMajor ? sx : sy;
    const long long lo = xMajor ? t.clip.Left : t.clip.Top;
    const long long hi = xMajor ? t.clip.Right : t.clip.Bottom; // exclusive
    long long first, last;                                      // step range, last exclusive
    if (majorSign > 0) {
        first = lo - major0;
        last = hi - major0;
    } else {
        first = major0 - hi + 1;
        last = major0 - lo + 1;
    }
    first = std::max(first, 0LL);
    last = std::min(last, n);
    const long long amaj = xMajor ? adx : ady, amin = xMajor ? ady : adx;
    const long long minor0 = xMajor ? from.y : from.x;
    const int minorSign = xMajor ? sy : sx;
    const long long minLo = xMajor ? t.clip.Top : t.clip.Left;
    const long long minHi = xMajor ? t.clip.Bottom : t.clip.Right;
    // Nearest pixel to the ideal line, halves rounding away from the start:
    // minor offset = (2 i amin + amaj) / (2 amaj), kept as quotient and remainder.
    const long long den = 2 * amaj, inc = 2 * amin;
    long long q = 0, r = 0;
    if (first < last) {
        const long long num = first * inc + amaj;
        q = num / den;
        r = num % den;
    }
    for (long long i = first; i < last; ++i) {
        const long long minor = minor0 + minorSign * q;
        r += inc;
        if (r >= den) {
            r -= den;
            ++q;
        }
        if (minor < minLo || minor >= minHi) continue;
        if (!runs.empty() && !PatternOn(runs, phase + i)) continue;
        const long long major = major0 + majorSign * i;
        const long long x = xMajor ? major : minor, y = xMajor ? minor : major;
        t.bits[y * t.stride + x] = pixel;
    }
    phase += n;
}

void RasterFill(const RasterTarget& t, const TRect& r, std::uint32_t pixel) {
    const TRect c = IntersectRect(r, t.clip);
    if (c.IsEmpty()) return;
    for (int y = c.Top; y < c.Bottom; ++y) {
        std::uint32_t* row = t.bits + static_cast<std::ptrdiff_t>(y) * t.stride;
        std::fill(row + c.Left, row + c.Right, pixel);
    }
}

namespace {

// The wide-line geometry in fixed point, kSub units per half pixel: the
// centre line runs through the pixel corners (x, y) -> (2x, 2y) kSub, the pen's
// radius is width kSub, and pixel (x, y) is sampled at its centre nudged by
// one unit up and left, (2x + 1, 2y + 1) kSub - 1: a centre exactly on the
// pen's edge counts only on its lower and right side, so odd widths put their
// spare pixel below and to the right of the line.
constexpr long long kSub = 1024;

struct SCapsule {
    long long ax, ay, bx, by; // segment ends
    long long dx, dy, len2;   // b - a and its squared length
    __int128 r2;              // squared radius

    static long long Sample(long long pixel) { return (2 * pixel + 1) * kSub - 1; }
    bool Covers(long long x, long long y) const {
        const long long cx = Sample(x), cy = Sample(y);
        const long long px = cx - ax, py = cy - ay;
        const __int128 t = __int128(px) * dx + __int128(py) * dy;
        if (len2 == 0 || t <= 0) return __int128(px) * px + __int128(py) * py < r2;
        if (t >= len2) {
            const long long qx = cx - bx, qy = cy - by;
            return __int128(qx) * qx + __int128(qy) * qy < r2;
        }
        const __int128 cross = __int128(px) * dy - __int128(py) * dx;
        return cross * cross < r2 * len2;
    }
};

// Beyond this, coordinates are first cut down to near the clip rectangle, so
// the exact tests above cannot overflow.
constexpr long long kExactRange = 1 << 16;

// Liang-Barsky: the part of the segment within the box, or false.
bool ClipSegment(double& x0, double& y0, double& x1, double& y1, double l, double t, double r,
                 double b) {
    double u0 = 0, u1 = 1;
    const double dx = x1 - x0, dy = y1 - y0;
    const double p[] = {-dx, dx, -dy, dy};
    const double q[] = {x0 - l, r - x0, y0 - t, b - y0};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] < 0) return false;
            continue;
        }
        const double u = q[k] / p[k];
        if (p[k] < 0)
            u0 = std::max(u0, u);
        else
            u1 = std::min(u1, u);
        if (u0 > u1) return false;
    }
    x1 = x0 + u1 * dx, y1 = y0 + u1 * dy;
    x0 = x0 + u0 * dx, y0 = y0 + u0 * dy;
    return true;
}

} // namespace

void RasterWideLine(const RasterTarget& t, TPoint from, TPoint to, int width, std::uint32_t pixel) {
    // A zero-length line draws nothing, even with round caps (as Qt strokes it).
    if (width < 1 || t.clip.IsEmpty() || from == to) return;
    width = std::min(width, 4096);
    const long long far = kExactRange - 2LL * width;
    auto out = [far](TPoint p) { return std::llabs(p.x) > far || std::llabs(p.y) > far; };
    if (out(from) || out(to)) {
        // A huge segment: only its part near the clip rectangle can show.
        const double m = width + 2.0;
        double x0 = from.x, y0 = from.y, x1 = to.x, y1 = to.y;
        if (!ClipSegment(x0, y0, x1, y1, t.clip.Left - m, t.clip.Top - m, t.clip.Right + m,
                         t.clip.Bottom + m))
            return;
        from = {int(std::lround(x0)), int(std::lround(y0))};
        to = {int(std::lround(x1)), int(std::lround(y1))};
    }
    SCapsule c;
    c.ax = 2 * kSub * from.x, c.ay = 2 * kSub * from.y;
    c.bx = 2 * kSub * to.x, c.by = 2 * kSub * to.y;
    c.dx = c.bx - c.ax, c.dy = c.by - c.ay;
    c.len2 = c.dx * c.dx + c.dy * c.dy;
    c.r2 = __int128(width * kSub) * (width * kSub);

    // In pixel units from here: the centre line from (ax, ay) to (bx, by),
    // pixel centres at x + 0.5. A slightly wider pen bounds the span of each
    // row from outside; the exact test then trims it.
    const double ax = from.x, ay = from.y, bx = to.x, by = to.y;
    const double dx = bx - ax, dy = by - ay, len2 = dx * dx + dy * dy, len = std::sqrt(len2);
    const double R = width / 2.0 + 0.5;
    const long long rowFirst =
        std::max<long long>(t.clip.Top, (long long)std::floor(std::min(ay, by) - R));
    const long long rowLast =
        std::min<long long>(t.clip.Bottom - 1, (long long)std::ceil(std::max(ay, by) + R));
    for (long long row = rowFirst; row <= rowLast; ++row) {
        const double yc = row + 0.5;
        double lo = INFINITY, hi = -INFINITY;
        auto disk = [&](double x, double y) {
            const double e = yc - y;
            if (e * e < R * R) {
                const double h = std::sqrt(R * R - e * e);
                lo = std::min(lo, x - h);
                hi = std::max(hi, x + h);
            }
        };
        disk(ax, ay);
        disk(bx, by);
        if (len2 > 0) {
            // The band along the segment: |cross| < R len and 0 < t < len2,
            // as offsets s = cx - ax.
            const double e = yc - ay;
            double sLo = -INFINITY, sHi = INFINITY;
            bool empty = false;
            if (dy != 0) {
                const double u = (e * dx - R * len) / dy, v = (e * dx + R * len) / dy;
                sLo = std::min(u, v), sHi = std::max(u, v);
            } else if (!(std::fabs(e) < R)) {
                empty = true;
            }
            if (dx != 0) {
                const double u = -e * dy / dx, v = (len2 - e * dy) / dx;
                sLo = std::max(sLo, std::min(u, v)), sHi = std::min(sHi, std::max(u, v));
            } else if (!(e * dy > -R * len && e * dy < len2 + R * len)) {
                empty = true;
            }
            if (!empty && sLo <= sHi) {
                lo = std::min(lo, ax + sLo);
                hi = std::max(hi, ax + sHi);
            }
        }
        if (!(lo <= hi)) continue;
        // Pixel columns whose centres x + 0.5 lie within [lo, hi].
        long long first = std::max<long long>(t.clip.Left, (long long)std::floor(lo - 0.5));
        long long last = std::min<long long>(t.clip.Right - 1, (long long)std::ceil(hi - 0.5));
        while (first <= last && !c.Covers(first, row))
            ++first;
        while (last >= first && !c.Covers(last, row))
            --last;
        if (first > last) continue;
        std::uint32_t* line = t.bits + row * t.stride;
        std::fill(line + first, line + last + 1, pixel);
    }
}
