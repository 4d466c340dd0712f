// Wide solid pens on the image back end: our own rasteriser against the
// stroke Qt draws for the same pen (round caps and joins, lines through
// integer points, no antialiasing) and against the geometry it defines.
#include "Bitmap.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace {

constexpr int kW = 64, kH = 48;

QImage QtStroke(int width, const std::vector<TPoint>& pts) {
    QImage img(kW, kH, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(Qt::black);
    pen.setWidth(width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    QPolygonF poly;
    for (const TPoint& q : pts)
        poly << QPointF(q.x, q.y);
    if (pts.size() == 2)
        p.drawLine(poly[0], poly[1]);
    else
        p.drawPolyline(poly);
    return img;
}

std::vector<bool> Ours(int width, const std::vector<TPoint>& pts) {
    TBitmap b(kW, kH);
    TCanvas& c = b.Canvas();
    c.Pen().SetWidth(width);
    if (pts.size() == 2) {
        c.MoveTo(pts[0].x, pts[0].y);
        c.LineTo(pts[1].x, pts[1].y);
    } else {
        c.Polyline(pts);
    }
    std::vector<bool> dark(kW * kH);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            dark[y * kW + x] = c.GetPixel(x, y) == clBlack;
    return dark;
}

} // namespace

namespace {
// Distance of pixel (x, y)'s centre from the nearest segment of the line.
double Distance(int x, int y, const std::vector<TPoint>& pts) {
    const double cx = x + 0.5, cy = y + 0.5;
    double best = INFINITY;
    for (std::size_t i = 1; i < pts.size(); ++i) {
        const double ax = pts[i - 1].x, ay = pts[i - 1].y, dx = pts[i].x - ax, dy = pts[i].y - ay;
        const double l2 = dx * dx + dy * dy;
        double t = l2 > 0 ? ((cx - ax) * dx + (cy - ay) * dy) / l2 : 0;
        t = std::clamp(t, 0.0, 1.0);
        best = std::min(best, std::hypot(cx - ax - t * dx, cy - ay - t * dy));
    }
    return best;
}
} // namespace

// Qt samples its stroke outline in 1/64 pixel steps and flattens round caps:
// our pixels may differ from Qt's only where a pixel centre lies on the pen's
// edge within that rounding.
TEST(WideLine, SegmentsAndPolylinesMatchQtUpToEdgeRounding) {
    std::mt19937 rng(3);
    std::uniform_int_distribution<int> px(8, kW - 9), py(8, kH - 9);
    for (int w = 2; w <= 6; ++w) {
        int diff = 0, total = 0;
        double worst = 0;
        for (int k = 0; k < 300; ++k) {
            std::vector<TPoint> pts{{px(rng), py(rng)}, {px(rng), py(rng)}};
            if (k % 3 == 0) pts.push_back({px(rng), py(rng)});
            if (k % 50 == 0) pts[1] = pts[0]; // no length: nothing, as in Qt
            const QImage q = QtStroke(w, pts);
            const std::vector<bool> o = Ours(w, pts);
            for (int y = 0; y < kH; ++y)
                for (int x = 0; x < kW; ++x) {
                    const bool a = qGray(q.pixel(x, y)) < 128;
                    total += a;
                    if (a == o[y * kW + x]) continue;
                    ++diff;
                    worst = std::max(worst, std::fabs(Distance(x, y, pts) - w / 2.0));
                }
        }
        EXPECT_LT(worst, 0.1) << "width " << w;
        EXPECT_LT(diff, total / 200) << "width " << w;
    }
}

TEST(WideLine, HorizontalAndVerticalBandsAndRoundEnds) {
    const auto rows = [](int width) {
        const std::vector<bool> o = Ours(width, {{10, 20}, {40, 20}});
        std::vector<int> r;
        for (int y = 0; y < kH; ++y)
            if (o[y * kW + 25]) r.push_back(y);
        return r;
    };
    EXPECT_EQ(rows(2), (std::vector<int>{19, 20}));
    EXPECT_EQ(rows(3), (std::vector<int>{19, 20, 21})); // the spare pixel below
    EXPECT_EQ(rows(4), (std::vector<int>{18, 19, 20, 21}));
    // Both ends are drawn, rounded: a 2-pixel pen reaches one pixel beyond.
    const std::vector<bool> o = Ours(2, {{10, 5}, {10, 30}});
    EXPECT_TRUE(o[4 * kW + 9] && o[4 * kW + 10] && o[30 * kW + 9] && o[30 * kW + 10]);
    EXPECT_FALSE(o[3 * kW + 10] || o[31 * kW + 10] || o[15 * kW + 11] || o[15 * kW + 8]);
    // A 4-pixel pen's end is round: the corner pixels of its square stay white.
    const std::vector<bool> e = Ours(4, {{10, 20}, {30, 20}});
    EXPECT_TRUE(e[19 * kW + 8]);
    EXPECT_FALSE(e[18 * kW + 8] || e[21 * kW + 8]);
}

TEST(WideLine, ClipAndFarEndsLimitTheStroke) {
    TBitmap b(kW, kH);
    TCanvas& c = b.Canvas();
    c.Pen().SetWidth(3);
    c.SetClipRect({10, 10, 30, 30});
    c.MoveTo(0, 20);
    c.LineTo(60, 20);
    c.ResetClip();
    // Far beyond any image: only the visible part, at the right place.
    c.MoveTo(-2000000000, 40);
    c.LineTo(2000000000, 40);
    int inClip = 0, outside = 0;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            if (c.GetPixel(x, y) != clBlack) continue;
            if (y >= 39 && y <= 41) continue;
            (x >= 10 && x < 30 && y >= 10 && y < 30 ? inClip : outside)++;
        }
    EXPECT_EQ(inClip, 20 * 3);
    EXPECT_EQ(outside, 0);
    for (int x = 0; x < kW; ++x)
        EXPECT_TRUE(c.GetPixel(x, 39) == clBlack && c.GetPixel(x, 41) == clBlack) << x;
    EXPECT_EQ(c.GetPixel(5, 38), clWhite);
}
