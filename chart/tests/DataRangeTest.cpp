#include "DataRange.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

TEST(DataRange, NonFiniteSamplesAreIgnored) {
    const std::vector<float> v{NAN, 3, -INFINITY, -2, INFINITY, 7, NAN};
    const SMinMax r = minmax(v.data(), static_cast<std::int64_t>(v.size()));
    EXPECT_TRUE(r.any);
    EXPECT_EQ(r.min, -2);
    EXPECT_EQ(r.max, 7);
    const std::vector<float> none{NAN, INFINITY};
    EXPECT_FALSE(minmax(none.data(), 2).any);
    EXPECT_FALSE(minmax(v.data(), 0).any);
}

TEST(DataRange, AllCurvesOnTheRightMoveToTheLeft) {
    std::vector<SCurveParam> c{{0, 1, 0}, {0, 1, 0}};
    EXPECT_FALSE(AssignYAxes(c));
    EXPECT_EQ(c[0].axis + c[1].axis, 0);
    c[1].axis = 1;
    EXPECT_TRUE(AssignYAxes(c));
    EXPECT_EQ(c[1].axis, 1);
}

TEST(DataRange, FullRectangleMergesFilesAndAxes) {
    const std::vector<float> x0{0, 1, 2}, x1{-1, NAN, 5};
    const std::vector<float> a{1, 2, NAN}, b{-3, 0, 0}, c{10, 20, 30}, d{NAN, NAN, NAN};
    const float* y0[] = {a.data(), b.data()};
    const float* y1[] = {c.data(), d.data()};
    const float* xs[] = {x0.data(), x1.data()};
    const float* const* ys[] = {y0, y1};
    const int curves[] = {2, 2}, points[] = {3, 3};
    SCurveParam desc[] = {{0, 0, 0}, {0, 0, 0}, {0, 1, 0}, {0, 1, 0}};
    SChartData data{2, curves, points, xs, ys, desc};
    float full[6] = {};
    FloatRect2 shown{};
    FullDataRect(data, full, shown);
    EXPECT_EQ(data.totalCurves(), 4);
    EXPECT_EQ(full[0], -1);
    EXPECT_EQ(full[1], 5);
    EXPECT_EQ(shown.yLeftUpper, 2);
    EXPECT_EQ(shown.yLeftLower, -3);
    EXPECT_EQ(shown.yRightUpper, 30);
    EXPECT_EQ(shown.yRightLower, 10);

    desc[2].axis = desc[3].axis = 0; // no right curves: right entries kept
    shown.yRightUpper = 99;
    FullDataRect(data, full, shown);
    EXPECT_EQ(shown.yRightUpper, 99);
    EXPECT_EQ(shown.yLeftUpper, 30);
}
