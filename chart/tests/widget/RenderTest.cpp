// Whole charts rendered offscreen and saved as PNG (into the build folder,
// for looking at); the checks compare geometry, never fonts.
#include "ChartFixture.h"
#include "ShellOutput.h"

#include "AxisLabels.h"
#include "Bitmap.h"
#include "Image.h"
#include "MissingTool.h"

#include <cmath>
#include <cstdio>
#include <filesystem>

namespace {
constexpr double kPi = 3.14159265358979;

std::string RenderPath(const char* name) {
    return std::string(CHART_RENDER_DIR) + "/" + name;
}

using testsupport::ShellOutput;
} // namespace

class ChartRender : public ChartFixture {
protected:
    void Save(const char* name) {
        EXPECT_EQ(chart.Image().Bitmap().SaveToPngFile(RenderPath(name)), "");
    }
    // The frame: black along the plot rectangle's edges, except where a curve crosses.
    void ExpectFrame() {
        const SPlotRect& p = chart.PlotRect;
        const int h = p.bottom - p.top + 1, w = p.right - p.left + 1;
        EXPECT_GT(Count(clBlack, p.left, p.top, p.left, p.bottom), h * 9 / 10);
        EXPECT_GT(Count(clBlack, p.right, p.top, p.right, p.bottom), h * 9 / 10);
        EXPECT_GT(Count(clBlack, p.left, p.bottom, p.right, p.bottom), w * 9 / 10);
        EXPECT_GT(Count(clBlack, p.left, p.top, p.right, p.top), w * 9 / 10);
    }
    // Tick marks of a linear y axis on the left, where the tick rows say.
    void ExpectLinearYTicks() {
        const SPlotRect& p = chart.PlotRect;
        const std::vector<STick> ticks =
            LinearYTicks(chart.Axes.yLeft, p.top, p.bottom, chart.TickSpacingPx[1]);
        ASSERT_GE(ticks.size(), 3u);
        for (const STick& t : ticks)
            EXPECT_EQ(Pixel(p.left - 2, t.pos), clBlack) << "tick row " << t.pos;
    }
    // Something (label text) is drawn left of the y ticks and below the x ticks.
    void ExpectLabels() {
        const SPlotRect& p = chart.PlotRect;
        EXPECT_GT(chart.Axes.yLeft.labelWidth, 0);
        EXPECT_LT(Count(clWhite, 0, p.top, p.left - chart.YTickLength - 2, p.bottom),
                  (p.left - chart.YTickLength - 1) * (p.bottom - p.top + 1));
        EXPECT_LT(
            Count(clWhite, p.left, p.bottom + chart.XTickLength + 1, p.right, chart.Height() - 1),
            (p.right - p.left + 1) * (chart.Height() - p.bottom - chart.XTickLength - 1));
    }
};

TEST_F(ChartRender, SineWithAxesAndGrid) {
    chart.Resize_(640, 400);
    chart.AutoLabel = true;
    chart.SetXGrid(true);
    chart.SetYGrid(true);
    const auto xs = Range(4001, 0, 0.04);
    Load(xs, {Map(xs, [](double t) { return 325 * std::sin(2 * kPi * 50 * t); })});
    chart.Plot(true);
    ASSERT_TRUE(messages.empty());
    Save("chart_sine.png");
    ExpectFrame();
    ExpectLinearYTicks();
    ExpectLabels();
    EXPECT_EQ(chart.Axes.xText.unit, "[ms]");
    EXPECT_EQ(chart.Axes.yLeftText.unit, "[V]");
    // Peaks at 5 ms and 25 ms, troughs at 15 ms and 35 ms.
    for (double t : {0.005, 0.025}) {
        const auto rows = RowsIn(ColumnOf(t), kCurve);
        ASSERT_FALSE(rows.empty());
        EXPECT_NEAR(rows.front(), RowOf(325), 1);
    }
    for (double t : {0.015, 0.035}) {
        const auto rows = RowsIn(ColumnOf(t), kCurve);
        ASSERT_FALSE(rows.empty());
        EXPECT_NEAR(rows.back(), RowOf(-325), 1);
    }
    // Dotted grid lines inside the plot, on tick rows.
    const SPlotRect& p = chart.PlotRect;
    const std::vector<int> gridRows = LinearYGridRows(p.top, p.bottom, chart.TickSpacingPx[1]);
    ASSERT_FALSE(gridRows.empty());
    const int g = Count(clBlack, p.left + 1, gridRows[0], p.right - 1, gridRows[0]);
    EXPECT_GT(g, (p.right - p.left) / 4);
    EXPECT_LT(g, (p.right - p.left) * 3 / 4);
    EXPECT_EQ(CountOutsidePlot(kCurve), 0);
}

TEST_F(ChartRender, ADivergingHistoryIsDrawnUpToItsLastFiniteSample) {
    // Iterations 0 .. 1000; the mismatch triples each pass and leaves the float range
    // after pass 85 (as the reader gives it: -inf), then stops being a number.
    chart.Resize_(800, 400);
    const auto xs = Range(1001, 0, 1000);
    const auto ys = Map(xs, [](double k) {
        if (k > 990) return double(NAN);
        return -std::pow(2.8, k - 85) * 1.26e38;
    });
    ASSERT_TRUE(std::isinf(ys[86]) && std::isfinite(ys[85]));
    Load(xs, {ys});
    chart.Plot(true);
    ASSERT_TRUE(messages.empty());
    Save("chart_diverging.png");
    EXPECT_EQ(chart.Axes.x.upperData, 1000);
    // The y axis holds the finite samples: 0 down to -1.26e38.
    EXPECT_LE(chart.Axes.yLeft.lowerData, -1.26e38f);
    EXPECT_GE(chart.Axes.yLeft.lowerData, -2e38f);
    // The curve falls to the bottom at pass 85 and nothing is drawn after it.
    const auto rows = RowsIn(ColumnOf(85), kCurve);
    ASSERT_FALSE(rows.empty());
    EXPECT_NEAR(rows.back(), RowOf(-1.26e38), 2);
    EXPECT_NEAR(RowsIn(ColumnOf(40), kCurve).front(), RowOf(0), 1);
    EXPECT_EQ(Count(kCurve, ColumnOf(85) + 2, 0, chart.Width() - 1, chart.Height() - 1), 0);
}

TEST_F(ChartRender, SpectrumBarChart) {
    chart.Resize_(640, 400);
    chart.PlotType = ptBar;
    const auto order = Range(32, 0, 31);
    Load(order, {Map(order, [](double k) { return k == 1 ? 100.0 : 30.0 / (1 + k); })});
    chart.Plot(true);
    ASSERT_TRUE(messages.empty());
    Save("chart_bars.png");
    ExpectFrame();
    ExpectLinearYTicks();
    ExpectLabels();
    const SPlotRect& p = chart.PlotRect;
    // The fundamental reaches the top of its axis; every bar stands on the bottom.
    const int c1 = ColumnOf(1) + chart.BarMarginPx;
    EXPECT_EQ(Pixel(c1, p.bottom - 2), clRed);
    EXPECT_EQ(Pixel(c1, RowOf(100) + 2), clRed);
    EXPECT_EQ(Pixel(c1, RowOf(100) - 3), clWhite);
    const int c10 = ColumnOf(10) + chart.BarMarginPx;
    EXPECT_EQ(Pixel(c10, p.bottom - 2), clRed);
    EXPECT_EQ(Pixel(c10, RowOf(30.0 / 11) - 3), clWhite);
    // Bars stand apart: white between orders 10 and 11.
    EXPECT_EQ(Pixel((c10 + ColumnOf(11) + chart.BarMarginPx) / 2, p.bottom - 2), clWhite);
    EXPECT_EQ(CountOutsidePlot(clRed), 0);
}

TEST_F(ChartRender, LogLogCurveIsAStraightLine) {
    chart.Resize_(640, 400);
    chart.SetXScaleType(stLog);
    chart.SetYScaleType(stLog);
    chart.SetXGrid(true);
    chart.SetYGrid(true);
    std::vector<float> xs(301);
    for (int i = 0; i <= 300; ++i)
        xs[i] = float(std::pow(10.0, i / 100.0)); // 1 .. 1000
    Load(xs, {Map(xs, [](double v) { return v * v; })}, true);
    chart.Plot(true);
    ASSERT_TRUE(messages.empty());
    Save("chart_loglog.png");
    ExpectFrame();
    EXPECT_EQ(chart.Axes.x.lowDecade, 0);
    EXPECT_EQ(chart.Axes.x.highDecade, 3);
    EXPECT_EQ(chart.Axes.yLeft.lowDecade, 0);
    EXPECT_EQ(chart.Axes.yLeft.highDecade, 6);
    // y = x^2 runs corner to corner: at each fraction of the width the curve
    // is at the same fraction of the height.
    const SPlotRect& p = chart.PlotRect;
    for (double f : {0.25, 0.5, 0.75}) {
        const int col = p.left + int(f * (p.right - p.left) + 0.5);
        const auto rows = RowsIn(col, kCurve);
        ASSERT_FALSE(rows.empty()) << f;
        EXPECT_NEAR(rows.front(), p.bottom - f * (p.bottom - p.top), 2.0) << f;
    }
    // Decade ticks below the x axis at 10^0 .. 10^3.
    const SDecadeTicks d =
        LogTicks(chart.Axes.x, p.left, p.right, false, chart.Canvas().Font().Height());
    int decades = 0;
    for (const STick& t : d.ticks) {
        if (t.minor) continue;
        ++decades;
        EXPECT_EQ(Pixel(t.pos, p.bottom + 2), clBlack) << t.pos;
    }
    EXPECT_EQ(decades, 4);
    EXPECT_EQ(CountOutsidePlot(kCurve), 0);
}

TEST_F(ChartRender, DecibelAxisLabelsItsDecades) {
    chart.Resize_(500, 400);
    chart.SetYScaleType(stDB);
    const auto xs = Range(200, 0, 10);
    Load(xs, {Map(xs, [](double v) { return std::pow(10.0, v / 5 - 1); })});
    chart.Plot(true);
    ASSERT_TRUE(messages.empty());
    Save("chart_db.png");
    ExpectFrame();
    EXPECT_EQ(chart.Axes.yLeftText.unit, "dB");
    const SPlotRect& p = chart.PlotRect;
    const SDecadeTicks d =
        DBTicks(chart.Axes.yLeft, p.top, p.bottom, true, chart.Canvas().Font().Height());
    ASSERT_GE(d.ticks.size(), 2u);
    for (const STick& t : d.ticks)
        EXPECT_EQ(Pixel(p.left - 2, t.pos), clBlack) << t.pos;
    EXPECT_EQ(CountOutsidePlot(kCurve), 0);
}

// The 7 pt legend of a small chart, as a person (or an OCR program) reads it: with one-bit
// glyphs "motor_start.adf" read "moror_srarr.adl". The picture is only magnified, pixel for
// pixel, so the reader sees the chart's own pixels.
TEST_F(ChartRender, SmallLegendTextIsLegible) {
    if (!std::filesystem::exists("/usr/bin/tesseract"))
        CURVIX_SKIP_OR_FAIL() << "tesseract: install tesseract-ocr and tesseract-ocr-eng";
    chart.Resize_(500, 350); // label font 8 pt, legend 7 pt
    chart.Legend = true;
    const std::vector<float> xs = Range(201, 0, 2);
    Load(xs, {Map(xs, [](double t) { return 1500 * (1 - std::exp(-3 * t)); })});
    std::string files[] = {"motor_start.adf"}, vars[] = {"speed_rpm", "time"};
    float factors[] = {1, 1}, offsets[] = {0, 0};
    chart.GetInfoLegend(files, vars, 1, factors, offsets);
    chart.Plot(true);
    Save("small_legend.png");

    // One row of text, rows top .. bottom - 1 of the chart, as the OCR program reads it.
    auto read = [&](int top, int bottom, const char* name) {
        constexpr int kZoom = 4, kMargin = 16; // on white, as a page has it
        TBitmap big(chart.Width() * kZoom, (bottom - top) * kZoom + 2 * kMargin);
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < chart.Width(); ++x) {
                big.Canvas().Brush().SetColor(Pixel(x, y));
                const int row = kMargin + (y - top) * kZoom;
                big.Canvas().FillRect(Rect(x * kZoom, row, (x + 1) * kZoom, row + kZoom));
            }
        const std::string png = RenderPath(name);
        EXPECT_EQ(big.SaveToPngFile(png), "");
        // One thread: on a busy machine its thread pool spins for tens of seconds.
        return ShellOutput("OMP_THREAD_LIMIT=1 /usr/bin/tesseract " + png +
                           " - --psm 7 2>/dev/null");
    };
    const int legendTop = chart.ChartBottom - chart.LegendHeight;
    ASSERT_GT(chart.LegendHeight, 4);
    const std::string legend = read(legendTop, chart.ChartBottom, "small_legend_x4.png");
    EXPECT_NE(legend.find("motor_start.adf"), std::string::npos) << legend;
    EXPECT_NE(legend.find("speed_rpm"), std::string::npos) << legend;
}
