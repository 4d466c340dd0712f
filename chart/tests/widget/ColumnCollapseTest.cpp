// Collapsing the points of one pixel column to its entry, extremes and exit
// draws the same pixels as the full traced curve, for one- and two-pixel
// solid pens, and leaves the filter's segment count alone.
#include "FilterClip.h"

#include "Bitmap.h"
#include "Canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace {

constexpr int kWidth = 320, kHeight = 200;

struct STraced {
    SPolylines lines;
    int count = 0;
};

STraced Trace(const std::vector<float>& x, const std::vector<float>& y, bool collapse, bool strong,
              const SPixelMap& map) {
    CFilterClip clip;
    clip.strongFilter = strong;
    clip.GetRect(20, 15, 300, 180);
    STraced t;
    t.lines.SetColumnCollapse(collapse);
    t.count = TraceCurve(x.data(), y.data(), 0, std::int64_t(x.size()) - 1, map, clip, t.lines);
    return t;
}

std::vector<TColor> Render(const SPolylines& lines, int penWidth, int width = kWidth,
                           int height = kHeight) {
    TBitmap b(width, height);
    TCanvas& c = b.Canvas();
    c.Pen().SetWidth(penWidth);
    c.Pen().SetColor(clBlue);
    for (std::size_t r = 0; r < lines.runCount(); ++r) {
        std::vector<TPoint> pts;
        for (const SPixelPoint& p : lines.run(r))
            pts.push_back({p.x, p.y});
        c.Polyline(pts);
    }
    std::vector<TColor> px;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            px.push_back(c.GetPixel(x, y));
    return px;
}

int Differing(const std::vector<TColor>& a, const std::vector<TColor>& b) {
    int n = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        n += a[i] != b[i];
    return n;
}

// x: sample index; rows around `centre` with noise and a slow swing.
SPixelMap Map(double samplesPerColumn) {
    SPixelMap m;
    m.xScale = 1 / samplesPerColumn;
    m.xOffset = 20;
    m.yScale = 1;
    m.yLength = 180;
    return m;
}

} // namespace

TEST(ColumnCollapse, NoisyCurvesDrawTheSamePixelsWithFewerPoints) {
    std::mt19937 rng(5);
    std::normal_distribution<float> noise(0, 6);
    std::vector<float> x, y;
    for (int i = 0; i < 200000; ++i) {
        x.push_back(float(i));
        // Swings past the top of the plot now and then: clipped runs too.
        y.push_back(90 + 60 * std::sin(i / 9000.0f) + noise(rng) + (i % 31000 == 5 ? NAN : 0));
    }
    for (const double perColumn : {700.0, 3.0, 0.7}) {
        for (const bool strong : {false, true}) {
            const SPixelMap map = Map(perColumn);
            const STraced full = Trace(x, y, false, strong, map);
            const STraced collapsed = Trace(x, y, true, strong, map);
            EXPECT_EQ(collapsed.count, full.count);
            EXPECT_EQ(collapsed.lines.runCount(), full.lines.runCount());
            if (perColumn > 100 && !strong) {
                EXPECT_GT(full.lines.points().size(), 20 * collapsed.lines.points().size());
            }
            for (const int pen : {1, 2, 3}) {
                const auto a = Render(full.lines, pen), b = Render(collapsed.lines, pen);
                EXPECT_EQ(Differing(a, b), 0)
                    << "pen " << pen << ", " << perColumn << " samples per column";
                EXPECT_GT(std::count(a.begin(), a.end(), clBlue), 1000);
            }
        }
    }
}

// The exit point equals one of the column's extremes: a one-pixel line leaves
// out its end pixel, so that extreme must still be reached by an earlier
// segment. Every order of a few rows in one column, entered from the left and
// left to the right or ending there.
TEST(ColumnCollapse, EveryShortUpAndDownRunKeepsItsPixels) {
    const int rows[] = {5, 8, 6, 8, 5, 7};
    std::vector<int> seq(std::begin(rows), std::end(rows));
    std::sort(seq.begin(), seq.end());
    int checked = 0;
    do {
        for (int n = 2; n <= 6; ++n) {
            for (const bool exitRight : {false, true}) {
                SPolylines full, collapsed;
                collapsed.SetColumnCollapse(true);
                for (SPolylines* l : {&full, &collapsed}) {
                    l->MoveTo({40, 20});
                    for (int k = 0; k < n; ++k)
                        l->LineTo({41, 10 + seq[k]});
                    if (exitRight) l->LineTo({45, 12});
                    l->Finish();
                }
                for (const int pen : {1, 2})
                    ASSERT_EQ(Differing(Render(full, pen, 60, 30), Render(collapsed, pen, 60, 30)),
                              0)
                        << "pen " << pen << " n " << n;
                ++checked;
            }
        }
    } while (std::next_permutation(seq.begin(), seq.end()));
    EXPECT_GT(checked, 1000);
}
