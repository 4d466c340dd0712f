// Rubber-band zoom with the left button, back to the full range with the
// right one. The band is a child shape moved over the picture.
#include "LineChart.h"

#include "PixelMath.h"

#include "Screen.h"
#include "Shape.h"

#include <algorithm>
#include <cmath>

namespace {

// Data value `pixels` along an axis from its lower end.
float AxisValue(const SAxis& a, float scale, int pixels, float fallback) {
    if (!(scale > 0) || !std::isfinite(scale)) return fallback;
    if (a.scaleType != stLin)
        return static_cast<float>(std::pow(10.0, a.lowDecade + pixels / double(scale)));
    return static_cast<float>(a.lowerData + pixels / double(scale));
}

} // namespace

// Both corners are held inside the plot, so a band dragged over the labels
// or the legend never turns a range around.
TLineChart::SZoomSpan TLineChart::ZoomSpan(int x1, int y1, int x2, int y2) const {
    const int xLen = std::max(0, Axes.x.pixelLength);
    const int yLen = std::max(0, Axes.yLeft.pixelLength);
    const int left = PlotRect.left + BarMarginPx, bottom = PlotRect.bottom;
    SZoomSpan s;
    s.a = std::clamp(x1 - left, 0, xLen);
    s.b = std::clamp(x2 - left, 0, xLen);
    s.c = std::clamp(bottom - y2, 0, yLen);
    s.e = std::clamp(bottom - y1, 0, yLen);
    return s;
}

FloatRect2 TLineChart::GiveZoomRect(int x1, int y1, int x2, int y2) {
    const SZoomSpan s = ZoomSpan(x1, y1, x2, y2);
    FloatRect2 r = DispRect;
    r.xLower = AxisValue(Axes.x, ScalePx[0], s.a, DispRect.xLower);
    r.xUpper = AxisValue(Axes.x, ScalePx[0], s.b, DispRect.xUpper);
    r.yLeftLower = AxisValue(Axes.yLeft, ScalePx[1], s.c, DispRect.yLeftLower);
    r.yLeftUpper = AxisValue(Axes.yLeft, ScalePx[1], s.e, DispRect.yLeftUpper);
    if (SecondYAxis) {
        // The right axis shares the left one's scale type.
        r.yRightLower = AxisValue(Axes.yRight, ScalePx[2], s.c, DispRect.yRightLower);
        r.yRightUpper = AxisValue(Axes.yRight, ScalePx[2], s.e, DispRect.yRightUpper);
    }
    return r;
}

void TLineChart::ImageMouseDown(TObject*, TMouseButton Button, TShiftState, int X, int Y) {
    if (Button == mbRight) {
        if (!AreThereAnyMarks() && !Zoomed) return;
        ResetMarkData();
        Zoomed = false;
        if (OnZoomStateChange) OnZoomStateChange(this, false);
        if (!GotData) return;
        SetFullDispRect();
        ManualScale = false;
        if (ScaleXY(DispRect, false) == 0) {
            Plot(false, false);
            RefreshValues();
        }
        return;
    }
    if (DataCursorVisible && Cursor() == crSizeWE) {
        CursorDragging = true;
        cursorLine_->SetLeft(X);
        return;
    }
    Zooming = true;
    ZoomStartX = X;
    ZoomStartY = Y;
    zoomRect_->SetBounds(X, Y, 0, 0);
}

void TLineChart::ImageMouseMove(TObject*, TShiftState, int X, int Y) {
    if (!CursorDragging) SetCursor(crCross);
    if (Zooming) {
        zoomRect_->SetBounds(ZoomStartX, ZoomStartY, std::max(0, X - ZoomStartX),
                             std::max(0, Y - ZoomStartY));
        return;
    }
    if (!DataCursorVisible) return;
    const int w = cursorLine_->Width();
    if (CursorDragging) {
        if (!GotData || !xVar_.xIsTime) return;
        int pixel = X;
        const XYValues v = GiveValues(TruncSat(X + w / 2.0), LinearInterpolation, pixel);
        const double at = std::min(pixel - w / 2.0 + 0.5, double(PlotRect.right - BarMarginPx));
        cursorLine_->SetLeft(TruncSat(std::max(double(PlotRect.left), at)));
        FireValues(v);
        return;
    }
    const int l = cursorLine_->Left();
    if (X > l - 4 && X < l + w + 4) SetCursor(crSizeWE);
}

void TLineChart::ImageMouseUp(TObject*, TMouseButton, TShiftState, int X, int Y) {
    const FloatRect2 saved = DispRect;
    if (CursorDragging) {
        CursorDragging = false;
        return;
    }
    if (!Zooming) return;
    auto endBand = [this] {
        zoomRect_->SetBounds(zoomRect_->Left(), zoomRect_->Top(), 0, 0);
        Zooming = false;
    };
    // Drawn up or left, or less than a pixel of plot once held inside it
    // (a band wholly in the margins): dropped without a word.
    const SZoomSpan s = ZoomSpan(ZoomStartX, ZoomStartY, X, Y);
    if (X <= ZoomStartX || Y <= ZoomStartY || s.b - s.a < 1 || s.e - s.c < 1 || !GotData) {
        endBand();
        return;
    }
    Zoomed = true;
    DispRect = GiveZoomRect(ZoomStartX, ZoomStartY, X, Y);
    // A refused zoom puts back the axes as drawn: scaling the saved rectangle again
    // would round it to other ends under the unchanged picture.
    const SAxisSet drawnAxes = Axes;
    const bool drawnManual = ManualScale;
    ManualScale = false;
    auto restore = [&] {
        DispRect = saved;
        Axes = drawnAxes;
        ManualScale = drawnManual;
    };
    const int errors = ScaleXY(DispRect, false);
    DispRect.xLower = Axes.x.lower * Axes.x.factor;
    DispRect.xUpper = Axes.x.upper * Axes.x.factor;

    if (PlotType == ptBar && DispRect.xUpper - DispRect.xLower < 3.0f) {
        restore();
        Message({"Zoom Rectangle too small!", "Warning", EMsgIcon::None, false});
        endBand();
        return;
    }
    {
        THourGlass busy;
        if (errors == 0 && Axes.x.tickMode != 0 && Axes.yLeft.tickMode != 0) {
            Plot(false, false);
            ResetMarkData();
            RefreshValues();
        } else {
            Message({"Unable to zoom so deeply", "Action not performed", EMsgIcon::Warning, false});
            restore();
        }
    }
    endBand();
    if (OnZoomStateChange) OnZoomStateChange(this, Zoomed);
}

void TLineChart::ConMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X,
                              int Y) {
    ImageMouseDown(Sender, Button, Shift, X + cursorLine_->Left(), Y + cursorLine_->Top());
}

void TLineChart::ConMouseMove(TObject* Sender, TShiftState Shift, int X, int Y) {
    ImageMouseMove(Sender, Shift, X + cursorLine_->Left(), Y + cursorLine_->Top());
}

void TLineChart::ConMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
    ImageMouseUp(Sender, Button, Shift, X + cursorLine_->Left(), Y + cursorLine_->Top());
}
