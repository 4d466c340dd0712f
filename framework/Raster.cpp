#include "Raster_p.h"

#include <algorithm>
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
