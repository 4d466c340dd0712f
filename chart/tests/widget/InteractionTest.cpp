// Zoom, unzoom, data cursor and its values, driven by synthesised mouse
// and key events on the chart's picture and cursor line.
#include "ChartFixture.h"
#include "MultiFile.h"

#include "Image.h"
#include "Shape.h"

#include <cmath>

namespace {

constexpr WORD kLeft = 37, kRight = 39;

struct Events {
    std::vector<bool> zoom;
    std::vector<std::vector<float>> x;  // per event, per file
    std::vector<std::vector<float>> y0; // per event, first curve of each file
};

class InteractionFixture : public ChartFixture {
protected:
    Events ev;
    MultiFile multi;

    InteractionFixture() {
        chart.Resize_(500, 300);
        chart.OnZoomStateChange = [this](TObject* s, bool z) {
            EXPECT_EQ(s, &chart);
            ev.zoom.push_back(z);
        };
        chart.OnValuesChange = [this](TObject* s, XYValues v) {
            EXPECT_EQ(s, &chart);
            std::vector<float> xs, ys;
            for (int f = 0; f < chart.NFiles; ++f) {
                xs.push_back(v.X[f]);
                ys.push_back(v.Y[f][0]);
            }
            ev.x.push_back(xs);
            ev.y0.push_back(ys);
        };
    }
    void Drag(int x1, int y1, int x2, int y2, TMouseButton b = mbLeft) {
        TImage& im = chart.Image();
        im.HandleMouseDown(b, 0, x1, y1);
        im.HandleMouseMove(0, (x1 + x2) / 2, (y1 + y2) / 2);
        im.HandleMouseMove(0, x2, y2);
        im.HandleMouseUp(b, 0, x2, y2);
    }
    void RightClick(int x, int y) {
        chart.Image().HandleMouseDown(mbRight, 0, x, y);
        chart.Image().HandleMouseUp(mbRight, 0, x, y);
    }
    double XAt(int column) {
        return chart.Axes.x.lowerData + (column - chart.PlotRect.left) / chart.ScalePx[0];
    }
    void LoadSine() {
        const auto xs = Range(1001, 0, 10);
        Load(xs, {Map(xs, [](double v) { return std::sin(v); })});
        chart.Plot(true);
        ASSERT_TRUE(messages.empty());
    }
    // Two files: 0..10 s and a shorter one 0..5 s, or shifted to start later.
    void LoadTwo(float shortStart, float shortEnd, bool unequalShort = false) {
        const auto x0 = Range(101, 0, 10);
        multi.Add(x0, {Map(x0, [](double v) { return 2 * v; })});
        const auto x1 = Range(51, shortStart, shortEnd);
        multi.Add(x1, {Map(x1, [](double v) { return 100 + v; })}, unequalShort);
        multi.Give(chart, {kCurve, RGB(200, 0, 0)});
        chart.Plot(true);
        ASSERT_TRUE(messages.empty());
    }
};

} // namespace

// ---- zoom

TEST_F(InteractionFixture, DragDownRightZoomsToTheBandAndReports) {
    LoadSine();
    const SPlotRect p = chart.PlotRect;
    const double a = XAt(p.left + 100), b = XAt(p.left + 200);
    Drag(p.left + 100, p.top + 20, p.left + 200, p.bottom - 20);
    EXPECT_TRUE(chart.Zoomed);
    ASSERT_EQ(ev.zoom, std::vector<bool>{true});
    EXPECT_LE(chart.DispRect.xLower, a + 1e-4);
    EXPECT_GE(chart.DispRect.xUpper, b - 1e-4);
    EXPECT_LT(chart.DispRect.xUpper - chart.DispRect.xLower, 0.5 * 10);
    EXPECT_EQ(chart.ZoomShape().Width(), 0);
    EXPECT_FALSE(chart.Zooming);
}

TEST_F(InteractionFixture, BandsDrawnUpOrLeftOrWithoutSizeAreDropped) {
    LoadSine();
    const SPlotRect p = chart.PlotRect;
    const FloatRect2 before = chart.DispRect;
    Drag(p.left + 200, p.top + 100, p.left + 100, p.top + 150); // leftwards
    Drag(p.left + 100, p.top + 100, p.left + 200, p.top + 50);  // upwards
    Drag(p.left + 100, p.top + 100, p.left + 80, p.top + 60);   // up and left
    Drag(p.left + 100, p.top + 100, p.left + 100, p.top + 100); // a click
    EXPECT_TRUE(ev.zoom.empty());
    EXPECT_FALSE(chart.Zoomed);
    EXPECT_EQ(chart.DispRect.xLower, before.xLower);
    EXPECT_EQ(chart.DispRect.xUpper, before.xUpper);
    EXPECT_EQ(chart.ZoomShape().Width(), 0);
}

TEST_F(InteractionFixture, BandsWhollyInTheMarginsAreDroppedNotTurnedAround) {
    LoadSine();
    const SPlotRect p = chart.PlotRect;
    Drag(2, p.top + 10, p.left - 3, p.bottom - 10);                    // over the y labels
    Drag(p.left + 10, p.bottom + 3, p.right - 10, chart.Height() - 2); // over the x labels
    Drag(p.right + 2, p.top + 10, chart.Width() - 1, p.bottom - 10);   // right of the plot
    EXPECT_TRUE(ev.zoom.empty());
    EXPECT_FALSE(chart.Zoomed);
    EXPECT_TRUE(messages.empty());
}

TEST_F(InteractionFixture, BandsReachingIntoTheMarginsAreHeldAtThePlotEdges) {
    LoadSine();
    const SPlotRect p = chart.PlotRect;
    const FloatRect2 r = chart.GiveZoomRect(0, 0, p.left + 150, chart.Height());
    EXPECT_FLOAT_EQ(r.xLower, chart.Axes.x.lowerData);
    EXPECT_FLOAT_EQ(r.yLeftLower, chart.Axes.yLeft.lowerData);
    EXPECT_NEAR(r.yLeftUpper, chart.Axes.yLeft.upperData, 1e-5);
    EXPECT_LT(r.xLower, r.xUpper);
    // And from inside out to the far corner.
    const FloatRect2 s = chart.GiveZoomRect(p.left + 50, p.top + 30, chart.Width(), chart.Height());
    EXPECT_LT(s.xLower, s.xUpper);
    EXPECT_LT(s.yLeftLower, s.yLeftUpper);
    EXPECT_NEAR(s.xUpper, chart.Axes.x.upperData, 1e-4);
    Drag(0, 0, p.left + 150, chart.Height() - 1);
    EXPECT_EQ(ev.zoom, std::vector<bool>{true});
    EXPECT_LT(chart.DispRect.xLower, chart.DispRect.xUpper);
    EXPECT_LT(chart.DispRect.yLeftLower, chart.DispRect.yLeftUpper);
}

TEST_F(InteractionFixture, RightYRangeOfALogChartFollowsTheLogScale) {
    const auto xs = Range(201, 1, 100);
    Load(xs, {xs, Map(xs, [](double v) { return v * v; })});
    curves[1].axis = 1;
    chart.SetYScaleType(stLog);
    chart.Plot(true);
    ASSERT_TRUE(messages.empty());
    ASSERT_TRUE(chart.SecondYAxis);
    const SPlotRect p = chart.PlotRect;
    const int len = chart.Axes.yLeft.pixelLength;
    const FloatRect2 r =
        chart.GiveZoomRect(p.left + 10, p.top + len / 4, p.left + 200, p.top + len / 2);
    const SAxis& ar = chart.Axes.yRight;
    const double lo =
        std::pow(10.0, ar.lowDecade + (p.bottom - (p.top + len / 2)) / chart.ScalePx[2]);
    const double hi =
        std::pow(10.0, ar.lowDecade + (p.bottom - (p.top + len / 4)) / chart.ScalePx[2]);
    EXPECT_NEAR(r.yRightLower / lo, 1.0, 1e-4);
    EXPECT_NEAR(r.yRightUpper / hi, 1.0, 1e-4);
    // A zoom over the log chart's labels neither crashes nor inverts.
    Drag(2, 2, p.left + 100, chart.Height() - 1);
    EXPECT_LT(chart.DispRect.yRightLower, chart.DispRect.yRightUpper);
    EXPECT_LT(chart.DispRect.yLeftLower, chart.DispRect.yLeftUpper);
}

TEST_F(InteractionFixture, RightClickUnzoomsOnlyWhenZoomedOrMarked) {
    LoadSine();
    const FloatRect2 full = chart.DispRect;
    RightClick(200, 100);
    EXPECT_TRUE(ev.zoom.empty());
    const SPlotRect p = chart.PlotRect;
    Drag(p.left + 50, p.top + 20, p.left + 150, p.bottom - 20);
    ASSERT_TRUE(chart.Zoomed);
    RightClick(200, 100);
    EXPECT_FALSE(chart.Zoomed);
    EXPECT_EQ(ev.zoom, (std::vector<bool>{true, false}));
    EXPECT_FLOAT_EQ(chart.DispRect.xLower, full.xLower);
    EXPECT_FLOAT_EQ(chart.DispRect.xUpper, full.xUpper);
    // Marks alone also make the right button clear them.
    chart.MarkAuto();
    RightClick(200, 100);
    EXPECT_FALSE(chart.AreThereAnyMarks());
    EXPECT_EQ(ev.zoom.size(), 3u);
}

TEST_F(InteractionFixture, BarZoomUnderThreeUnitsIsRefused) {
    const auto xs = Range(32, 0, 31);
    Load(xs, {Map(xs, [](double v) { return 1 + v; })});
    chart.PlotType = ptBar;
    chart.Plot(true);
    const FloatRect2 before = chart.DispRect;
    const SPlotRect p = chart.PlotRect;
    Drag(p.left + 100, p.top + 10, p.left + 104, p.bottom - 10);
    EXPECT_EQ(messages, std::vector<std::string>{"Zoom Rectangle too small!"});
    EXPECT_TRUE(ev.zoom.empty());
    EXPECT_EQ(chart.DispRect.xLower, before.xLower);
    EXPECT_EQ(chart.DispRect.xUpper, before.xUpper);
}

// ---- data cursor and values

TEST_F(InteractionFixture, ShowingTheCursorCentresItAndReportsValues) {
    LoadSine();
    chart.SetDataCursorVisible(true);
    EXPECT_TRUE(chart.CursorLine().Visible());
    EXPECT_EQ(chart.CursorLine().Left(), (chart.PlotRect.left + chart.PlotRect.right) / 2);
    ASSERT_EQ(ev.x.size(), 1u);
    const double v = XAt(chart.CursorLine().Left());
    EXPECT_NEAR(ev.x[0][0], v, 0.011); // the nearest of samples 0.01 apart
    EXPECT_NEAR(ev.y0[0][0], std::sin(ev.x[0][0]), 1e-5);
    chart.SetLinearInterpolation(true);
    ASSERT_EQ(ev.x.size(), 2u);
    EXPECT_NEAR(ev.x[1][0], v, 1e-4);
    EXPECT_NEAR(ev.y0[1][0], std::sin(v), 1e-4);
}

TEST_F(InteractionFixture, CtrlArrowsMoveTheCursorThreePixelsAndArrowsOne) {
    LoadSine();
    chart.SetDataCursorVisible(true);
    const int start = chart.CursorLine().Left();
    WORD key = kRight;
    chart.KeyDown(key, ssCtrl);
    EXPECT_EQ(key, 0);
    EXPECT_EQ(chart.CursorLine().Left(), start + 3);
    key = kLeft;
    chart.KeyDown(key, 0);
    EXPECT_EQ(chart.CursorLine().Left(), start + 2);
    key = 'A';
    chart.KeyDown(key, 0);
    EXPECT_EQ(key, 'A');
    EXPECT_EQ(ev.x.size(), 4u); // shown, and each key
    // Keys may take the line past the plot edge; values stay at the last sample.
    for (int i = 0; i < 100; ++i) {
        key = kRight;
        chart.KeyDown(key, ssCtrl);
    }
    EXPECT_GT(chart.CursorLine().Left(), chart.PlotRect.right);
    EXPECT_FLOAT_EQ(ev.x.back()[0], 10.0f);
}

TEST_F(InteractionFixture, DraggingTheLineSnapsToSamplesAndStaysInThePlot) {
    const auto xs = Range(21, 0, 10); // samples 0.5 apart: columns far apart
    Load(xs, {xs});
    chart.Plot(true);
    chart.SetDataCursorVisible(true);
    TShape& line = chart.CursorLine();
    const int l = line.Left();
    chart.Image().HandleMouseMove(0, l + 2, 100);
    EXPECT_EQ(chart.Cursor(), crSizeWE);
    // Pressed on the line itself: its events come in its own coordinates.
    line.HandleMouseDown(mbLeft, 0, 0, 50);
    EXPECT_TRUE(chart.CursorDragging);
    chart.Image().HandleMouseMove(0, chart.PlotRect.left + 37, 100);
    const float x = ev.x.back()[0];
    EXPECT_FLOAT_EQ(x * 2, std::round(x * 2)); // a sample
    EXPECT_NEAR(line.Left(), ColumnOf(x), 1);
    chart.Image().HandleMouseMove(0, chart.Width() + 50, 100);
    EXPECT_LE(line.Left(), chart.PlotRect.right);
    chart.Image().HandleMouseMove(0, -50, 100);
    EXPECT_GE(line.Left(), chart.PlotRect.left);
    chart.Image().HandleMouseUp(mbLeft, 0, -50, 100);
    EXPECT_FALSE(chart.CursorDragging);
    EXPECT_FALSE(chart.Zoomed);
}

TEST_F(InteractionFixture, BeyondAShorterFilesEndNoValueInBothModes) {
    LoadTwo(0, 5);
    for (bool interpolate : {false, true}) {
        const XYValues v = chart.GiveValues(chart.PlotRect.right - 5, interpolate);
        EXPECT_FLOAT_EQ(v.X[1], TLineChart::kNoValue) << interpolate;
        EXPECT_FLOAT_EQ(v.Y[1][0], TLineChart::kNoValue) << interpolate;
        EXPECT_NEAR(v.Y[0][0], 2 * v.X[0], 1e-3);
        // Just past the end and at the very end of the longer file.
        const XYValues w = chart.GiveValues(chart.PlotRect.right + 40, interpolate);
        EXPECT_FLOAT_EQ(w.X[0], 10.0f);
        EXPECT_FLOAT_EQ(w.Y[0][0], 20.0f);
    }
}

TEST_F(InteractionFixture, BeforeAShiftedFilesStartTheFirstSample) {
    LoadTwo(4, 9, true);
    for (bool interpolate : {false, true}) {
        const XYValues v = chart.GiveValues(chart.PlotRect.left + 3, interpolate);
        EXPECT_FLOAT_EQ(v.X[1], 4.0f);
        EXPECT_FLOAT_EQ(v.Y[1][0], 104.0f);
        const XYValues w = chart.GiveValues(chart.PlotRect.left - 30, interpolate);
        EXPECT_FLOAT_EQ(w.Y[1][0], 104.0f);
    }
    // Inside the shifted file, interpolated between its samples.
    const int col = ColumnOf(6.05);
    const XYValues v = chart.GiveValues(col, true);
    EXPECT_NEAR(v.Y[1][0], 100 + v.X[1], 1e-3);
}

TEST_F(InteractionFixture, DuplicateTimeStampsNeverDivideByZero) {
    std::vector<float> xs = {0, 1, 1, 1, 2, 3, 3, 4, 5, 6};
    std::vector<float> y = {0, 1, 5, 9, 2, 3, 7, 4, 5, 6};
    Load(xs, {y}, true);
    chart.Plot(true);
    for (int c = chart.PlotRect.left - 5; c <= chart.PlotRect.right + 5; ++c) {
        const XYValues v = chart.GiveValues(c, true);
        ASSERT_TRUE(std::isfinite(v.Y[0][0])) << c;
        ASSERT_TRUE(std::isfinite(v.X[0])) << c;
    }
}
