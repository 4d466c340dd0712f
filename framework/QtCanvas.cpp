#include "QtCanvas_p.h"

#include "CanvasRules_p.h"
#include "Cp1252.h"
#include "FontMap_p.h"
#include "QtText_p.h"

#include <QPolygonF>

#include <vector>

QColor QtColor(TColor c) {
    const TColor rgb = ColorToRGB(c);
    return QColor(int(GetRValue(rgb)), int(GetGValue(rgb)), int(GetBValue(rgb)));
}

QString QtText(std::string_view text) {
    return QShownText(text);
}

namespace {

Qt::BrushStyle QtHatch(TBrushStyle s) {
    switch (s) {
    case bsHorizontal:
        return Qt::HorPattern;
    case bsVertical:
        return Qt::VerPattern;
    case bsFDiagonal:
        return Qt::FDiagPattern;
    case bsBDiagonal:
        return Qt::BDiagPattern;
    case bsCross:
        return Qt::CrossPattern;
    case bsDiagCross:
        return Qt::DiagCrossPattern;
    default:
        return Qt::SolidPattern;
    }
}
} // namespace

QtPainterCanvas::QtPainterCanvas(int pixelsPerInch, double centreOffset)
    : TCanvas(pixelsPerInch), offset_(centreOffset) {}

void QtPainterCanvas::PainterBegun(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, true); // see QtFontFor
    if (HasClip()) {
        const TRect& c = ClipRect();
        p.setClipRect(QRect(c.Left, c.Top, std::max(0, c.Width()), std::max(0, c.Height())));
    }
}

QPen QtPainterCanvas::StrokePen() {
    const TPenStyle style = canvasrules::DrawnPenStyle(Pen());
    if (style == psClear) return QPen(Qt::NoPen);
    QPen pen(QtColor(Pen().Color()));
    pen.setWidth(canvasrules::PenPixels(Pen()));
    pen.setCapStyle(Pen().Width() > 1 ? Qt::RoundCap : Qt::FlatCap);
    pen.setJoinStyle(Pen().Width() > 1 ? Qt::RoundJoin : Qt::MiterJoin);
    const auto runs = canvasrules::DashRuns(style);
    if (!runs.empty()) {
        QList<qreal> pattern;
        for (int r : runs)
            pattern << qreal(r);
        pen.setDashPattern(pattern);
    }
    return pen;
}

QBrush QtPainterCanvas::FillBrush() {
    if (Brush().Style() == bsClear) return QBrush(Qt::NoBrush);
    return QBrush(QtColor(Brush().Color()), QtHatch(Brush().Style()));
}

const QFont& QtPainterCanvas::CurrentFont() {
    if (fontGen_ != FontGeneration()) {
        Font().SetPixelsPerInch(PixelsPerInch());
        font_ = QtFontFor(Font());
        if (QPaintDevice* d = MetricsDevice())
            metrics_.emplace(font_, d);
        else
            metrics_.emplace(font_);
        fontGen_ = FontGeneration();
    }
    return font_;
}

const QFontMetrics& QtPainterCanvas::CurrentMetrics() {
    CurrentFont();
    return *metrics_;
}

void QtPainterCanvas::DoLineTo(TPoint from, TPoint to) {
    QPainter* p = ActivePainter();
    if (!p) return;
    p->setPen(StrokePen());
    p->drawLine(QPointF(from.x + offset_, from.y + offset_),
                QPointF(to.x + offset_, to.y + offset_));
}

void QtPainterCanvas::DoPolyline(std::span<const TPoint> points) {
    QPainter* p = ActivePainter();
    if (!p) return;
    QPolygonF poly;
    poly.reserve(static_cast<qsizetype>(points.size()));
    for (const TPoint& pt : points)
        poly << QPointF(pt.x + offset_, pt.y + offset_);
    p->setPen(StrokePen());
    p->drawPolyline(poly);
}

void QtPainterCanvas::DoPolygon(std::span<const TPoint> points) {
    QPainter* p = ActivePainter();
    if (!p) return;
    QPolygonF poly;
    poly.reserve(static_cast<qsizetype>(points.size()));
    for (const TPoint& pt : points)
        poly << QPointF(pt.x + offset_, pt.y + offset_);
    p->setPen(StrokePen());
    p->setBrush(FillBrush());
    p->drawPolygon(poly, Qt::OddEvenFill);
}

void QtPainterCanvas::DoRectangle(const TRect& r) {
    QPainter* p = ActivePainter();
    if (!p || r.Width() < 1 || r.Height() < 1) return;
    const QPen pen = StrokePen();
    const bool withPen = pen.style() != Qt::NoPen;
    const TRect in = canvasrules::RectangleInterior(r, withPen);
    if (Brush().Style() != bsClear && !in.IsEmpty())
        p->fillRect(QRectF(in.Left, in.Top, in.Width(), in.Height()), FillBrush());
    if (withPen) {
        p->setPen(pen);
        p->setBrush(Qt::NoBrush);
        p->drawRect(QRectF(r.Left + offset_, r.Top + offset_, r.Width() - 1, r.Height() - 1));
    }
}

void QtPainterCanvas::DoFillRect(const TRect& r) {
    QPainter* p = ActivePainter();
    if (!p) return;
    p->fillRect(QRectF(r.Left, r.Top, r.Width(), r.Height()), FillBrush());
}

void QtPainterCanvas::DoEllipse(const TRect& r) {
    QPainter* p = ActivePainter();
    if (!p || r.Width() < 1 || r.Height() < 1) return;
    p->setPen(StrokePen());
    p->setBrush(FillBrush());
    p->drawEllipse(QRectF(r.Left + offset_, r.Top + offset_, r.Width() - 1, r.Height() - 1));
}

void QtPainterCanvas::DoSetPixel(int x, int y, TColor color) {
    QPainter* p = ActivePainter();
    if (!p) return;
    p->fillRect(QRectF(x, y, 1, 1), QtColor(color));
}

void QtPainterCanvas::DoTextOut(int x, int y, std::string_view text, const TRect* clip,
                                bool opaque) {
    QPainter* p = ActivePainter();
    if (!p) return;
    const QFont& font = CurrentFont();
    const QFontMetrics& fm = CurrentMetrics();
    const QString s = QtText(text);
    if (clip) {
        p->save();
        p->setClipRect(
            QRect(clip->Left, clip->Top, std::max(0, clip->Width()), std::max(0, clip->Height())),
            HasClip() ? Qt::IntersectClip : Qt::ReplaceClip);
        if (opaque)
            p->fillRect(QRect(clip->Left, clip->Top, clip->Width(), clip->Height()),
                        QtColor(Brush().Color()));
    } else if (opaque) {
        p->fillRect(QRect(x, y, fm.horizontalAdvance(s), fm.height()), QtColor(Brush().Color()));
    }
    p->setFont(font);
    p->setPen(QtColor(Font().Color()));
    p->drawText(QPoint(x, y + fm.ascent()), s);
    if (clip) p->restore();
}

TSize QtPainterCanvas::DoTextExtent(std::string_view text) {
    const QFontMetrics& fm = CurrentMetrics();
    return {fm.horizontalAdvance(QtText(text)), fm.height()};
}

void QtPainterCanvas::DoClipChanged() {
    QPainter* p = ActivePainter();
    if (!p) return;
    if (HasClip()) {
        const TRect& c = ClipRect();
        p->setClipRect(QRect(c.Left, c.Top, std::max(0, c.Width()), std::max(0, c.Height())));
    } else {
        p->setClipping(false);
    }
}
