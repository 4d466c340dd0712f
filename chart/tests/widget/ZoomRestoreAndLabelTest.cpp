// A refused zoom leaves the axes as they were drawn, and an axis label drawn again never
// keeps a factor text that no longer applies.
#include "ChartFixture.h"

#include "Image.h"

#include <functional>
#include <memory>

namespace {

using Picture = std::vector<TColor>;

Picture Snapshot(TLineChart& c) {
    Picture p;
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x)
            p.push_back(c.Canvas().GetPixel(x, y));
    return p;
}

void Drag(TLineChart& c, int x1, int y1, int x2, int y2) {
    TImage& im = c.Image();
    im.HandleMouseDown(mbLeft, 0, x1, y1);
    im.HandleMouseMove(0, x2, y2);
    im.HandleMouseUp(mbLeft, 0, x2, y2);
}

} // namespace

// A refused zoom must leave the axes as drawn: scaling the saved rectangle again rounds
// it to other ends (-1 .. 1.5 for a y axis drawn from -0.8 to 1.4) under the unchanged
// picture. Lines: x 1000 to 1002 in 2001 samples, y = x - 1000.7, and a box 30 pixels
// wide, too deep to zoom. Bars: 21 bars from -0.7 to 1.3, and a box less than 3 wide.
TEST_F(ChartFixture, ARefusedZoomRestoresTheAxesAsDrawn) {
    struct Case {
        EPlotType type;
        int points;
        float first, last;
        int boxLeft, boxWidth;
        const char* message;
    };
    for (const Case& c : {Case{ptLine, 2001, 1000, 1002, 100, 30, "Unable to zoom so deeply"},
                          Case{ptBar, 21, 0, 20, 100, 30, "Zoom Rectangle too small!"}}) {
        SCOPED_TRACE(c.message);
        messages.clear();
        chart.Resize_(600, 400);
        const auto xs = Range(c.points, c.first, c.last);
        const float shift = c.first + 0.7f * (c.last - c.first) / 2;
        Load(xs, {Map(xs, [&](double v) { return (v - shift) * 2 / (c.last - c.first); })});
        chart.PlotType = c.type;
        chart.Zoomed = false;
        chart.Plot(true);
        ASSERT_TRUE(messages.empty());
        const SPlotRect p = chart.PlotRect;
        ASSERT_NEAR(chart.Axes.yLeft.lowerData, -0.8, 1e-6);
        ASSERT_NEAR(chart.Axes.yLeft.upperData, 1.4, 1e-6);
        const SAxis x = chart.Axes.x, y = chart.Axes.yLeft;
        const Picture before = Snapshot(chart);

        const int l = p.left + chart.BarMarginPx + c.boxLeft;
        Drag(chart, l, p.top + 10, l + c.boxWidth, p.bottom - 10);
        ASSERT_EQ(messages, std::vector<std::string>{c.message});
        EXPECT_TRUE(Snapshot(chart) == before) << "the picture stays";
        for (auto [now, drawn] : {std::pair{chart.Axes.x, x}, std::pair{chart.Axes.yLeft, y}}) {
            EXPECT_EQ(now.lowerData, drawn.lowerData);
            EXPECT_EQ(now.upperData, drawn.upperData);
            EXPECT_EQ(now.spacing, drawn.spacing);
            EXPECT_EQ(now.factor, drawn.factor);
        }
        // Pixels map to values as the picture shows them: the plot's top row is 1.4, its
        // bottom row -0.8, its left and right columns the ends of the data.
        const int xl = p.left + chart.BarMarginPx, xr = p.right - chart.BarMarginPx;
        const FloatRect2 all = chart.GiveZoomRect(xl, p.top, xr, p.bottom);
        EXPECT_NEAR(all.yLeftUpper, 1.4, 1e-4);
        EXPECT_NEAR(all.yLeftLower, -0.8, 1e-4);
        EXPECT_NEAR(all.xLower, c.first, 1e-3);
        EXPECT_NEAR(all.xUpper, c.last, 1e-3);
        if (c.type != ptLine) continue;
        // The drawn curve lies where that mapping puts it (y = 0.3 in the middle).
        const int column = (p.left + p.right) / 2;
        const double row = p.bottom - (0.3 + 0.8) / 2.2 * (p.bottom - p.top);
        bool found = false;
        for (int r : RowsIn(column, kCurve))
            found = found || std::abs(r - row) <= 2;
        EXPECT_TRUE(found);
    }
}

// With automatic unit labels off, "*10" and its exponent belong to a factor. A plot
// without one (or on a log scale) must look exactly like the same plot drawn fresh.
TEST_F(ChartFixture, AFactorTextDoesNotOutliveItsFactor) {
    struct Step {
        std::vector<float> x, y;
        EScaleType yScale;
    };
    struct Case {
        const char* name;
        Step first, second;
    };
    const auto t = Range(101, 0, 10);
    const auto ms = Range(101, 0, 0.005);
    const auto one = Map(t, [](double v) { return v; });
    const auto thousands = Map(t, [](double v) { return 1000 * (v + 1); });
    const Case cases[] = {
        {"y factor, then none", {t, thousands, stLin}, {t, one, stLin}},
        {"x factor, then none", {ms, one, stLin}, {t, one, stLin}},
        {"y factor, then log", {t, thousands, stLin}, {t, thousands, stLog}},
    };
    auto show = [](TLineChart& c, std::vector<float>& x, std::vector<float>& y, EScaleType s,
                   std::vector<SCurveParam>& curves, std::vector<float*>& rows) {
        rows = {y.data()};
        curves = {{kCurve, 0, 'V'}};
        c.GetData(false, 1, int(x.size()), SXVarParam{true, 's', 0}, curves.data(), x.data(),
                  rows.data());
        c.SetYScaleType(s);
        c.Plot(true);
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Step a = k.first, b = k.second, fresh = k.second;
        std::vector<SCurveParam> curvesA, curvesFresh;
        std::vector<float*> rowsA, rowsFresh;

        TLineChart reused(nullptr), clean(nullptr);
        for (TLineChart* c : {&reused, &clean}) {
            c->ShowMessage = [](const SChartMessage& m) { ADD_FAILURE() << m.text; };
            c->AutoLabel = false;
            c->Resize_(600, 500);
        }
        show(reused, a.x, a.y, a.yScale, curvesA, rowsA);
        const SUnitText& firstText = k.first.x == ms ? reused.Axes.xText : reused.Axes.yLeftText;
        EXPECT_EQ(firstText.unit, "*10");
        EXPECT_NE(firstText.exponent, "");
        show(reused, b.x, b.y, b.yScale, curvesA, rowsA);
        show(clean, fresh.x, fresh.y, fresh.yScale, curvesFresh, rowsFresh);

        for (const SUnitText* texts : {&reused.Axes.xText, &reused.Axes.yLeftText}) {
            EXPECT_EQ(texts->unit, "");
            EXPECT_EQ(texts->exponent, "");
        }
        EXPECT_EQ(reused.PlotRect.left, clean.PlotRect.left);
        EXPECT_EQ(reused.PlotRect.right, clean.PlotRect.right);
        EXPECT_TRUE(Snapshot(reused) == Snapshot(clean)) << "a stale label is drawn";
    }
}
