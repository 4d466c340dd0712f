#pragma once
// The canvas drawn through a QPainter: the printer's, and the parts of the image
// canvas that are not rasterised by our own code (text, ellipses, polygons).
// Pixel (x, y) is the unit square from (x, y); on vector devices lines run
// through pixel centres (offset 0.5), on images through integer points, which
// Qt's aliased rasteriser maps to the same pixels.

#include "Canvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <cstdint>
#include <optional>

class QtPainterCanvas : public TCanvas {
protected:
    QtPainterCanvas(int pixelsPerInch, double centreOffset);

    // The painter to draw with, begun on the device; null when there is none.
    virtual QPainter* ActivePainter() = 0;
    // The metrics device; null: the screen.
    virtual QPaintDevice* MetricsDevice() { return nullptr; }
    // To be called when a painter begins, so that the clip is applied to it.
    void PainterBegun(QPainter& p);

    void DoLineTo(TPoint from, TPoint to) override;
    void DoPolyline(std::span<const TPoint> points) override;
    void DoPolygon(std::span<const TPoint> points) override;
    void DoRectangle(const TRect& r) override;
    void DoFillRect(const TRect& r) override;
    void DoEllipse(const TRect& r) override;
    void DoSetPixel(int x, int y, TColor color) override;
    void DoTextOut(int x, int y, std::string_view text, const TRect* clip, bool opaque) override;
    TSize DoTextExtent(std::string_view text) override;
    void DoClipChanged() override;

    QPen StrokePen();
    QBrush FillBrush();
    const QFont& CurrentFont();
    const QFontMetrics& CurrentMetrics();

private:
    double offset_;
    std::uint64_t fontGen_ = 0;
    QFont font_;
    std::optional<QFontMetrics> metrics_;
};

QColor QtColor(TColor c);
// Windows-1252 bytes to a Qt string.
QString QtText(std::string_view text);
