// The Windows drawing rules, pixel by pixel, on the image back end.
#include "Bitmap.h"
#include "Cp1252.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {
class ImageCanvas : public ::testing::Test {
protected:
    TBitmap bitmap{40, 30};
    TCanvas& c = bitmap.Canvas();

    // The pixels of one colour, as "x,y" texts, within the bitmap.
    std::set<std::string> PixelsOf(TColor color) {
        std::set<std::string> out;
        for (int y = 0; y < bitmap.Height(); ++y)
            for (int x = 0; x < bitmap.Width(); ++x)
                if (c.GetPixel(x, y) == color)
                    out.insert(std::to_string(x) + "," + std::to_string(y));
        return out;
    }
    int Count(TColor color) { return static_cast<int>(PixelsOf(color).size()); }
    bool Is(int x, int y, TColor color) { return c.GetPixel(x, y) == color; }
    // Pixels at least half covered by black text, its smoothed edges included.
    int Inked() {
        int n = 0;
        for (int y = 0; y < bitmap.Height(); ++y)
            for (int x = 0; x < bitmap.Width(); ++x)
                n += GetRValue(c.GetPixel(x, y)) < 128 ? 1 : 0;
        return n;
    }
};
} // namespace

TEST_F(ImageCanvas, RectangleLeavesOutTheRightAndBottomEdges) {
    c.Brush().SetColor(clRed);
    c.Rectangle(2, 3, 10, 8);
    EXPECT_TRUE(Is(2, 3, clBlack));
    EXPECT_TRUE(Is(9, 7, clBlack));
    EXPECT_TRUE(Is(10, 3, clWhite));
    EXPECT_TRUE(Is(2, 8, clWhite));
    EXPECT_TRUE(Is(5, 5, clRed));
    EXPECT_EQ(Count(clBlack), 2 * 8 + 2 * 3); // the frame of 8 x 5 pixels
    EXPECT_EQ(Count(clRed), 6 * 3);
}

TEST_F(ImageCanvas, RectangleWithAClearBrushDrawsOnlyTheFrame) {
    c.Brush().SetStyle(bsClear);
    c.Rectangle(0, 0, 4, 4);
    EXPECT_EQ(Count(clBlack), 12);
    EXPECT_TRUE(Is(1, 1, clWhite));
}

TEST_F(ImageCanvas, FillRectCoversLeftAndTopButNotRightAndBottom) {
    c.Brush().SetColor(clBlue);
    c.FillRect({2, 2, 5, 4});
    EXPECT_EQ(PixelsOf(clBlue), (std::set<std::string>{"2,2", "3,2", "4,2", "2,3", "3,3", "4,3"}));
    c.Brush().SetStyle(bsClear);
    c.FillRect({10, 10, 20, 20});
    EXPECT_EQ(Count(clBlue), 6);
}

TEST_F(ImageCanvas, LineToLeavesOutItsEndPixelAndMovesThePen) {
    c.MoveTo(1, 1);
    c.LineTo(6, 1);
    EXPECT_EQ(PixelsOf(clBlack), (std::set<std::string>{"1,1", "2,1", "3,1", "4,1", "5,1"}));
    EXPECT_EQ(c.PenPos(), Point(6, 1));
    c.LineTo(6, 4); // the corner is drawn once, by the second line
    EXPECT_TRUE(Is(6, 1, clBlack));
    EXPECT_TRUE(Is(6, 3, clBlack));
    EXPECT_TRUE(Is(6, 4, clWhite));

    c.Pen().SetColor(clRed);
    c.MoveTo(20, 20);
    c.LineTo(15, 15); // right to left and upward, 45 degrees
    EXPECT_EQ(PixelsOf(clRed),
              (std::set<std::string>{"20,20", "19,19", "18,18", "17,17", "16,16"}));
}

TEST_F(ImageCanvas, PolylineLeavesOutItsLastPixelAndKeepsThePen) {
    c.MoveTo(30, 25);
    const TPoint pts[] = {{0, 0}, {3, 0}, {3, 3}};
    c.Polyline(pts);
    EXPECT_EQ(PixelsOf(clBlack), (std::set<std::string>{"0,0", "1,0", "2,0", "3,0", "3,1", "3,2"}));
    EXPECT_EQ(c.PenPos(), Point(30, 25));
}

TEST_F(ImageCanvas, PenOfWidthZeroDrawsOnePixel) {
    c.Pen().SetWidth(0);
    c.MoveTo(0, 10);
    c.LineTo(10, 10);
    EXPECT_EQ(Count(clBlack), 10);
    c.Pen().SetWidth(3);
    c.MoveTo(0, 20);
    c.LineTo(10, 20);
    EXPECT_TRUE(Is(5, 19, clBlack));
    EXPECT_TRUE(Is(5, 21, clBlack));
}

TEST_F(ImageCanvas, DottedAndDashedOnlyAtOnePixel) {
    c.Pen().SetStyle(psDot);
    c.MoveTo(0, 0);
    c.LineTo(12, 0);
    std::string runs;
    for (int x = 0; x < 12; ++x)
        runs += Is(x, 0, clBlack) ? '#' : '.';
    EXPECT_EQ(runs, "###...###...");

    c.Pen().SetStyle(psDash);
    c.MoveTo(0, 5);
    c.LineTo(30, 5);
    int dash = 0;
    while (Is(dash, 5, clBlack))
        ++dash;
    EXPECT_EQ(dash, 18);
    EXPECT_TRUE(Is(24, 5, clBlack));

    c.Pen().SetStyle(psDot);
    c.Pen().SetWidth(2);
    c.MoveTo(0, 10);
    c.LineTo(12, 10);
    for (int x = 1; x < 11; ++x)
        EXPECT_TRUE(Is(x, 10, clBlack)) << x; // solid
}

TEST_F(ImageCanvas, WidePenFrameIsCentredOnTheOutline) {
    c.Pen().SetWidth(3);
    c.Brush().SetColor(clLime);
    c.Rectangle(10, 10, 20, 20);
    EXPECT_TRUE(Is(9, 9, clBlack));
    EXPECT_TRUE(Is(11, 11, clBlack));
    EXPECT_TRUE(Is(12, 12, clLime));
    EXPECT_TRUE(Is(20, 20, clBlack));
    EXPECT_TRUE(Is(21, 21, clWhite));
    EXPECT_TRUE(Is(8, 8, clWhite));
}

TEST_F(ImageCanvas, TextIsPlacedByItsTopLeftCornerOnAnOpaqueBackground) {
    c.Font().SetName("Arial");
    c.Font().SetSize(10);
    c.Font().SetColor(clBlack);
    c.Brush().SetColor(clYellow);
    const int w = c.TextWidth("W"), h = c.TextHeight("W");
    ASSERT_GT(w, 5);
    ASSERT_GT(h, 8);
    c.TextOut(5, 5, "W");
    // Smoothed glyph edges blend black into the yellow box (red = green, no blue); a
    // stroke may reach a pixel past the advance width, as glyphs do.
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) {
            const bool inBox = x >= 5 && x < 5 + w && y >= 5 && y < 5 + h;
            const bool overhang = x == 5 + w && y >= 5 && y < 5 + h;
            const TColor p = c.GetPixel(x, y);
            if (inBox)
                EXPECT_TRUE(GetRValue(p) == GetGValue(p) && GetBValue(p) == 0) << x << "," << y;
            else if (!overhang)
                EXPECT_EQ(p, clWhite) << x << "," << y;
        }
    EXPECT_TRUE(Is(5, 5, clYellow)); // the internal leading is background
    EXPECT_GT(Inked(), 10);
    EXPECT_EQ(c.PenPos(), Point(5 + w, 5));
}

TEST_F(ImageCanvas, TextOnAClearBrushLeavesTheBackground) {
    c.Font().SetName("Arial");
    c.Font().SetSize(10);
    c.Font().SetColor(clBlack);
    c.Brush().SetStyle(bsClear);
    c.TextOut(2, 2, "Wa");
    EXPECT_GT(Inked(), 10);
    // Only black, white and their blends: no background box.
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) {
            const TColor p = c.GetPixel(x, y);
            EXPECT_TRUE(GetRValue(p) == GetGValue(p) && GetGValue(p) == GetBValue(p))
                << x << "," << y;
        }
}

TEST_F(ImageCanvas, TextMeasuresAddUpAndEmptyTextHasTheLineHeight) {
    c.Font().SetName("Arial");
    c.Font().SetSize(9);
    EXPECT_EQ(c.TextWidth("AV"), c.TextWidth("A") + c.TextWidth("V")); // no kerning
    EXPECT_EQ(c.TextHeight(""), c.TextHeight("W"));
    EXPECT_EQ(c.TextWidth(""), 0);
    c.Font().SetSize(30);
    c.Font().SetStyle(fsBold);
    const int bold = c.TextWidth("mmmm");
    c.Font().SetStyle(0);
    EXPECT_GT(bold, c.TextWidth("mmmm"));
}

TEST_F(ImageCanvas, DegreeSignIsDrawnFromItsWindows1252Code) {
    EXPECT_EQ(Utf16FromCp1252("\xB0"), u"\u00B0");
    EXPECT_EQ(Utf16FromCp1252("\x80"), u"\u20AC");
    EXPECT_EQ(Cp1252FromUtf16(u"\u00B0\u20AC\u4E00"), "\xB0\x80?");
    c.Font().SetName("Arial");
    c.Font().SetSize(20);
    c.Brush().SetStyle(bsClear);
    const int h = c.TextHeight("\xB0");
    c.TextOut(0, 0, "\xB0");
    // The ring sits in the upper half of the line, unlike a missing-glyph box.
    int drawn = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            if (Is(x, y, clBlack)) {
                ++drawn;
                EXPECT_LT(y, h / 2);
            }
    EXPECT_GT(drawn, 4);
}

TEST(ShownText, Utf8WhenValidElseWindows1252) {
    const std::pair<std::string, std::u16string> rows[] = {
        {"t", u"t"},
        {"d\xC3\xA9marrage", u"d\u00E9marrage"},                 // UTF-8
        {"d\xE9marrage", u"d\u00E9marrage"},                     // Windows-1252
        {"\xE2\x82\xAC \xF0\x9F\x98\x80", u"\u20AC \U0001F600"}, // 3 and 4 bytes
        {"\xB0", u"\u00B0"},                                     // the unit letter of angles
        {"\xC3\xA9\xB0", u"\u00C3\u00A9\u00B0"},                 // one bad byte: all 1252
        {"\xC0\xAF", u"\u00C0\u00AF"},                           // overlong
        {"\xED\xA0\x80", u"\u00ED\u00A0\u20AC"},                 // surrogate
        {"\xC3", u"\u00C3"},                                     // cut short
    };
    for (const auto& [bytes, shown] : rows)
        EXPECT_EQ(Utf16FromShownText(bytes), shown) << bytes;
}

TEST_F(ImageCanvas, NamesInEitherEncodingDrawTheSameLetters) {
    c.Font().SetName("Arial");
    c.Font().SetSize(20);
    auto draw = [&](const char* text) {
        c.Brush().SetColor(clWhite);
        c.FillRect({0, 0, bitmap.Width(), bitmap.Height()});
        c.TextOut(2, 2, text);
        std::vector<bool> ink;
        for (int y = 0; y < bitmap.Height(); ++y)
            for (int x = 0; x < bitmap.Width(); ++x)
                ink.push_back(!Is(x, y, clWhite));
        return ink;
    };
    const auto utf8 = draw("d\xC3\xA9j\xC3\xA0");
    EXPECT_EQ(draw("d\xE9j\xE0"), utf8);
    EXPECT_NE(draw("d\xC3\x83\xC2\xA9j\xC3\x83\xC2\xA0"), utf8); // "dÃ©jÃ ", shown as such
}

TEST_F(ImageCanvas, ClipRectLimitsEveryDrawing) {
    c.SetClipRect({5, 5, 10, 10});
    c.Font().SetName("Arial");
    c.TextOut(0, 0, "WWWW");
    c.Brush().SetColor(clRed);
    c.FillRect({0, 0, 40, 30});
    c.Rectangle(0, 0, 40, 30);
    c.MoveTo(0, 7);
    c.LineTo(40, 7);
    c.SetPixel(2, 2, clBlack);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            if (x < 5 || x >= 10 || y < 5 || y >= 10) {
                EXPECT_TRUE(Is(x, y, clWhite)) << x << "," << y;
            }
    EXPECT_TRUE(Is(5, 5, clRed));
    EXPECT_TRUE(Is(9, 7, clBlack));
    c.ResetClip();
    c.SetPixel(2, 2, clBlack);
    EXPECT_TRUE(Is(2, 2, clBlack));
}

TEST_F(ImageCanvas, TextRectClipsTheTextToItsRectangle) {
    c.Font().SetName("Arial");
    c.Font().SetSize(12);
    c.Brush().SetStyle(bsClear);
    c.TextRect({10, 0, 14, 30}, 0, 0, "WWWWWW");
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            if (x < 10 || x >= 14) {
                EXPECT_TRUE(Is(x, y, clWhite)) << x << "," << y;
            }
    EXPECT_GT(Count(clBlack), 0);
}

TEST_F(ImageCanvas, PixelsTakeSystemColoursAsTheyAreDrawn) {
    c.SetPixel(3, 4, clHighlight);
    EXPECT_EQ(c.GetPixel(3, 4), ColorToRGB(clHighlight));
    EXPECT_EQ(c.GetPixel(40, 0), clInvalid);
    c.SetPixel(-1, 0, clBlack); // outside: ignored
    EXPECT_EQ(Count(clWhite), 40 * 30 - 1);
}

TEST_F(ImageCanvas, EllipseStaysInsideItsRectangle) {
    c.Brush().SetStyle(bsClear);
    c.Ellipse(10, 10, 21, 17);
    bool left = false, right = false;
    for (int y = 0; y < 30; ++y) {
        EXPECT_TRUE(Is(9, y, clWhite));
        EXPECT_TRUE(Is(21, y, clWhite));
        left = left || Is(10, y, clBlack);
        right = right || Is(20, y, clBlack);
    }
    EXPECT_TRUE(left);
    EXPECT_TRUE(right);
    for (int x = 0; x < 40; ++x)
        EXPECT_TRUE(Is(x, 17, clWhite));
}

TEST_F(ImageCanvas, PolygonIsFilledAndOutlined) {
    c.Brush().SetColor(clRed);
    const TPoint tri[] = {{5, 25}, {25, 25}, {15, 5}};
    c.Polygon(tri);
    EXPECT_TRUE(Is(15, 20, clRed));
    EXPECT_TRUE(Is(15, 5, clBlack));
    EXPECT_TRUE(Is(15, 25, clBlack));
    EXPECT_TRUE(Is(4, 25, clWhite));
}

TEST(Bitmap, ResizingKeepsTheContentAndFillsNewAreaWhite) {
    TBitmap b(4, 4);
    b.Canvas().Brush().SetColor(clRed);
    b.Canvas().FillRect({0, 0, 4, 4});
    b.SetSize(6, 3);
    EXPECT_EQ(b.Canvas().GetPixel(3, 2), clRed);
    EXPECT_EQ(b.Canvas().GetPixel(4, 0), clWhite);
    b.SetSize(6, 6);
    EXPECT_EQ(b.Canvas().GetPixel(0, 3), clWhite);
    EXPECT_EQ(b.Canvas().GetPixel(0, 2), clRed);
}
