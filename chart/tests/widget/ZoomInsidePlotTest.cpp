// A band dragged wholly inside the plot: each y axis keeps its own scale, so
// the middle half of the plot's height selects the middle half of each y
// range. (Bands at the plot's edges, checked elsewhere, only see clamped ends.)
#include "ChartFixture.h"

#include "Image.h"

#include <cmath>

namespace {

class ZoomInsidePlot : public ChartFixture {
protected:
    ZoomInsidePlot() { chart.Resize_(500, 300); }

    void Drag(int x1, int y1, int x2, int y2) {
        TImage& im = chart.Image();
        im.HandleMouseDown(mbLeft, 0, x1, y1);
        im.HandleMouseMove(0, x2, y2);
        im.HandleMouseUp(mbLeft, 0, x2, y2);
    }
};

} // namespace

TEST_F(ZoomInsidePlot, TheMiddleHalfOfTheHeightSelectsTheMiddleHalfOfBothYRanges) {
    // x 0..10 s; left axis 0..100 (a ramp), right axis -1..1 (a sine): three
    // scales of different sizes, so one taken for another shows at once.
    const auto xs = Range(501, 0, 10);
    Load(xs,
         {Map(xs, [](double v) { return 10 * v; }), Map(xs, [](double v) { return std::sin(v); })});
    curves[1].axis = 1;
    chart.Plot(true);
    ASSERT_TRUE(messages.empty());
    ASSERT_TRUE(chart.SecondYAxis);
    const SAxis left = chart.Axes.yLeft, right = chart.Axes.yRight;
    ASSERT_FLOAT_EQ(left.lowerData, 0);
    ASSERT_FLOAT_EQ(left.upperData, 100);
    ASSERT_FLOAT_EQ(right.lowerData, -1);
    ASSERT_FLOAT_EQ(right.upperData, 1);

    // A quarter of the height in from the top and from the bottom, a quarter
    // of the width in from each side.
    const SPlotRect p = chart.PlotRect;
    const int h = left.pixelLength, w = chart.Axes.x.pixelLength;
    const int x1 = p.left + w / 4, x2 = p.left + 3 * w / 4;
    const int y1 = p.bottom - 3 * h / 4, y2 = p.bottom - h / 4;
    // One pixel's worth of each range, for the integer quarters.
    const double leftPixel = 100.0 / h, rightPixel = 2.0 / h;

    const FloatRect2 band = chart.GiveZoomRect(x1, y1, x2, y2);
    EXPECT_NEAR(band.xLower, 2.5, 10.0 / w);
    EXPECT_NEAR(band.xUpper, 7.5, 10.0 / w);
    EXPECT_NEAR(band.yLeftLower, 25, leftPixel);
    EXPECT_NEAR(band.yLeftUpper, 75, leftPixel);
    EXPECT_NEAR(band.yRightLower, -0.5, rightPixel);
    EXPECT_NEAR(band.yRightUpper, 0.5, rightPixel);

    // The same band dragged with the mouse: each y axis now shows the band's
    // range, its ends rounded outwards to ticks but by less than the quarter
    // of the former range that the band left out.
    Drag(x1, y1, x2, y2);
    ASSERT_TRUE(chart.Zoomed);
    ASSERT_TRUE(messages.empty());
    const SAxis& l = chart.Axes.yLeft;
    const SAxis& r = chart.Axes.yRight;
    EXPECT_TRUE(l.lowerData > 12.5 && l.lowerData <= 25 + leftPixel) << l.lowerData;
    EXPECT_TRUE(l.upperData >= 75 - leftPixel && l.upperData < 87.5) << l.upperData;
    EXPECT_TRUE(r.lowerData > -0.75 && r.lowerData <= -0.5 + rightPixel) << r.lowerData;
    EXPECT_TRUE(r.upperData >= 0.5 - rightPixel && r.upperData < 0.75) << r.upperData;
}
