#include "Bitmap_p.h"

#include "CanvasRules_p.h"

#include <algorithm>
#include <cstring>

namespace {
std::uint32_t Pixel(TColor c) {
    const TColor rgb = ColorToRGB(c);
    return 0xFF000000u | (GetRValue(rgb) << 16) | (GetGValue(rgb) << 8) | GetBValue(rgb);
}
} // namespace

ImageCanvas::ImageCanvas(TBitmap& owner) : QtPainterCanvas(96, 0.0), owner_(owner) {}

ImageCanvas::~ImageCanvas() {
    Flush();
}

void ImageCanvas::Flush() {
    if (painter_) painter_->end();
    painter_.reset();
    target_.reset();
    dirty_ = false;
}

void ImageCanvas::Touch() {
    if (dirty_) return;
    dirty_ = true;
    if (owner_.OnChange) owner_.OnChange();
}

QPainter* ImageCanvas::ActivePainter() {
    if (image.isNull()) return nullptr;
    Touch();
    if (!painter_) {
        target_.reset(); // begin() may detach the image
        painter_.emplace();
        if (!painter_->begin(&image)) {
            painter_.reset();
            return nullptr;
        }
        PainterBegun(*painter_);
    }
    return &*painter_;
}

const RasterTarget& ImageCanvas::Target() {
    Touch();
    if (!target_) {
        RasterTarget t;
        if (!image.isNull()) {
            t.bits = reinterpret_cast<std::uint32_t*>(image.bits());
            t.stride = static_cast<int>(image.bytesPerLine() / 4);
            t.clip = {0, 0, image.width(), image.height()};
            if (HasClip()) t.clip = IntersectRect(t.clip, ClipRect());
        }
        target_ = t;
    }
    return *target_;
}

void ImageCanvas::DoClipChanged() {
    target_.reset();
    QtPainterCanvas::DoClipChanged();
}

bool ImageCanvas::OnePixelPen() {
    if (penGen_ != PenGeneration()) {
        penGen_ = PenGeneration();
        penPixel_ = Pixel(Pen().Color());
        onePixel_ = canvasrules::PenPixels(Pen()) == 1;
        runs_ = canvasrules::DashRuns(canvasrules::DrawnPenStyle(Pen()));
        phase_ = 0;
    }
    return onePixel_;
}

std::uint32_t ImageCanvas::PenPixel() {
    OnePixelPen();
    return penPixel_;
}

void ImageCanvas::DoLineTo(TPoint from, TPoint to) {
    if (Pen().Style() == psClear) return;
    if (!OnePixelPen())
        return RasterWideLine(Target(), from, to, canvasrules::PenPixels(Pen()), penPixel_);
    RasterLine(Target(), from, to, penPixel_, runs_, phase_);
}

void ImageCanvas::DoPolyline(std::span<const TPoint> points) {
    if (Pen().Style() == psClear) return;
    const RasterTarget& t = Target();
    if (!OnePixelPen()) {
        // Wide pens are solid and round: the union of the segments is the
        // polyline with round joins.
        const int w = canvasrules::PenPixels(Pen());
        for (std::size_t i = 1; i < points.size(); ++i)
            RasterWideLine(t, points[i - 1], points[i], w, penPixel_);
        return;
    }
    long long phase = 0;
    for (std::size_t i = 1; i < points.size(); ++i)
        RasterLine(t, points[i - 1], points[i], penPixel_, runs_, phase);
}

void ImageCanvas::DoRectangle(const TRect& r) {
    if (r.Width() < 1 || r.Height() < 1) return;
    const TPenStyle style = canvasrules::DrawnPenStyle(Pen());
    const bool withPen = style != psClear;
    const TRect in = canvasrules::RectangleInterior(r, withPen);
    if (Brush().Style() == bsSolid)
        RasterFill(Target(), in, Pixel(Brush().Color()));
    else if (Brush().Style() != bsClear && !in.IsEmpty())
        QtPainterCanvas::DoFillRect(in);
    if (!withPen) return;
    const RasterTarget& t = Target();
    const std::uint32_t px = PenPixel();
    const int w = canvasrules::PenPixels(Pen());
    if (w == 1) {
        if (r.Width() == 1 && r.Height() == 1) return RasterPixel(t, r.Left, r.Top, px);
        const TPoint corners[] = {{r.Left, r.Top},
                                  {r.Right - 1, r.Top},
                                  {r.Right - 1, r.Bottom - 1},
                                  {r.Left, r.Bottom - 1},
                                  {r.Left, r.Top}};
        long long phase = 0;
        for (int i = 1; i < 5; ++i)
            RasterLine(t, corners[i - 1], corners[i], px, runs_, phase);
        return;
    }
    int x0, x1, x2, x3, y0, y1, y2, y3;
    canvasrules::PenBand(r.Left, w, x0, x1);
    canvasrules::PenBand(r.Right - 1, w, x2, x3);
    canvasrules::PenBand(r.Top, w, y0, y1);
    canvasrules::PenBand(r.Bottom - 1, w, y2, y3);
    RasterFill(t, {x0, y0, x3 + 1, y1 + 1}, px);
    RasterFill(t, {x0, y2, x3 + 1, y3 + 1}, px);
    RasterFill(t, {x0, y0, x1 + 1, y3 + 1}, px);
    RasterFill(t, {x2, y0, x3 + 1, y3 + 1}, px);
}

void ImageCanvas::DoFillRect(const TRect& r) {
    if (Brush().Style() == bsSolid)
        RasterFill(Target(), r, Pixel(Brush().Color()));
    else
        QtPainterCanvas::DoFillRect(r);
}

void ImageCanvas::DoSetPixel(int x, int y, TColor color) {
    RasterPixel(Target(), x, y, Pixel(color));
}

TColor ImageCanvas::GetPixel(int x, int y) {
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height()) return clInvalid;
    const QRgb p = reinterpret_cast<const QRgb*>(image.constScanLine(y))[x];
    return RGB(unsigned(qRed(p)), unsigned(qGreen(p)), unsigned(qBlue(p)));
}

// ---- TBitmap

TBitmap::TBitmap(int width, int height) : impl_(std::make_unique<Impl>(*this)) {
    SetSize(width, height);
}

TBitmap::~TBitmap() = default;

int TBitmap::Width() const {
    return impl_->canvas.image.width();
}
int TBitmap::Height() const {
    return impl_->canvas.image.height();
}

void TBitmap::SetSize(int width, int height) {
    width = std::max(0, width);
    height = std::max(0, height);
    ImageCanvas& c = impl_->canvas;
    if (!c.image.isNull() && width == c.image.width() && height == c.image.height()) return;
    c.Flush();
    QImage next;
    if (width > 0 && height > 0) {
        next = QImage(width, height, QImage::Format_RGB32);
        next.fill(Qt::white);
        const int w = std::min(width, c.image.width()), h = std::min(height, c.image.height());
        for (int y = 0; y < h; ++y)
            std::memcpy(next.scanLine(y), c.image.constScanLine(y),
                        static_cast<std::size_t>(w) * 4);
    }
    c.image = next;
    if (OnChange) OnChange();
}

TCanvas& TBitmap::Canvas() {
    return impl_->canvas;
}

void TBitmap::Flush() {
    impl_->canvas.Flush();
}

std::string TBitmap::SaveToPngFile(const std::string& fileName) {
    const QImage& img = ImageOf(*this);
    if (img.isNull()) return "The picture is empty";
    if (!img.save(QString::fromStdString(fileName), "PNG"))
        return "Cannot write the file \"" + fileName + "\"";
    return {};
}

const QImage& ImageOf(TBitmap& bitmap) {
    bitmap.Flush();
    return bitmap.Internals().canvas.image;
}
