// The data cursor: a vertical line the user drags or moves with the arrow
// keys, and the values of every curve under it.
#include "LineChart.h"

#include "PixelMath.h"

#include "Shape.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr WORD kVkLeft = 37, kVkRight = 39;
}

void TLineChart::FireValues(XYValues v) {
    if (OnValuesChange) OnValuesChange(this, v);
}

void TLineChart::RefreshValues() {
    if (DataCursorVisible && GotData && xVar_.xIsTime)
        FireValues(GiveValues(cursorLine_->Left(), LinearInterpolation));
}

void TLineChart::SetDataCursorVisible(bool v) {
    DataCursorVisible = v;
    cursorLine_->SetVisible(v);
    if (!v) return;
    cursorLine_->SetLeft((PlotRect.left + PlotRect.right) / 2);
    // The owners show the cursor only for time data.
    if (GotData && xVar_.xIsTime) FireValues(GiveValues(cursorLine_->Left(), LinearInterpolation));
}

void TLineChart::SetLinearInterpolation(bool v) {
    LinearInterpolation = v;
    if (GotData && xVar_.xIsTime) FireValues(GiveValues(cursorLine_->Left(), v));
}

void TLineChart::KeyDown(WORD& Key, TShiftState Shift) {
    const int step = (Shift & ssCtrl) ? 3 : 1;
    if (!DataCursorVisible || CursorDragging) {
        TControl::KeyDown(Key, Shift);
        return;
    }
    if (Key == kVkRight) {
        cursorLine_->SetLeft(cursorLine_->Left() + step);
        Key = 0;
    } else if (Key == kVkLeft) {
        cursorLine_->SetLeft(cursorLine_->Left() - step);
        Key = 0;
    }
    if (GotData && xVar_.xIsTime) FireValues(GiveValues(cursorLine_->Left(), LinearInterpolation));
    TControl::KeyDown(Key, Shift);
}

// Row of the pixel-to-index table of a file, -1 when it is equally spaced.
int TLineChart::TableRowOf(int file) const {
    int row = 0;
    for (int f = 0; f < file; ++f)
        row += FileUnequal(f) ? 1 : 0;
    return FileUnequal(file) ? row : -1;
}

// Buffers as large as the data asks, even before the first plot pass.
void TLineChart::EnsureValueBuffers() {
    const std::size_t files = std::max(1, NFiles);
    int widest = 1;
    for (int f = 0; f < NFiles; ++f)
        widest = std::max(widest, nCurves_[f]);
    const bool rowsFit = cursorRows_.size() >= files &&
                         cursorY_.size() >= files * std::size_t(widest) &&
                         (files < 2 || cursorRows_[1] - cursorRows_[0] >= widest);
    if (cursorX_.size() >= files && rowsFit) return;
    cursorX_.assign(files, 0);
    cursorY_.assign(files * widest, 0);
    cursorRows_.resize(files);
    for (std::size_t f = 0; f < files; ++f)
        cursorRows_[f] = cursorY_.data() + f * widest;
}

// The x value at h pixels from the start of the x axis.
double TLineChart::CursorValueAt(int h) const {
    const SAxis& a = Axes.x;
    const double s = ScalePx[0];
    if (!(s > 0) || !std::isfinite(s)) return a.lowerData;
    if (a.scaleType != stLin) return std::pow(10.0, a.lowDecade + h / s);
    return a.lowerData + h / s;
}

XYValues TLineChart::GiveValues(int x, bool interpolate) {
    int pixel = 0;
    return GiveValues(x, interpolate, pixel);
}

XYValues TLineChart::GiveValues(int x, bool interpolate, int& pixel) {
    EnsureValueBuffers();
    const XYValues out = CursorValues();
    const int inset = BarMarginPx;
    const int hMax = std::max(0, PlotRect.right - PlotRect.left - 2 * inset);
    const int h = std::clamp(x - PlotRect.left - inset, 0, hMax);
    double v = CursorValueAt(h);
    v = std::clamp(v, double(FullRect[0]), double(std::max(FullRect[0], FullRect[1])));
    pixel = x;
    if (!xVar_.xIsTime) {
        Message({"Error \"XMustBeTime\" in source file \"TLineChart\"", "Fatal Error",
                 EMsgIcon::Error, true});
        return out;
    }
    if (!GotData) return out;

    for (int i = 0; i < NFiles; ++i) {
        const float* xs = x_[i];
        const std::int64_t n = nPoints_[i];
        float& X = out.X[i];
        float* Y = out.Y[i];
        const int curves = nCurves_[i];
        auto setAll = [&](float xv, std::int64_t at) {
            X = xv;
            for (int l = 0; l < curves; ++l)
                Y[l] = at < 0 ? kNoValue : y_[i][l][at];
        };
        // Beyond the file's end: no value, whatever the mode.
        if (n <= 0 || !xs || v > xs[n - 1]) {
            setAll(kNoValue, -1);
            continue;
        }
        // Before a time-shifted file's start: its first sample.
        if (v <= xs[0] || n == 1) {
            setAll(xs[0], 0);
            continue;
        }
        const int row = TableRowOf(i);
        std::int64_t B = 0, k = 0;
        if (row >= 0 && row < PixelToIndex.rows()) {
            const int col = std::clamp(h, 0, PixelToIndex.cols() - 1);
            B = std::max<std::int64_t>(0, PixelToIndex[row][col] - 1);
            B = std::min(B, n - 2);
            // The table was made for the visible part; walk to the interval of v.
            while (B > 0 && xs[B] > v)
                --B;
            while (B < n - 2 && xs[B + 1] <= v)
                ++B;
            k = (double(xs[B + 1]) - v > v - double(xs[B])) ? B : B + 1;
        } else {
            const double d = double(xs[1]) - xs[0];
            B = std::clamp<std::int64_t>(TruncSat64((v - xs[0]) / d), 0, n - 2);
            k = std::clamp<std::int64_t>(TruncSat64((v - xs[0]) / d + 0.5), 0, n - 1);
            if (std::fabs(v - xs[n - 1]) < std::fabs(v - xs[n - 2]) && k < n - 1) ++k;
        }
        if (interpolate) {
            X = static_cast<float>(v);
            const double dx = double(xs[B + 1]) - xs[B];
            // Duplicate time stamps: the sample itself.
            const double t = (dx > 0 && std::isfinite(dx)) ? (v - xs[B]) / dx : 0.0;
            for (int l = 0; l < curves; ++l) {
                const float* y = y_[i][l];
                Y[l] = static_cast<float>(y[B] + t * (double(y[B + 1]) - y[B]));
            }
        } else {
            setAll(xs[k], k);
        }
    }

    if (interpolate || NFiles > 1 || NFiles < 1) return out;
    const float X = out.X[0];
    if (X == kNoValue) {
        pixel = PlotRect.left;
    } else if (Axes.x.scaleType != stLin) {
        pixel = X > 0 && Axes.x.lowerData > 0
                    ? TruncSat(std::log10(double(X) / Axes.x.lowerData) * ScalePx[0] +
                               PlotRect.left + inset)
                    : PlotRect.left;
    } else {
        pixel = TruncSat((double(X) - Axes.x.lowerData) * ScalePx[0] + PlotRect.left + inset);
    }
    return out;
}
