#pragma once
// The Windows drawing rules that differ from Qt's, one function each, shared by
// the back ends that rasterise or stroke themselves.

#include "GraphicsObjects.h"
#include "Types.h"

#include <span>

namespace canvasrules {

// A pen of width 0 draws one pixel, like width 1.
inline int PenPixels(const TPen& pen) {
    return pen.Width() < 1 ? 1 : pen.Width();
}

// Dotted and dashed pens exist only at one pixel; wider ones draw solid.
inline TPenStyle DrawnPenStyle(const TPen& pen) {
    return pen.Width() > 1 && pen.Style() != psClear ? psSolid : pen.Style();
}

// On and off run lengths, in pixels, of the one-pixel pen styles; empty: solid.
inline std::span<const int> DashRuns(TPenStyle style) {
    static constexpr int kDash[] = {18, 6};
    static constexpr int kDot[] = {3, 3};
    if (style == psDash) return kDash;
    if (style == psDot) return kDot;
    return {};
}

// The pixels a Rectangle fills with its brush: inside the one-pixel frame, or,
// without a pen, the whole rectangle less its right and bottom pixel rows.
inline TRect RectangleInterior(const TRect& r, bool withPen) {
    return withPen ? TRect{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1}
                   : TRect{r.Left, r.Top, r.Right - 1, r.Bottom - 1};
}

// The band of pixels (first, last) a pen of `width` covers around the centre
// line at `centre`.
inline void PenBand(int centre, int width, int& first, int& last) {
    first = centre - width / 2;
    last = first + width - 1;
}

} // namespace canvasrules
