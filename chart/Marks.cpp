// Marks: a symbol per curve, stored at the data cursor (up to 8) or put
// automatically four times on every curve, and repeated in the legend.
#include "LineChart.h"

#include "PixelMath.h"

#include "Canvas.h"
#include "Shape.h"
#include "services/SystemHooks.h"

#include <algorithm>
#include <cmath>

namespace {
void SystemBeep() {
    Beep(0, 0);
}

// The value a fraction t of the way from a to b, exactly a and b at the ends, so that a
// finite sample beside an infinite one keeps its own value.
double Between(double a, double b, double t) {
    if (t <= 0) return a;
    if (t >= 1) return b;
    return a + t * (b - a);
}
} // namespace

void TLineChart::ResetMarkData() {
    AutoMark = false;
    MarkCounter = -1;
}

void TLineChart::DrawMark(int x, int y, int kind, bool inLegend) {
    if (kind < 0 || kind > 7) return;
    const SPlotRect& p = PlotRect;
    if (!inLegend && (x < p.left || x > p.right || y < p.top || y > p.bottom)) return;
    TCanvas& c = *canvas_;
    const int s = LegendUnitWidth;
    c.Pen().SetColor(clBlack);
    c.Pen().SetStyle(psSolid);
    c.Brush().SetStyle(bsSolid);
    if (kind >= 4 && kind <= 6) c.Brush().SetColor(clBlack);
    const TPoint triangle[3] = {{x - s, y + s}, {x + s, y + s}, {x, y - s}};
    auto cross = [&] {
        c.MoveTo(x - s + 1, y - s + 1);
        c.LineTo(x + s, y + s);
        c.MoveTo(x - s + 1, y + s - 1);
        c.LineTo(x + s, y - s);
    };
    switch (kind) {
    case 0:
    case 4:
        c.Ellipse(x - s, y - s, x + s, y + s);
        break;
    case 1:
    case 5:
        c.Rectangle(x - s, y - s, x + s, y + s);
        break;
    case 2:
    case 6:
        c.Polygon(triangle);
        break;
    case 3:
        cross();
        break;
    case 7:
        c.Rectangle(x - s, y - s, x + s, y + s);
        cross();
        break;
    }
    c.Brush().SetColor(clWhite);
}

// The legend symbol of every curve, where the legend put it.
void TLineChart::LegendSymbols() {
    if (!Legend || !LegendInfo) return;
    for (int j = 0; j < std::min<int>(TotalCurves, int(LegendSymbol.size())); ++j)
        DrawMark(LegendSymbol[j].x, LegendSymbol[j].y, j, true);
}

void TLineChart::Mark(bool store) {
    if (!GotData) return;
    const int c = cursorLine_->Left();
    SMarkPlace places[kMaxMarkFiles];
    // A press that gives no curve a point to draw (beside every curve, or where no value
    // is finite) only beeps: it takes no mark slot and draws nothing.
    bool drawable = false;
    for (int f = 0, j = 0; f < NFiles; j += nCurves_[f], ++f) {
        if (f >= kMaxMarkFiles) continue;
        places[f] = MarkPlace(c, f, TableRowOf(f));
        TPoint at;
        for (int k = 0; k < nCurves_[f]; ++k)
            drawable = drawable || MarkPoint(f, k, j + k, places[f], at);
    }
    if (!drawable) {
        SystemBeep();
        return;
    }
    if (store) {
        if (++MarkCounter >= kMaxMarks) {
            MarkCounter = kMaxMarks - 1;
            SystemBeep();
            return;
        }
    }
    int j = 0;
    for (int f = 0; f < NFiles; ++f) {
        if (store && f < kMaxMarkFiles) {
            MarkIndex[f][MarkCounter] = static_cast<int>(places[f].index);
            MarkFraction[f][MarkCounter] = static_cast<float>(places[f].fraction);
        }
        for (int k = 0; k < nCurves_[f]; ++k, ++j) {
            if (Legend && LegendInfo && j < int(LegendSymbol.size()))
                DrawMark(LegendSymbol[j].x, LegendSymbol[j].y, j, true);
            TPoint at;
            if (f < kMaxMarkFiles && MarkPoint(f, k, j, places[f], at))
                DrawMark(at.x, at.y, j, false);
        }
    }
}

void TLineChart::MarkSingle(int file, int tableIndex, int curveInFile, int curve, bool store) {
    MarkAt(cursorLine_->Left(), file, tableIndex, curveInFile, curve, store);
}

// One curve marked at pixel column `column`.
void TLineChart::MarkAt(int column, int f, int t, int k, int j, bool store) {
    const SMarkPlace place = MarkPlace(column, f, t);
    if (place.index < 0) return;
    if (store) {
        MarkIndex[f][MarkCounter] = static_cast<int>(place.index);
        MarkFraction[f][MarkCounter] = static_cast<float>(place.fraction);
    }
    TPoint at;
    if (MarkPoint(f, k, j, place, at)) DrawMark(at.x, at.y, j, false);
}

// Where a mark at pixel column `column` sits in file f (linear x axis); index -1 when
// the column is outside the file's span.
TLineChart::SMarkPlace TLineChart::MarkPlace(int column, int f, int t) const {
    if (f < 0 || f >= NFiles || f >= kMaxMarkFiles) return {};
    const float* xs = x_[f];
    const std::int64_t n = nPoints_[f];
    if (n <= 0 || !xs || column < FirstColumn[f] || column >= LastColumn[f]) return {};
    const int h =
        std::clamp(column - PlotRect.left, 0, std::max(0, PlotRect.right - PlotRect.left));
    const double e = CursorValueAt(h);
    std::int64_t i = 0;
    if (t >= 0 && t < PixelToIndex.rows()) {
        i = std::max(0, PixelToIndex[t][std::min(h, PixelToIndex.cols() - 1)] - 1);
    } else if (n >= 2) {
        const double d = double(xs[1]) - xs[0];
        i = d > 0 ? TruncSat64((e - xs[0]) / d) : 0;
    }
    i = std::clamp<std::int64_t>(i, 0, std::max<std::int64_t>(0, n - 2));
    if (n < 2) return {i, 0.0};
    const double dx = double(xs[i + 1]) - xs[i];
    // Duplicate x values: the sample itself.
    double frac = dx > 0 && std::isfinite(dx) ? std::clamp((e - xs[i]) / dx, 0.0, 1.0) : 0.0;
    // Nothing between a finite sample and one that is not can be drawn: the nearer of
    // the two is marked instead.
    for (int k = 0; k < nCurves_[f] && frac > 0 && frac < 1; ++k)
        if (!std::isfinite(Between(y_[f][k][i], y_[f][k][i + 1], frac)))
            frac = frac < 0.5 ? 0.0 : 1.0;
    return {i, frac};
}

// The centre of a curve's symbol at a mark's place; false when there is no point to
// draw there (beside the file, or a value that is not finite).
bool TLineChart::MarkPoint(int f, int k, int j, const SMarkPlace& place, TPoint& at) const {
    const std::int64_t i = place.index;
    if (i < 0 || i >= nPoints_[f]) return false;
    const float* xs = x_[f];
    const float* y = y_[f][k];
    const bool pair = i + 1 < nPoints_[f];
    const double xv = pair ? Between(xs[i], xs[i + 1], place.fraction) : xs[i];
    const double yv = pair ? Between(y[i], y[i + 1], place.fraction) : y[i];
    const SPixelMap map = MapFor(curves_[j].axis, false);
    const double col = map.Column(static_cast<float>(xv));
    const double row = map.Row(static_cast<float>(yv));
    if (std::isnan(col) || std::isnan(row)) return false;
    at = {RoundSat(col), RoundSat(row)};
    return true;
}

void TLineChart::MarkAuto() {
    AutoMark = true;
    if (!GotData) return;
    const SPixelMap xmap = MapFor(0, false);
    int j = 0;
    for (int f = 0; f < NFiles; ++f) {
        const float* xs = x_[f];
        const std::int64_t n = nPoints_[f];
        const std::int64_t first =
            std::clamp<std::int64_t>(FirstVisible[f], 0, std::max<std::int64_t>(0, n - 1));
        const std::int64_t last =
            std::clamp<std::int64_t>(LastVisible[f], first, std::max<std::int64_t>(0, n - 1));
        const int t = TableRowOf(f);
        for (int k = 0; k < nCurves_[f]; ++k, ++j) {
            if (Legend && LegendInfo && j < int(LegendSymbol.size()))
                DrawMark(LegendSymbol[j].x, LegendSymbol[j].y, j, true);
            if (n <= 0 || !xs) continue;
            if (t >= 0 && xVar_.xIsTime && f < kMaxMarkFiles) {
                // Columns of their own: the visible cursor line stays where it is.
                const double a = xmap.Column(xs[first]), b = xmap.Column(xs[last]);
                if (std::isnan(a) || std::isnan(b)) continue;
                const int step = (RoundSat(b) - RoundSat(a)) / 4;
                int col = PlotRect.left + step / 2;
                for (int m = 0; m < 4; ++m, col += step)
                    MarkAt(col, f, t, k, j, false);
                continue;
            }
            int d = 1;
            if (xVar_.xIsTime && n >= 2) {
                const double dx = double(xs[1]) - xs[0];
                const double q = 1.8 * LegendUnitWidth / ScalePx[0] / dx;
                if (dx > 0 && std::isfinite(q)) d = TruncSat(std::max(1.0, q));
            }
            const SPixelMap map = MapFor(curves_[j].axis, false);
            for (int m = 1; m <= 4; ++m) {
                const double at = (m - 0.5) * 0.25 * double(last - first) + double(first) +
                                  double(d) * (j - NFiles / 2);
                // The stagger never leaves the visible samples.
                const std::int64_t idx = std::clamp<std::int64_t>(TruncSat64(at), first, last);
                const double col = map.Column(xs[idx]);
                const double row = map.Row(y_[f][k][idx]);
                if (std::isnan(col) || std::isnan(row)) continue;
                DrawMark(RoundSat(col), RoundSat(row), j, false);
            }
        }
    }
}

void TLineChart::MarkAll() {
    if (!AutoMark && MarkCounter < 0) return;
    if (!GotData) return;
    if (AutoMark)
        MarkAuto();
    else
        LegendSymbols();
    for (int l = 0; l <= MarkCounter; ++l) {
        int j = 0;
        for (int f = 0; f < NFiles; ++f) {
            const int curves = nCurves_[f];
            if (f >= kMaxMarkFiles) {
                j += curves;
                continue;
            }
            const std::int64_t idx = MarkIndex[f][l];
            const std::int64_t n = nPoints_[f];
            const bool visible =
                idx >= 0 && idx >= FirstVisible[f] && idx < LastVisible[f] && idx + 1 < n;
            for (int k = 0; k < curves; ++k, ++j) {
                TPoint at;
                if (visible && MarkPoint(f, k, j, {idx, MarkFraction[f][l]}, at))
                    DrawMark(at.x, at.y, j, false);
            }
        }
    }
}
