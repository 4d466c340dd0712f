// Lines, bars and point swarms of a plot pass. The filter and clipper of
// the computing half turn each curve into runs of connected pixels; each
// run goes to the canvas as one polyline.
#include "LineChart.h"

#include "PixelMath.h"

#include "Canvas.h"
#include "Shape.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {
constexpr std::size_t kWidePenPiece = 64;

// Room for the traced points of one curve, so that a dense curve does not
// grow the buffer step by step on the first pass: one point per sample, but
// collapsed columns hold at most four points each and a curve rarely moves
// back and forth between columns more than a few times per column.
std::size_t RunReserve(std::int64_t first, std::int64_t last, const SPlotRect& p) {
    const std::int64_t samples = std::max<std::int64_t>(0, last - first + 1) + 2;
    const std::int64_t columns = std::max(1, p.right - p.left + 1);
    return static_cast<std::size_t>(std::min<std::int64_t>(samples, 16 * columns));
}
} // namespace

SPixelMap TLineChart::MapFor(int curveAxis, bool bars) const {
    SPixelMap m;
    const SAxis& ax = Axes.x;
    m.xLog = ax.scaleType != stLin;
    m.xOrigin = m.xLog ? ax.lowDecade : ax.lowerData;
    m.xScale = ScalePx[0];
    m.xOffset = PlotRect.left + (bars ? BarMarginPx : 0);
    const bool right = curveAxis != 0 && SecondYAxis;
    const SAxis& ay = right ? Axes.yRight : Axes.yLeft;
    m.yLog = ay.scaleType != stLin;
    m.yOrigin = m.yLog ? ay.lowDecade : ay.lowerData;
    m.yScale = ScalePx[right ? 2 : 1];
    m.yLength = Axes.yLeft.pixelLength;
    m.yTop = PlotRect.top;
    return m;
}

// First and last pixel column of every file, for the data cursor.
void TLineChart::FileColumns(bool bars) {
    const SPixelMap map = MapFor(0, bars);
    for (int f = 0; f < std::min(NFiles, 8); ++f) {
        FirstColumn[f] = PlotRect.left;
        LastColumn[f] = PlotRect.right;
        if (LastVisible[f] < FirstVisible[f]) continue;
        const double a = map.Column(x_[f][FirstVisible[f]]);
        const double b = map.Column(x_[f][LastVisible[f]]);
        if (!std::isnan(a)) FirstColumn[f] = RoundSat(a);
        if (!std::isnan(b)) LastColumn[f] = RoundSat(b);
    }
}

void TLineChart::DrawCurves(bool extentsOnly) {
    TCanvas& c = *canvas_;
    cursorLine_->SetWidth(1);
    FilterClip.GetRect(PlotRect.left, PlotRect.top, PlotRect.right, PlotRect.bottom);
    c.Pen() = CurvePen;
    FileColumns(false);
    SegmentCount = 0;
    if (!extentsOnly && !PlotRect.Empty()) {
        int curve = 0;
        for (int f = 0; f < NFiles; ++f) {
            for (int k = 0; k < nCurves_[f]; ++k, ++curve) {
                const SCurveParam& cp = curves_[curve];
                c.Pen().SetColor(BlackWhite ? clBlack : cp.color);
                runs_.clear();
                // Solid pens draw the same pixels from a column's extremes
                // as from all its up-and-down segments (dotted ones would
                // lose their pattern phase).
                runs_.SetColumnCollapse(c.Pen().Style() == psSolid || c.Pen().Width() > 1);
                runs_.reserve(RunReserve(FirstVisible[f], LastVisible[f], PlotRect));
                const int count = TraceCurve(x_[f], y_[f][k], FirstVisible[f], LastVisible[f],
                                             MapFor(cp.axis, false), FilterClip, runs_);
                const std::vector<SPixelPoint>& pts = runs_.points();
                runPoints_.resize(pts.size());
                std::transform(pts.begin(), pts.end(), runPoints_.begin(), [](SPixelPoint q) {
                    return TPoint{q.x, q.y};
                });
                // Wide pens on Qt's back ends (printer) are stroked as paths,
                // whose cost grows faster than their length: long runs go in
                // pieces that share their ends.
                const bool wide = c.Pen().Width() > 1;
                for (std::size_t r = 0; r < runs_.runCount(); ++r) {
                    const std::span<const SPixelPoint> run = runs_.run(r);
                    const TPoint* q = runPoints_.data() + (run.data() - pts.data());
                    const std::size_t segments = run.size() - 1;
                    const std::size_t piece = wide ? kWidePenPiece : segments;
                    for (std::size_t at = 0; at < segments; at += piece)
                        c.Polyline({q + at, std::min(piece, segments - at) + 1});
                }
                SegmentCount = std::max(SegmentCount, count);
            }
        }
    }
    c.Pen() = savedPen_;
}

namespace {

// The smallest step between drawable x values of first..last, in axis units
// (decades on a log axis), and the span they cover; 0 span for one bar.
struct SBarSpacing {
    double smallest = 0;
    double span = 0;
};

SBarSpacing BarSpacing(const float* x, std::int64_t first, std::int64_t last, bool log) {
    auto value = [&](std::int64_t i) {
        const double v = x[i];
        if (!std::isfinite(v)) return double(NAN);
        if (!log) return v;
        return v > 0 ? std::log10(v) : double(NAN);
    };
    SBarSpacing s;
    double prev = NAN, lo = NAN, hi = NAN;
    for (std::int64_t i = first; i <= last; ++i) {
        const double v = value(i);
        if (std::isnan(v)) continue;
        if (std::isnan(lo)) lo = v;
        hi = v;
        if (!std::isnan(prev)) {
            const double step = v - prev;
            if (step > 0 && (s.smallest == 0 || step < s.smallest)) s.smallest = step;
        }
        prev = v;
    }
    if (!std::isnan(lo)) s.span = hi - lo;
    return s;
}

} // namespace

void TLineChart::DrawBars(bool layoutOnly) {
    TCanvas& c = *canvas_;
    const SPlotRect& p = PlotRect;
    c.Pen() = CurvePen;
    FileColumns(true);
    SegmentCount = 0;
    if (NFiles < 1 || nCurves_[0] < 1 || p.Empty()) {
        c.Pen() = savedPen_;
        return;
    }
    const SPixelMap map = MapFor(0, true);
    const std::int64_t first = FirstVisible[0], last = LastVisible[0];
    const float* x = x_[0];
    const float* y = y_[0][0];

    const int z = TruncSat(p.bottom + map.yScale * map.yOrigin);
    const int D = p.right - p.left;
    SBarSpacing s = BarSpacing(x, first, last, map.xLog);
    // One visible bar has no spacing: it takes the axis range.
    if (!(s.span > 0) || s.smallest <= 0) {
        const SAxis& a = Axes.x;
        s.span =
            map.xLog ? std::max(1, a.highDecade - a.lowDecade) : double(a.upperData) - a.lowerData;
        s.smallest = s.span;
    }
    const double raw = s.span > 0 ? 0.7 * D * s.smallest / s.span : 0;
    const int width = raw < 2 ? 2 : TruncSat(raw);

    const int cursorWidth = TruncSat(width / 2.0 + 0.5);
    cursorLine_->SetWidth(std::max(1, cursorWidth));
    auto placeCursor = [&] {
        const std::int64_t m = TruncSat64((first + last) / 2.0 + 0.5);
        const double mc = map.Column(x[std::clamp(m, first, last)]);
        if (!std::isnan(mc))
            cursorLine_->SetLeft(TruncSat(mc - BarMarginPx - cursorWidth / 2.0 + 0.5));
    };
    if (layoutOnly) {
        placeCursor();
        c.Pen() = savedPen_;
        return;
    }
    c.Pen().SetColor(clBlack);
    c.Brush().SetColor(clWhite);
    // The zero line only where it lies within the plot.
    if (z != p.bottom && z >= p.top && z < p.bottom) {
        c.MoveTo(p.left, z);
        c.LineTo(p.right, z);
    }

    const bool zAbove = z<p.top, zBelow = z> p.bottom;
    auto bar = [&](int l, int r, int top, int bottom, TColor brush) {
        top = std::clamp(top, p.top, p.bottom + 1);
        bottom = std::clamp(bottom, p.top, p.bottom + 1);
        if (top > bottom) std::swap(top, bottom);
        c.Brush().SetColor(brush);
        c.Rectangle(l, top, r + 1, bottom);
    };
    int drawn = 0;
    for (std::int64_t i = first; i <= last; ++i) {
        const double col = map.Column(x[i]), row = map.Row(y[i]);
        if (std::isnan(col) || std::isnan(row)) continue;
        const int t = TruncSat(row);
        const int centre = TruncSat(std::max(0.0, col - map.xOffset) + 0.5) + p.left + BarMarginPx;
        const int l = std::max(p.left, TruncSat(centre - width / 2.0 + 0.5));
        if (l >= p.right) continue;
        const int r = std::min(l + width - 1, p.right);
        if (Zoomed && t > p.bottom) {
            if (!zBelow) bar(l, r, zAbove ? p.top : z, p.bottom + 1, RGB(128, 128, 128));
        } else if (Zoomed && t < p.top) {
            if (!zAbove) bar(l, r, p.top, zBelow ? p.bottom + 1 : z + 1, RGB(128, 128, 128));
        } else {
            bar(l, r, zAbove ? p.top : (zBelow ? p.bottom + 1 : z), t, clRed);
        }
        ++drawn;
    }
    SegmentCount = drawn;
    placeCursor();
    c.Brush().SetColor(clWhite);
    c.Pen() = savedPen_;
}

void TLineChart::DrawSwarm(bool layoutOnly) {
    TCanvas& c = *canvas_;
    const SPlotRect& p = PlotRect;
    const int half = TruncSat(std::max(1.0, PrintPenWidth / 2.0 + 0.5));
    cursorLine_->SetWidth(1);
    FilterClip.GetRect(p.left, p.top, p.right, p.bottom);
    c.Pen() = CurvePen;
    FileColumns(false);
    SegmentCount = 0;
    if (p.Empty() || layoutOnly) {
        c.Pen() = savedPen_;
        return;
    }
    // Squares near the edge stay inside the plot: clip to it (within any
    // clip the caller set).
    const bool hadClip = c.HasClip();
    const TRect callerClip = c.ClipRect();
    const TRect plot{p.left, p.top, p.right + 1, p.bottom + 1};
    c.SetClipRect(hadClip ? IntersectRect(callerClip, plot) : plot);

    int curve = 0;
    for (int f = 0; f < NFiles; ++f) {
        for (int k = 0; k < nCurves_[f]; ++k, ++curve) {
            const SCurveParam& cp = curves_[curve];
            const TColor colour = BlackWhite ? clBlack : cp.color;
            c.Pen().SetColor(colour);
            c.Brush().SetColor(colour);
            const SPixelMap map = MapFor(cp.axis, false);
            const float* x = x_[f];
            const float* y = y_[f][k];
            int count = 0;
            for (std::int64_t i = FirstVisible[f]; i <= LastVisible[f]; ++i) {
                const double col = map.Column(x[i]), row = map.Row(y[i]);
                if (std::isnan(col) || std::isnan(row)) continue;
                const float px = static_cast<float>(col + 0.5), py = static_cast<float>(row + 0.5);
                if (!FilterClip.IsInRect(px, py)) continue;
                const int u = std::clamp(TruncSat(px), p.left, p.right);
                const int v = std::clamp(TruncSat(py), p.top, p.bottom);
                if (Printing) {
                    if (PrintPenWidth == 1)
                        c.Rectangle(u, v, u + 1, v + 1);
                    else
                        c.Rectangle(u - half, v - half, u + half, v + half);
                } else if (SwarmPointSize == ssPixel) {
                    c.SetPixel(u, v, colour);
                } else {
                    c.Rectangle(u - 1, v - 1, u + 1, v + 1);
                }
                ++count;
            }
            SegmentCount = std::max(SegmentCount, count);
        }
    }
    if (hadClip)
        c.SetClipRect(callerClip);
    else
        c.ResetClip();
    c.Brush().SetColor(clWhite);
    c.Pen() = savedPen_;
}
