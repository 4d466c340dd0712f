// The plot window's arithmetic: printer pens, panel packing, placement, where the cursor
// values go, manual scale ends, and the values window's rows.
#include "PlotWinRules.h"
#include "PlotSnapshot.h"
#include "ValuesLayout.h"

#include <gtest/gtest.h>

#include <vector>

TEST(PlotWinRules, PenWidthsFollowThePrinterResolution) {
    struct Row {
        int frame, curve, dot, dpi;
        bool lines;
        int frameDots, curveDots, dotDots;
        bool ok;
    };
    // dots = trunc(tenths x dpi / 254 + 0.5)
    const Row rows[] = {
        {2, 2, 0, 300, true, 2, 2, 1, true},   // 2 x 300 / 254 = 2.36; "tiny" is one dot
        {2, 3, 5, 72, true, 1, 1, 1, true},    // 0.57 and 0.85 round up to 1; 5 -> 1.42
        {3, 5, 7, 600, true, 7, 12, 17, true}, // 7.09, 11.8, 16.5
        {2, 2, 2, 50, true, 0, 0, 0, false},   // 0.39 rounds to nothing
        {3, 2, 3, 50, true, 1, 0, 1, false},   // frame 0.59 -> 1, but the curve pen is 0
        {3, 2, 3, 50, false, 1, 0, 1, true},   // dots and bars do not need a curve pen
        {2, 3, 3, 50, false, 0, 1, 1, false},  // the frame pen always counts
    };
    for (const Row& r : rows) {
        const SPrintPens p = PrintPens(r.frame, r.curve, r.dot, r.dpi, r.lines);
        EXPECT_EQ(p.frame, r.frameDots) << r.dpi << " dpi, " << r.frame;
        EXPECT_EQ(p.curve, r.curveDots) << r.dpi << " dpi, " << r.curve;
        EXPECT_EQ(p.dot, r.dotDots) << r.dpi << " dpi, " << r.dot;
        EXPECT_EQ(p.ok, r.ok) << r.dpi << " dpi";
    }
}

TEST(PlotWinRules, RightButtonsPackFromTheRightEdgeThreePixelsApart) {
    const SPanelButtons b = PackPanelButtons(426, 25, 25, 25, 25);
    EXPECT_EQ(b.print, 401);
    EXPECT_EQ(b.copy, 373);
    EXPECT_EQ(b.save, 345);
    EXPECT_EQ(b.mark, 317);
}

TEST(PlotWinRules, AtLeastHalfTheWindowStaysOnTheScreen) {
    struct Row {
        int pos, size, screen, expected;
    };
    const Row rows[] = {
        {100, 400, 1280, 100},    // well inside
        {1080, 400, 1280, 1080},  // centre exactly on the edge
        {1200, 400, 1280, 1080},  // centre beyond it
        {30000, 400, 1280, 1080}, // a position from a far larger desktop
        {-150, 400, 1280, -150},  // half still on the screen
        {-900, 400, 1280, -200},  // from a screen on the left
    };
    for (const Row& r : rows)
        EXPECT_EQ(KeepHalfOnScreen(r.pos, r.size, r.screen), r.expected) << r.pos;
    // A remembered place keeps the whole window on the screen.
    const Row remembered[] = {
        {100, 400, 1280, 100},  // where it was
        {880, 400, 1280, 880},  // right up to the edge
        {1200, 400, 1024, 624}, // kept on a larger screen
        {-20, 400, 1280, 0},    // title bar above the screen
        {50, 1400, 1280, 0},    // larger than the screen: its start on it
    };
    for (const Row& r : remembered)
        EXPECT_EQ(KeepWholeOnScreen(r.pos, r.size, r.screen), r.expected) << r.pos;
}

TEST(PlotWinRules, OneCurveInAWideEnoughWindowUsesThePanel) {
    EXPECT_TRUE(CursorValuesInPanel(1, 418, 418));
    EXPECT_FALSE(CursorValuesInPanel(1, 417, 418));
    EXPECT_FALSE(CursorValuesInPanel(2, 900, 418));
    EXPECT_FALSE(CursorValuesInPanel(0, 900, 418));
}

TEST(PlotWinRules, ManualScaleEndsAreTheFloatsTheChartUses) {
    EXPECT_TRUE(FitsFloatScale(3.4e38));
    EXPECT_TRUE(FitsFloatScale(-3.4e38));
    EXPECT_TRUE(FitsFloatScale(1e-50)); // becomes 0, which the chart can draw
    EXPECT_FALSE(FitsFloatScale(1e39));
    EXPECT_FALSE(FitsFloatScale(-1e39));

    EXPECT_TRUE(ScaleRangeOrdered(0, 1));
    EXPECT_FALSE(ScaleRangeOrdered(5, 5));
    EXPECT_FALSE(ScaleRangeOrdered(6, 5));
    // Distinct doubles that are one float: no range left to draw.
    EXPECT_FALSE(ScaleRangeOrdered(1.00000001, 1.00000002));
    EXPECT_TRUE(ScaleRangeOrdered(1.0, 1.0000002));
}

TEST(PlotWinRules, ScaleEndsShowFourSignificantDigits) {
    struct Row {
        float v;
        const char* text;
    };
    const Row rows[] = {
        {0, "0"},
        {-0.8f, "-0.8"},
        {1.4f, "1.4"},
        {1000, "1000"},
        {1002, "1002"},
        {9999.4f, "9999"},
        {9999.6f, "1E+0004"},
        {123456, "1.235E+0005"},
        {0.12345f, "0.1235"},
        {0.00001f, "0.00001"},
        {0.000001234f, "1.234E-0006"},
        {-2.5e-3f, "-0.0025"},
        {1e38f, "1E+0038"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(ScaleEndText(r.v, '.'), r.text) << r.v;
    EXPECT_EQ(ScaleEndText(-0.8f, ','), "-0,8");
    EXPECT_EQ(ScaleEndText(1.5e-7f, ','), "1,5E-0007");
}

TEST(PlotWinRules, OnlyConsistentSnapshotsAreDrawn) {
    auto make = [](int files, std::vector<int> curves, int points) {
        SPlotSnapshot s;
        s.nFiles = files;
        for (int f = 0; f < files; ++f) {
            s.nCurves[f] = curves[f];
            s.nPoints[f] = points;
            s.xData[f].assign(points, 0.0f);
            s.yData[f] = FMatrix(std::max(1, curves[f]), points);
            s.totalCurves += curves[f];
        }
        return s;
    };
    EXPECT_TRUE(SnapshotDrawable(make(1, {1}, 10)));
    EXPECT_FALSE(SnapshotDrawable(make(0, {}, 10)));
    EXPECT_FALSE(SnapshotDrawable(make(2, {5, 5}, 10))) << "ten curves";
    EXPECT_FALSE(SnapshotDrawable(make(1, {0}, 10))) << "no curve";
    EXPECT_FALSE(SnapshotDrawable(make(1, {1}, 0))) << "no point";
    SPlotSnapshot shortX = make(1, {1}, 10);
    shortX.xData[0].resize(5);
    EXPECT_FALSE(SnapshotDrawable(shortX));
}

TEST(PlotWinValuesLayout, RowsFollowTheTextHeight) {
    const int counts[] = {2, 1};
    const SValuesLayout l = LayoutValueRows(counts, 16);
    // File 0: heading at 3, x at 3 + 16 + 1, curves from 3 + 33 on; 2 more between files.
    EXPECT_EQ(l.headingRow, (std::vector<int>{3, 3 + 33 + 32 + 2}));
    EXPECT_EQ(l.xRow, (std::vector<int>{20, 70 + 17}));
    EXPECT_EQ(l.valueRow, (std::vector<int>{36, 52, 70 + 33}));
    EXPECT_EQ(l.boxTop, 70 + 33 + 16 + 2 + 4);
    EXPECT_EQ(LayoutValueRows({}, 16).boxTop, 3 + 4);
}

TEST(PlotWinValuesLayout, HeadingFontShrinksToSixAtMost) {
    // A heading 10 pixels wide per point of size.
    auto width = [](int size) { return 10 * size; };
    EXPECT_EQ(HeadingFontSize(width, 91), 9);
    EXPECT_EQ(HeadingFontSize(width, 90), 8) << "narrower than the window, not as wide";
    EXPECT_EQ(HeadingFontSize(width, 71), 7);
    EXPECT_EQ(HeadingFontSize(width, 20), 6);
}
