#pragma once
// Our own rasteriser for the image back end's lines, frames, fills and pixels:
// Qt's aliased lines include their end pixel and its dash patterns scale
// differently, so the GDI pixel rules are reproduced here; wide lines are ours
// too because Qt strokes dense wide polylines very slowly.

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

// A line of a round pen `width` (2 or more) pixels wide, both ends included:
// the pixels whose centres lie closer than width / 2 to the segment. The
// centre line runs through pixel corners for even widths and through pixel
// centres for odd ones, so a horizontal line at y covers the rows
// y - width / 2 .. y - width / 2 + width - 1, like a wide rectangle frame.
// Connected lines (round joins) are the union of their segments; a line of
// no length draws nothing.
void RasterWideLine(const RasterTarget& t, TPoint from, TPoint to, int width, std::uint32_t pixel);

// Pixels x in [r.Left, r.Right), y in [r.Top, r.Bottom).
void RasterFill(const RasterTarget& t, const TRect& r, std::uint32_t pixel);

inline void RasterPixel(const RasterTarget& t, int x, int y, std::uint32_t pixel) {
    if (t.clip.Contains(x, y)) t.bits[static_cast<std::ptrdiff_t>(y) * t.stride + x] = pixel;
}
