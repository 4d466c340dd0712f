// Layout arithmetic of the chart control: sizes, budgets, plot rectangle, bar margin.
#include "ChartLayout.h"

#include <gtest/gtest.h>

TEST(ChartDesign, TickLengthsAndFontsFollowTheChartSize) {
    const SDesign big = DesignSizes(1000, 700);
    EXPECT_EQ(big.xTickLength, 10); // 0.015 x 700
    EXPECT_EQ(big.yTickLength, 10); // 0.01 x 1000
    EXPECT_EQ(big.labelFontSize, 14);
    EXPECT_EQ(big.exponentFontSize, 10);
    const SDesign small = DesignSizes(300, 200);
    EXPECT_EQ(small.xTickLength, 4);
    EXPECT_EQ(small.yTickLength, 4);
    EXPECT_EQ(small.labelFontSize, 8); // 5 is below 9
    EXPECT_EQ(small.exponentFontSize, 6);
}

TEST(ChartDesign, TickBudgetsAreAtMostFourAndNegativeOnTinyCharts) {
    EXPECT_EQ(YTickBudget(700, 16), 4);
    EXPECT_EQ(YTickBudget(100, 16), -1); // (6 / 2) - 4
    EXPECT_EQ(XTickBudget(1000, 40, 1.0), 4);
    EXPECT_EQ(XTickBudget(120, 40, 0.4), -2);
    EXPECT_EQ(YTickBudget(100, 0), 0);
    EXPECT_EQ(XTickBudget(100, 0, 1.0), 0);
}

TEST(ChartDesign, AutomaticPenIsOnePixelBelow600) {
    EXPECT_EQ(PlotPenWidthFor(pwAuto, 300, 200), 0);
    EXPECT_EQ(PlotPenWidthFor(pwAuto, 1000, 700), 2);
    EXPECT_EQ(PlotPenWidthFor(pwThin, 1000, 700), 1);
    EXPECT_EQ(PlotPenWidthFor(pwThick, 10, 10), 2);
}

TEST(ChartLayoutRect, LabelsTicksAndLegendShrinkThePlot) {
    SLayoutInput in;
    in.chartRight = 400, in.chartBottom = 300, in.plotTop = 15;
    in.yTickLength = 4, in.xTickLength = 4;
    in.leftLabelWidth = 30, in.xLabelWidth = 20, in.smallGap = 3, in.charHeight = 14;
    const SPlotRect r = PlotRectangle(in);
    EXPECT_EQ(r.left, 39);        // 6 + 30 + 3
    EXPECT_EQ(r.right, 400 - 13); // max(13, 9)
    EXPECT_EQ(r.bottom, 300 - 14 - 4 - 2);
    EXPECT_FALSE(r.Empty());
    in.legendHeight = 300; // a tall legend on a small chart
    EXPECT_TRUE(PlotRectangle(in).Empty());
}

TEST(ChartLayoutRect, BarMarginKeepsAnAxisForOneVisibleBar) {
    EXPECT_EQ(BarMargin(400, 40), 4);                // 168 / 40.84
    EXPECT_EQ(BarMargin(400, 0), BarMargin(400, 1)); // not D / 2
    EXPECT_LT(2 * BarMargin(400, 0), 400);
    EXPECT_EQ(BarMargin(10, 1000), 1); // at least one pixel
}
