#include "FilterClip.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace {

using FP = CFilterClip::FloatPoint;

// Identity mapping: column = x value, row = y value.
SPixelMap Identity() {
    SPixelMap m;
    m.yScale = -1;
    return m;
}

struct Traced {
    SPolylines lines;
    int count = 0;
    std::vector<std::vector<SPixelPoint>> runs() const {
        std::vector<std::vector<SPixelPoint>> r;
        for (std::size_t i = 0; i < lines.runCount(); ++i)
            r.emplace_back(lines.run(i).begin(), lines.run(i).end());
        return r;
    }
};

Traced Trace(const std::vector<float>& x, const std::vector<float>& y, bool strong = false,
             SPixelMap map = Identity(), int l = 10, int t = 10, int r = 110, int b = 60) {
    CFilterClip clip;
    clip.strongFilter = strong;
    clip.GetRect(l, t, r, b);
    Traced out;
    out.count = TraceCurve(x.data(), y.data(), 0, static_cast<std::int64_t>(x.size()) - 1, map,
                           clip, out.lines);
    return out;
}

using PixelRun = std::vector<SPixelPoint>;

} // namespace

TEST(Clipper, EdgesOfTheWidenedRectangleCountAsInside) {
    CFilterClip c;
    c.GetRect(10, 10, 110, 60);
    EXPECT_TRUE(c.IsInRect(9.5f, 10));
    EXPECT_TRUE(c.IsInRect(110.5f, 60.5f));
    EXPECT_FALSE(c.IsInRect(9.49f, 30));
    EXPECT_FALSE(c.IsInRect(50, 60.51f));
}

TEST(Clipper, SegmentEndingOnASideCrossesOnlyTheBottom) {
    CFilterClip c;
    c.GetRect(10, 10, 110, 60);
    FP a{-1, -1}, b{-1, -1};
    c.GetLine(50, 30, 110.5f, 30); // t = 1 on the right side: no crossing
    EXPECT_EQ(c.GiveRectIntersect(a, b), 0);
    c.GetLine(50, 30, 50, 60.5f); // t = 1 on the bottom side: a crossing
    ASSERT_EQ(c.GiveRectIntersect(a, b), 1);
    EXPECT_FLOAT_EQ(a.x, 50);
    EXPECT_FLOAT_EQ(a.y, 60.5f);
}

TEST(Clipper, CrossingsNearestFirst) {
    CFilterClip c;
    c.GetRect(10, 10, 110, 60);
    FP a, b;
    c.GetLine(200, 35, 0, 35); // right to left through the whole plot
    ASSERT_EQ(c.GiveRectIntersect(a, b), 2);
    EXPECT_FLOAT_EQ(a.x, 110.5f);
    EXPECT_FLOAT_EQ(b.x, 9.5f);
    c.GetLine(50, -20, 50, 80); // vertical: top and bottom only
    ASSERT_EQ(c.GiveRectIntersect(a, b), 2);
    EXPECT_FLOAT_EQ(a.y, 9.5f);
    EXPECT_FLOAT_EQ(b.y, 60.5f);
    c.GetLine(0, 0, 200, 0); // above the plot
    EXPECT_EQ(c.GiveRectIntersect(a, b), 0);
}

TEST(Clipper, DiagonalThroughTwoCornersGivesTheTwoCorners) {
    CFilterClip c;
    c.GetRect(0, 0, 100, 100);
    FP a, b;
    c.GetLine(-10.5f, -10.5f, 110.5f, 110.5f); // four side crossings
    ASSERT_EQ(c.GiveRectIntersect(a, b), 2);
    EXPECT_FLOAT_EQ(a.x, -0.5f);
    EXPECT_FLOAT_EQ(a.y, -0.5f);
    EXPECT_FLOAT_EQ(b.x, 100.5f);
    EXPECT_FLOAT_EQ(b.y, 100.5f);
}

TEST(Clipper, CrossingsLieOnTheSegmentAndTheRectangle) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> d(-100, 300);
    CFilterClip c;
    c.GetRect(10, 20, 200, 150);
    for (int i = 0; i < 20000; ++i) {
        const FP s{d(rng), d(rng)}, e{d(rng), d(rng)};
        if (!c.GetLine(s.x, s.y, e.x, e.y)) continue;
        FP p[2];
        const int n = c.GiveRectIntersect(p[0], p[1]);
        for (int k = 0; k < n; ++k) {
            const bool onSide =
                std::fabs(p[k].x - 9.5f) < 1e-3 || std::fabs(p[k].x - 200.5f) < 1e-3 ||
                std::fabs(p[k].y - 19.5f) < 1e-3 || std::fabs(p[k].y - 150.5f) < 1e-3;
            EXPECT_TRUE(onSide);
            const double cross = (double(p[k].x) - s.x) * (double(e.y) - s.y) -
                                 (double(p[k].y) - s.y) * (double(e.x) - s.x);
            EXPECT_LT(std::fabs(cross) / std::hypot(e.x - s.x, e.y - s.y), 1e-2);
        }
    }
}

TEST(PointFilter, StraightRunIsOneSegment) {
    // 1000 samples on a line: MoveTo, a zero-length LineTo (dropped), the
    // second-last and the last sample; segment count 2.
    std::vector<float> x, y;
    for (int i = 0; i < 1000; ++i) {
        x.push_back(20 + i * 0.08f);
        y.push_back(50 - i * 0.03f);
    }
    const Traced t = Trace(x, y);
    EXPECT_EQ(t.count, 2);
    ASSERT_EQ(t.lines.runCount(), 1u);
    const auto run = t.runs()[0];
    EXPECT_LE(run.size(), 3u); // the last two samples may share a pixel
    EXPECT_EQ(run.front(), (SPixelPoint{20, 50}));
    EXPECT_EQ(run.back(), (SPixelPoint{100, 20}));
}

TEST(PointFilter, StrongFilterDropsAPeakWithinOneColumn) {
    // Up a vertical line in column 50 to row 20 and back down to row 40.
    const std::vector<float> x{10, 50, 50, 50, 50, 50, 50, 90, 95};
    const std::vector<float> y{50, 50, 40, 30, 20, 30, 40, 40, 40};
    const PixelRun normal = Trace(x, y).runs().at(0);
    const PixelRun strong = Trace(x, y, true).runs().at(0);
    auto reaches = [](const PixelRun& r, int row) {
        for (const SPixelPoint& p : r)
            if (p.y == row) return true;
        return false;
    };
    EXPECT_TRUE(reaches(normal, 20));
    EXPECT_FALSE(reaches(strong, 20));
    EXPECT_EQ(strong, (PixelRun{{10, 50}, {50, 50}, {50, 40}, {90, 40}, {95, 40}}));
}

TEST(PointFilter, SegmentsOutsideOrAcrossThePlot) {
    EXPECT_EQ(Trace({0, 200}, {0, 0}).lines.runCount(), 0u); // above the plot
    const Traced across = Trace({0, 200}, {35, 35});
    EXPECT_EQ(across.count, 2);
    EXPECT_EQ(across.runs(), (std::vector<PixelRun>{{{10, 35}, {110, 35}}}));
    const Traced leaving = Trace({50, 60, 300, 310}, {30, 30, 30, 30});
    EXPECT_EQ(leaving.runs(), (std::vector<PixelRun>{{{50, 30}, {60, 30}, {110, 30}}}));
}

TEST(PointFilter, EnteringExactlyOnTheEdgeStartsThereNotAtAStrayPoint) {
    // The second sample lands on the widened left side (t = 1 for that side):
    // no crossing is reported, the run starts at the sample itself.
    const Traced t = Trace({-20, 9, 50}, {30, 30, 30});
    EXPECT_EQ(t.runs(), (std::vector<PixelRun>{{{10, 30}, {50, 30}}}));
}

TEST(PointFilter, NonFiniteSamplesAreGaps) {
    const Traced t = Trace({20, 30, 40, 50, 60, 70}, {30, 31, NAN, 33, INFINITY, 40});
    // 20..30, then 50 alone (nothing to join), then 70 alone
    EXPECT_EQ(t.runs(), (std::vector<PixelRun>{{{20, 30}, {30, 31}}}));
    const Traced u = Trace({20, 30, NAN, 50, 60}, {30, 31, 32, 33, 34});
    EXPECT_EQ(u.runs(), (std::vector<PixelRun>{{{20, 30}, {30, 31}}, {{50, 33}, {60, 34}}}));
}

TEST(PointFilter, NonPositiveSamplesBreakALogLine) {
    SPixelMap m;
    m.yLog = true;
    m.yOrigin = -2; // 10^-2 at the bottom
    m.yScale = 10;  // pixels per decade
    m.yLength = 40;
    m.yTop = 10;
    const Traced t = Trace({20, 30, 40, 50, 60}, {1, 10, 0, 10, -5}, false, m);
    EXPECT_EQ(t.runs(), (std::vector<PixelRun>{{{20, 30}, {30, 20}}}));
}

TEST(PointFilter, FarSamplesSaturateAndStayClipped) {
    SPixelMap m = Identity();
    m.xScale = 1e10; // a deep zoom
    const Traced t = Trace({5e-9f, 3e38f, -3e38f}, {30, 30, 40}, false, m);
    for (const SPixelPoint& p : t.lines.points()) {
        EXPECT_GE(p.x, 10);
        EXPECT_LE(p.x, 110);
    }
    EXPECT_EQ(t.runs().at(0).front(), (SPixelPoint{50, 30}));
}

TEST(PointFilter, NothingLeavesThePlotRectangle) {
    std::mt19937 rng(3);
    std::uniform_real_distribution<float> d(-50, 200);
    std::vector<float> x, y;
    for (int i = 0; i < 5000; ++i) {
        x.push_back(d(rng));
        y.push_back(d(rng));
    }
    for (bool strong : {false, true}) {
        const Traced t = Trace(x, y, strong);
        EXPECT_GT(t.lines.runCount(), 100u);
        for (const SPixelPoint& p : t.lines.points()) {
            EXPECT_TRUE(p.x >= 10 && p.x <= 110 && p.y >= 10 && p.y <= 60);
        }
        for (std::size_t i = 0; i < t.lines.runCount(); ++i)
            EXPECT_GE(t.lines.run(i).size(), 2u);
    }
}

TEST(PointFilter, DenseSineCollapsesToAboutOneSegmentPerColumn) {
    SPixelMap m;
    m.xScale = 1000.0 / 200000;
    m.xOffset = 0;
    m.yScale = 300;
    m.yLength = 600;
    m.yOrigin = -1;
    std::vector<float> x(200000), y(200000);
    for (int i = 0; i < 200000; ++i) {
        x[i] = static_cast<float>(i);
        y[i] = static_cast<float>(std::sin(i * 2 * M_PI / 50000));
    }
    const Traced t = Trace(x, y, false, m, 0, 0, 1000, 600);
    EXPECT_LT(t.count, 2000);
    EXPECT_GT(t.count, 100);
}

namespace {

// The drawing rules sample by sample through the clipper's public operations,
// without the fast path over redundant samples: the traced result must match.
Traced ReferenceTrace(const std::vector<float>& x, const std::vector<float>& y, bool strong,
                      const SPixelMap& map) {
    CFilterClip clip;
    clip.strongFilter = strong;
    clip.GetRect(10, 10, 110, 60);
    Traced out;
    auto pix = [](FP p) {
        return SPixelPoint{std::clamp(int(p.x), 10, 110), std::clamp(int(p.y), 10, 60)};
    };
    bool started = false, inside = false;
    FP prev, a, b;
    const std::size_t last = x.size() - 1;
    for (std::size_t i = 0; i <= last; ++i) {
        const double c = map.Column(x[i]), r = map.Row(y[i]);
        if (std::isnan(c) || std::isnan(r)) {
            if (started && inside) out.lines.LineTo(pix(prev)), ++out.count;
            started = inside = false;
            continue;
        }
        const FP p{float(c + 0.5), float(r + 0.5)};
        const bool pIn = clip.IsInRect(p.x, p.y);
        if (!started) {
            prev = p;
            inside = pIn;
            if (inside) out.lines.MoveTo(pix(p));
            clip.GetLine(p.x, p.y, p.x, p.y);
            started = true;
            continue;
        }
        const bool isLast = i == last;
        if (inside && pIn && !isLast && clip.IsRedundant(p.x, p.y)) {
        } else if (inside && pIn) {
            clip.GetLine(prev.x, prev.y, p.x, p.y);
            out.lines.LineTo(pix(prev));
            if (isLast) out.lines.LineTo(pix(p));
            ++out.count;
        } else if (inside) {
            inside = false;
            clip.GetLine(prev.x, prev.y, p.x, p.y);
            out.lines.LineTo(pix(prev));
            const int n = clip.GiveRectIntersect(a, b);
            if (n >= 1) out.lines.LineTo(pix(n == 1 ? a : b));
            ++out.count;
        } else {
            clip.GetLine(prev.x, prev.y, p.x, p.y);
            const int n = clip.GiveRectIntersect(a, b);
            if (pIn) {
                inside = true;
                out.lines.MoveTo(pix(n >= 1 ? a : p));
                out.lines.LineTo(pix(p));
                ++out.count;
            } else if (n == 2) {
                out.lines.MoveTo(pix(a));
                out.lines.LineTo(pix(b));
                out.count += 2;
            }
        }
        prev = p;
    }
    out.lines.Finish();
    return out;
}

} // namespace

TEST(PointFilter, DenseNoisyCurveMatchesSampleBySampleRules) {
    std::mt19937 rng(11);
    std::normal_distribution<float> noise(0, 2);
    SPixelMap m = Identity();
    m.xScale = 0.01;
    std::vector<float> x, y;
    for (int i = 0; i < 20000; ++i) {
        x.push_back(500 + i * 1.0f);
        y.push_back(35 + 30 * std::sin(i / 900.0f) + noise(rng) + (i % 4000 == 7 ? NAN : 0));
    }
    SPixelMap log = m;
    log.yLog = true;
    log.yScale = -30; // rows 30 log10(y): 0 .. 55, below zero a gap
    for (const SPixelMap& map : {m, log}) {
        for (bool strong : {false, true}) {
            const Traced fast = Trace(x, y, strong, map);
            const Traced ref = ReferenceTrace(x, y, strong, map);
            EXPECT_EQ(fast.count, ref.count);
            EXPECT_EQ(fast.runs(), ref.runs());
            EXPECT_GT(fast.lines.runCount(), 5u);
        }
    }
}
