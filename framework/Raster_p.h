#pragma once
// Our own rasteriser for the image back end's one-pixel lines, frames, fills and
// pixels: Qt's aliased lines include their end pixel and its dash patterns scale
// differently, so the GDI pixel rules are reproduced here.

#include "Types.h"

#include <cstdint>
#include <span>

struct RasterTarget {
    std::uint32_t* bits = nullptr; // 0xFFRRGGBB pixels
    int stride = 0;                // pixels per row
    TRect clip;                    // within the image
};

// A one-pixel line from `from` towards `to`, leaving out the pixel at `to`.
// runs: on/off lengths of a dotted or dashed pen (empty: solid); phase counts the
// pixels stepped so far along a connected line and is advanced.
void RasterLine(const RasterTarget& t, TPoint from, TPoint to, std::uint32_t pixel,
                std::span<const int> runs, long long& phase);

// Pixels x in [r.Left, r.Right), y in [r.Top, r.Bottom).
void RasterFill(const RasterTarget& t, const TRect& r, std::uint32_t pixel);

inline void RasterPixel(const RasterTarget& t, int x, int y, std::uint32_t pixel) {
    if (t.clip.Contains(x, y)) t.bits[static_cast<std::ptrdiff_t>(y) * t.stride + x] = pixel;
}
