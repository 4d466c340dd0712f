#include "PixelIndex.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

TEST(Spacing, FilesThatCannotUseTheStepAreUnequallySpaced) {
    const float one[] = {1};
    const float dup[] = {1, 1, 2};
    const float down[] = {2, 1, 0};
    const float nan[] = {NAN, 1, 2};
    const float ok[] = {0, 0.5f, 1};
    EXPECT_TRUE(IsUnequallySpaced(false, one, 1));
    EXPECT_TRUE(IsUnequallySpaced(false, dup, 3));
    EXPECT_TRUE(IsUnequallySpaced(false, down, 3));
    EXPECT_TRUE(IsUnequallySpaced(false, nan, 3));
    EXPECT_FALSE(IsUnequallySpaced(false, ok, 3));
    EXPECT_TRUE(IsUnequallySpaced(true, ok, 3));
}

TEST(VisibleRange, ZoomInsideOneIntervalKeepsBothNeighbours) {
    const std::vector<float> x{0, 1, 2, 3, 4, 5};
    const SVisibleRange r = VisibleRange(x.data(), 6, true, true, 2.3f, 2.7f, 0, 0);
    EXPECT_EQ(r.first, 2);
    EXPECT_GE(r.last, 3);
}

TEST(VisibleRange, ScansStopAtTheLastSample) {
    const std::vector<float> x{0, 1, 2, 3};
    SVisibleRange r = VisibleRange(x.data(), 4, true, true, 10, 20, 0, 0);
    EXPECT_EQ(r.first, 2);
    EXPECT_EQ(r.last, 3);
    r = VisibleRange(x.data(), 1, true, true, -5, 5, 0, 0);
    EXPECT_EQ(r.first, 0);
    EXPECT_EQ(r.last, 0);
    r = VisibleRange(x.data(), 0, true, true, -5, 5, 0, 0);
    EXPECT_LT(r.last, r.first);
    r = VisibleRange(x.data(), 4, true, false, 10, 20, 0, 0); // not time: everything
    EXPECT_EQ(r.first, 0);
    EXPECT_EQ(r.last, 3);
}

TEST(VisibleRange, EqualSpacingUsesTheStepAndClamps) {
    std::vector<float> x(11);
    for (int i = 0; i <= 10; ++i)
        x[i] = i * 0.1f;
    SVisibleRange r = VisibleRange(x.data(), 11, false, true, 0, 0, 0.25f, 0.55f);
    EXPECT_EQ(r.first, 2);
    EXPECT_EQ(r.last, 7);
    r = VisibleRange(x.data(), 11, false, true, 0, 0, -3e38f, 3e38f);
    EXPECT_EQ(r.first, 0);
    EXPECT_EQ(r.last, 10);
}

TEST(PixelIndexTable, OneForwardScanPerFile) {
    const std::vector<float> a{0, 0.5f, 1.7f, 2, 3.9f, 4};
    const std::vector<float> b{0, 1, 2, 3, 4};
    const std::vector<SPixelIndexFile> files{
        {b.data(), 5, false, 0}, {a.data(), 6, true, 0}, {a.data(), 6, true, 3}};
    CPixelIndexTable t;
    ASSERT_TRUE(FillPixelToIndex(t, files, 0, 4, 4));
    ASSERT_EQ(t.rows(), 2);
    ASSERT_EQ(t.cols(), 5);
    EXPECT_EQ(std::vector<int>(t[0], t[0] + 5), (std::vector<int>{0, 2, 3, 4, 5}));
    EXPECT_EQ(std::vector<int>(t[1], t[1] + 5), (std::vector<int>{3, 3, 3, 4, 5}));
}

TEST(PixelIndexTable, DuplicateAndNaNStampsDoNotStopTheScan) {
    const std::vector<float> x{0, 1, 1, NAN, 3, 4};
    const std::vector<SPixelIndexFile> files{{x.data(), 6, true, 0}};
    CPixelIndexTable t;
    ASSERT_TRUE(FillPixelToIndex(t, files, 0, 4, 4));
    EXPECT_EQ(std::vector<int>(t[0], t[0] + 5), (std::vector<int>{0, 1, 4, 4, 5}));
}

TEST(PixelIndexTable, LogAxisSkipsNonPositiveStamps) {
    const std::vector<float> x{-1, 0, 1, 2, 5, 10, 20, 50, 100};
    const std::vector<SPixelIndexFile> files{{x.data(), 9, true, 0}};
    CPixelIndexTable t;
    ASSERT_TRUE(FillPixelToIndexLog(t, files, 0, 2, 4)); // 2 pixels per decade
    EXPECT_EQ(std::vector<int>(t[0], t[0] + 5), (std::vector<int>{0, 4, 5, 7, 8}));
}

TEST(PixelIndexTable, NoUnequalFilesOrNoWidthIsNoFailure) {
    const std::vector<float> x{0, 1, 2};
    CPixelIndexTable t;
    EXPECT_FALSE(
        FillPixelToIndex(t, std::vector<SPixelIndexFile>{{x.data(), 3, false, 0}}, 0, 2, 100));
    EXPECT_EQ(t.rows(), 0);
    // a plot narrower than its labels: one column
    EXPECT_TRUE(
        FillPixelToIndex(t, std::vector<SPixelIndexFile>{{x.data(), 3, true, 1}}, 0, 2, -40));
    EXPECT_EQ(t.cols(), 1);
    EXPECT_EQ(t[0][0], 1);
    EXPECT_TRUE(
        FillPixelToIndexLog(t, std::vector<SPixelIndexFile>{{x.data(), 3, true, 0}}, 0, 0, 10));
    EXPECT_EQ(t.cols(), 11);
}
