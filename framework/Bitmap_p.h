#pragma once
#include "Bitmap.h"
#include "QtCanvas_p.h"
#include "Raster_p.h"

#include <QImage>

#include <optional>

class ImageCanvas final : public QtPainterCanvas {
public:
    explicit ImageCanvas(TBitmap& owner);
    ~ImageCanvas() override;

    QImage image; // RGB32, 0xFFRRGGBB
    void Flush();
    TColor GetPixel(int x, int y) override;

protected:
    QPainter* ActivePainter() override;
    void DoMoveTo(TPoint) override { phase_ = 0; }
    void DoLineTo(TPoint from, TPoint to) override;
    void DoPolyline(std::span<const TPoint> points) override;
    void DoRectangle(const TRect& r) override;
    void DoFillRect(const TRect& r) override;
    void DoSetPixel(int x, int y, TColor color) override;
    void DoClipChanged() override;

private:
    const RasterTarget& Target();
    void Touch();
    bool OnePixelPen();
    std::uint32_t PenPixel();

    TBitmap& owner_;
    std::optional<QPainter> painter_;
    std::optional<RasterTarget> target_;
    bool dirty_ = false;
    long long phase_ = 0;
    std::uint64_t penGen_ = 0;
    std::uint32_t penPixel_ = 0;
    bool onePixel_ = true;
    std::span<const int> runs_;
};

struct TBitmap::Impl {
    explicit Impl(TBitmap& owner) : canvas(owner) {}
    ImageCanvas canvas;
};

// The bitmap's image with all drawing completed.
const QImage& ImageOf(TBitmap& bitmap);
