#include "Canvas.h"

TCanvas::TCanvas(int pixelsPerInch) : pixelsPerInch_(pixelsPerInch) {
    font_.SetPixelsPerInch(pixelsPerInch);
    font_.SetName("Arial");
    font_.SetSize(8);
    font_.SetColor(clBlack);
    pen_.OnChange = [this](TObject*) { ++penGen_; };
    brush_.OnChange = [this](TObject*) { ++brushGen_; };
    font_.OnChange = [this](TObject*) { ++fontGen_; };
}

TCanvas::~TCanvas() = default;

void TCanvas::SetDeviceResolution(int pixelsPerInch) {
    if (pixelsPerInch <= 0 || pixelsPerInch == pixelsPerInch_) return;
    const int size = font_.Size();
    pixelsPerInch_ = pixelsPerInch;
    font_.SetPixelsPerInch(pixelsPerInch);
    font_.SetSize(size);
    ++fontGen_;
}

void TCanvas::MoveTo(int x, int y) {
    penPos_ = {x, y};
    DoMoveTo(penPos_);
}

void TCanvas::LineTo(int x, int y) {
    const TPoint from = penPos_;
    penPos_ = {x, y};
    DoLineTo(from, penPos_);
}

void TCanvas::Polyline(std::span<const TPoint> points) {
    if (points.size() >= 2) DoPolyline(points);
}

void TCanvas::Polygon(std::span<const TPoint> points) {
    if (points.size() >= 2) DoPolygon(points);
}

namespace {
// Rectangle and Ellipse take their corners in either order.
TRect Normalized(int x1, int y1, int x2, int y2) {
    return {x1 < x2 ? x1 : x2, y1 < y2 ? y1 : y2, x1 < x2 ? x2 : x1, y1 < y2 ? y2 : y1};
}
} // namespace

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    DoRectangle(Normalized(x1, y1, x2, y2));
}

void TCanvas::FillRect(const TRect& r) {
    if (brush_.Style() != bsClear && !r.IsEmpty()) DoFillRect(r);
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
    DoEllipse(Normalized(x1, y1, x2, y2));
}

void TCanvas::SetPixel(int x, int y, TColor color) {
    DoSetPixel(x, y, color);
}

TColor TCanvas::GetPixel(int, int) {
    return clInvalid;
}

void TCanvas::TextOut(int x, int y, std::string_view text) {
    DoTextOut(x, y, text, nullptr, brush_.Style() == bsSolid);
    MoveTo(x + TextWidth(text), y);
}

void TCanvas::TextRect(const TRect& r, int x, int y, std::string_view text) {
    DoTextOut(x, y, text, &r, brush_.Style() == bsSolid);
}

TSize TCanvas::TextExtent(std::string_view text) {
    return DoTextExtent(text);
}

void TCanvas::SetClipRect(const TRect& r) {
    hasClip_ = true;
    clip_ = r;
    DoClipChanged();
}

void TCanvas::ResetClip() {
    if (!hasClip_) return;
    hasClip_ = false;
    clip_ = {};
    DoClipChanged();
}
