// The chart control drawing on the image back end: lines, clipping, bars,
// swarms, log axes and the faults of the plot pass, checked pixel by pixel.
#include "ChartFixture.h"

#include <chrono>

namespace {
constexpr double kPi = 3.14159265358979;
}

// ---- lines

TEST_F(ChartFixture, AutomaticPenDrawsOnePixelLinesOnSmallCharts) {
    chart.Resize_(300, 200); // 300 + 200 < 600: pen width 0
    Load(Range(200, 0, 10), {std::vector<float>(200, 1.0f)});
    chart.Plot(true);
    ASSERT_TRUE(messages.empty());
    const SPlotRect& p = chart.PlotRect;
    ASSERT_FALSE(p.Empty());
    const int mid = (p.left + p.right) / 2;
    EXPECT_EQ(RowsIn(mid, kCurve), std::vector<int>{RowOf(1.0)});
}

TEST_F(ChartFixture, ThickPenDrawsTwoPixelLines) {
    chart.Resize_(300, 200);
    chart.PlotPenWidth = pwThick;
    Load(Range(200, 0, 10), {std::vector<float>(200, 1.0f)});
    chart.Plot(true);
    const SPlotRect& p = chart.PlotRect;
    EXPECT_EQ(RowsIn((p.left + p.right) / 2, kCurve).size(), 2u);
}

TEST_F(ChartFixture, SineFollowsItsSamplesAndStaysInsideThePlot) {
    chart.Resize_(500, 300);
    const auto xs = Range(2001, 0, 2 * kPi);
    Load(xs, {Map(xs, [](double v) { return std::sin(v); })});
    chart.Plot(true);
    ASSERT_TRUE(messages.empty());
    // Rounded axis -1..1 over 0..7 (or so): the peak row at x = pi/2.
    const std::vector<int> rows = RowsIn(ColumnOf(kPi / 2), kCurve);
    ASSERT_FALSE(rows.empty());
    EXPECT_NEAR(rows.front(), RowOf(1.0), 1);
    const std::vector<int> zero = RowsIn(ColumnOf(kPi), kCurve);
    ASSERT_FALSE(zero.empty());
    EXPECT_NEAR(zero.front(), RowOf(0.0), 2);
    EXPECT_EQ(CountOutsidePlot(kCurve), 0);
    EXPECT_GT(chart.SegmentCount, 20);
    EXPECT_LT(chart.SegmentCount, 2000); // merged: about one per column
}

TEST_F(ChartFixture, ZoomedCurveIsClippedAtThePlotEdges) {
    chart.Resize_(500, 300);
    const auto xs = Range(2001, 0, 2 * kPi);
    Load(xs, {Map(xs, [](double v) { return std::sin(v); })});
    chart.Plot(true);
    // A manual range that cuts the peaks off: segments leave through the top and bottom.
    FloatRect2 r = chart.DispRect;
    r.yLeftUpper = 0.5f;
    r.yLeftLower = -0.5f;
    r.xLower = 1.0f;
    r.xUpper = 5.0f;
    chart.DispRect = r;
    chart.ManualScale = true;
    chart.Zoomed = true;
    chart.Plot(false);
    ASSERT_TRUE(messages.empty());
    const SPlotRect& p = chart.PlotRect;
    EXPECT_EQ(CountOutsidePlot(kCurve), 0);
    // The clipped segments reach the edges they cross.
    EXPECT_GT(Count(kCurve, p.left + 1, p.top, p.right - 1, p.top + 1), 0);
    EXPECT_GT(Count(kCurve, p.left + 1, p.bottom - 1, p.right - 1, p.bottom), 0);
    // No line along the edge between the exit and the re-entry (around pi/2).
    EXPECT_EQ(Count(kCurve, ColumnOf(kPi / 2) - 3, p.top, ColumnOf(kPi / 2) + 3, p.top), 0);
}

TEST_F(ChartFixture, NonFiniteSamplesAreGaps) {
    chart.Resize_(400, 300);
    auto xs = Range(101, 0, 100);
    std::vector<float> y(101, 1.0f);
    y[0] = 0.0f;
    y[100] = 2.0f;
    for (int i = 45; i <= 55; ++i)
        y[i] = NAN;
    y[60] = INFINITY;
    Load(xs, {y});
    chart.Plot(true);
    ASSERT_TRUE(messages.empty());
    EXPECT_EQ(chart.Axes.yLeft.lowerData, 0.0f);
    EXPECT_EQ(chart.Axes.yLeft.upperData, 2.0f);
    EXPECT_TRUE(RowsIn(ColumnOf(50), kCurve).empty());
    EXPECT_FALSE(RowsIn(ColumnOf(30), kCurve).empty());
    EXPECT_FALSE(RowsIn(ColumnOf(70), kCurve).empty());
}

// ---- faults of the plot pass

TEST_F(ChartFixture, PlotWithoutRoomDrawsNoCurvesAndEnds) {
    chart.Resize_(40, 30);
    const auto xs = Range(1000, 0, 1);
    Load(xs, {Map(xs, [](double v) { return v * v; })});
    chart.Plot(true);
    EXPECT_TRUE(chart.PlotRect.Empty());
    EXPECT_EQ(CountAll(kCurve), 0);
    chart.PlotType = ptBar;
    chart.Plot(true);
    EXPECT_EQ(CountAll(clRed), 0);
    chart.PlotType = ptSwarm;
    chart.Plot(true);
    EXPECT_EQ(CountAll(kCurve), 0);
}

TEST_F(ChartFixture, ResizeAfterAFailedScalingNeitherPlotsNorRepeatsTheMessage) {
    chart.Resize_(400, 300);
    const auto xs = Range(500, 0, 10);
    Load(xs, {Map(xs, [](double v) { return std::sin(v); })});
    chart.Plot(true);
    ASSERT_TRUE(messages.empty());
    const int drawn = CountAll(kCurve);
    chart.SetYScaleType(stLog);
    chart.Plot(true); // the full range holds negative values
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("y-axis"), std::string::npos);
    EXPECT_EQ(CountAll(kCurve), drawn); // the previous picture stays
    chart.Resize_(410, 300);
    chart.Resize_(420, 310);
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(CountAll(kCurve), drawn); // no plot with unscaled log axes
    chart.SetYScaleType(stLin);
    chart.Resize_(400, 300);
    EXPECT_GT(CountAll(kCurve), 0);
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(ChartFixture, ConstantOneOnALogAxisSpansOneDecade) {
    chart.Resize_(400, 300);
    chart.SetYScaleType(stLog);
    Load(Range(50, 1, 50), {std::vector<float>(50, 1.0f)});
    chart.Plot(true);
    ASSERT_TRUE(messages.empty());
    EXPECT_EQ(chart.Axes.yLeft.lowDecade, 0);
    EXPECT_EQ(chart.Axes.yLeft.highDecade, 1);
    const SPlotRect& p = chart.PlotRect;
    // 10^0 is the bottom of the axis.
    EXPECT_EQ(RowsIn((p.left + p.right) / 2, kCurve), std::vector<int>{p.bottom});
}

TEST_F(ChartFixture, SamplesAtOrBelowZeroOnALogAxisBreakTheLine) {
    chart.Resize_(400, 300);
    const auto xs = Range(1001, 0, 2 * kPi);
    Load(xs, {Map(xs, [](double v) { return std::sin(v); })});
    chart.Plot(true);
    chart.SetYScaleType(stLog);
    // A manual positive range, as after a zoom into the upper half.
    FloatRect2 r = chart.DispRect;
    r.yLeftLower = 0.01f;
    r.yLeftUpper = 1.0f;
    chart.DispRect = r;
    chart.ManualScale = true;
    chart.Zoomed = true;
    chart.Plot(false);
    ASSERT_TRUE(messages.empty());
    EXPECT_GT(CountAll(kCurve), 0);
    EXPECT_EQ(CountOutsidePlot(kCurve), 0);
    // The negative half (pi..2pi) draws nothing, not a line along the bottom.
    const SPlotRect& p = chart.PlotRect;
    EXPECT_TRUE(RowsIn(ColumnOf(1.5 * kPi), kCurve).empty());
    EXPECT_EQ(Count(kCurve, ColumnOf(3.3), p.top, ColumnOf(6.0), p.bottom), 0);
}

TEST_F(ChartFixture, NotTimeXDrawsEverySample) {
    chart.Resize_(400, 300);
    // A closed curve: x is not monotonic, every sample is drawn.
    const auto t = Range(721, 0, 2 * kPi);
    Load(Map(t, [](double v) { return std::cos(v); }),
         {Map(t, [](double v) { return std::sin(v); })}, false, false);
    chart.Plot(true);
    EXPECT_EQ(chart.FirstVisible[0], 0);
    EXPECT_EQ(chart.LastVisible[0], 720);
    EXPECT_FALSE(RowsIn(ColumnOf(0.0), kCurve).empty());
    EXPECT_EQ(RowsIn(ColumnOf(0.0), kCurve).size() >= 2, true); // top and bottom of the circle
}

TEST_F(ChartFixture, UnequallySpacedFileFillsThePixelTable) {
    chart.Resize_(400, 300);
    std::vector<float> xs{0, 1, 2, 4, 8, 16};
    Load(xs, {std::vector<float>{0, 1, 2, 3, 4, 5}}, true);
    chart.Plot(true);
    ASSERT_EQ(chart.PixelToIndex.rows(), 1);
    const int D = chart.PlotRect.right - chart.PlotRect.left;
    EXPECT_EQ(chart.PixelToIndex.cols(), D + 1);
    EXPECT_EQ(chart.PixelToIndex[0][0], 0);
    EXPECT_EQ(chart.PixelToIndex[0][D], 5);
}

// ---- bars and swarms

TEST_F(ChartFixture, SpectrumBarsAreSevenTenthsOfTheirSpacingWide) {
    chart.Resize_(500, 300);
    chart.PlotType = ptBar;
    const auto f = Range(41, 0, 2000); // 50 Hz spacing
    Load(f, {Map(f, [](double v) { return 100.0 - v / 40; })});
    chart.Plot(true);
    ASSERT_TRUE(messages.empty());
    const SPlotRect& p = chart.PlotRect;
    const int D = p.right - p.left;
    const int width = int(0.7 * D * 50 / 2000);
    ASSERT_GE(width, 3);
    // The bar at 1000 Hz: a black frame around red, `width` pixels in all.
    const int row = p.bottom - 3;
    const int centre =
        int((1000 - chart.Axes.x.lowerData) * chart.ScalePx[0] + 0.5) + p.left + chart.BarMarginPx;
    int l = centre, r = centre;
    while (Pixel(l - 1, row) != clWhite && l > p.left)
        --l;
    while (Pixel(r + 1, row) != clWhite && r < p.right)
        ++r;
    EXPECT_EQ(r - l + 1, width);
    EXPECT_EQ(Pixel(l, row), clBlack);
    EXPECT_EQ(Pixel(r, row), clBlack);
    EXPECT_EQ(Count(clRed, l, row, r, row), width - 2);
    EXPECT_EQ(CountOutsidePlot(clRed), 0);
}

TEST_F(ChartFixture, OneVisibleBarIsDrawnWithoutHanging) {
    chart.Resize_(400, 300);
    chart.PlotType = ptBar;
    const auto f = Range(32, 0, 31);
    Load(f, {Map(f, [](double v) { return 1 + v; })});
    chart.Plot(true);
    FloatRect2 r = chart.DispRect;
    r.xLower = 32.0f; // beyond the last order: first = last, one bar
    r.xUpper = 35.0f;
    chart.DispRect = r;
    chart.ManualScale = true;
    chart.Zoomed = true;
    const auto t0 = std::chrono::steady_clock::now();
    chart.Plot(false);
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(5));
    EXPECT_EQ(chart.FirstVisible[0], 31);
    EXPECT_EQ(chart.LastVisible[0], 31);
    EXPECT_GT(chart.Axes.x.pixelLength, 0);
    EXPECT_GT(CountAll(clRed), 0);
    EXPECT_EQ(CountOutsidePlot(clRed), 0);
}

TEST_F(ChartFixture, SwarmDrawsInsidePointsOnly) {
    chart.Resize_(400, 300);
    chart.PlotType = ptSwarm;
    const auto xs = Range(11, 0, 10);
    Load(xs, {Map(xs, [](double v) { return v; })});
    chart.Plot(true);
    EXPECT_EQ(CountAll(kCurve), 11);
    EXPECT_EQ(Pixel(ColumnOf(5), RowOf(5)), kCurve);
    FloatRect2 r = chart.DispRect;
    r.xLower = 2.5f;
    r.xUpper = 10.0f;
    r.yLeftLower = 2.5f;
    chart.DispRect = r;
    chart.ManualScale = true;
    chart.Plot(false);
    EXPECT_EQ(CountAll(kCurve), 8); // 3 .. 10; the first visible sample 2 lies outside
    EXPECT_EQ(CountOutsidePlot(kCurve), 0);
    chart.SwarmPointSize = ssSquare;
    chart.Plot(false);
    EXPECT_EQ(CountOutsidePlot(kCurve), 0);
}

TEST_F(ChartFixture, WithoutDataResizeOnlyLaysOutAndPlotReportsIt) {
    chart.Resize_(400, 300);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(CountAll(kCurve), 0);
    chart.Plot(true);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Unexpected Error \"Not Got Data\" in TLineChart");
}
