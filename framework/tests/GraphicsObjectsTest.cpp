#include "GraphicsObjects.h"

#include <gtest/gtest.h>

TEST(GraphicsObjects, ChangeNotificationOnlyWhenSomethingChanged) {
    int pens = 0, brushes = 0, fonts = 0;
    TPen pen;
    TBrush brush;
    TFont font;
    pen.OnChange = [&](TObject*) { ++pens; };
    brush.OnChange = [&](TObject*) { ++brushes; };
    font.OnChange = [&](TObject*) { ++fonts; };

    pen.SetColor(pen.Color());
    pen.SetWidth(pen.Width());
    pen.SetStyle(pen.Style());
    brush.SetColor(brush.Color());
    brush.SetStyle(brush.Style());
    font.SetName(font.Name());
    font.SetSize(font.Size());
    font.SetStyle(font.Style());
    font.Assign(TFont(font));
    pen.Assign(TPen(pen));
    EXPECT_EQ(pens + brushes + fonts, 0);

    pen.SetStyle(psDot);
    brush.SetStyle(bsClear);
    font.SetStyle(fsBold | fsItalic);
    EXPECT_EQ(pens, 1);
    EXPECT_EQ(brushes, 1);
    EXPECT_EQ(fonts, 1);

    TFont other;
    other.SetName("Arial");
    other.SetColor(clRed);
    font.Assign(other); // several values, one notification
    EXPECT_EQ(fonts, 2);
}

TEST(GraphicsObjects, AssignKeepsTheChangeHandler) {
    int calls = 0;
    TPen pen;
    pen.OnChange = [&](TObject*) { ++calls; };
    TPen other;
    other.SetColor(clRed);
    pen = other;
    EXPECT_EQ(pen.Color(), clRed);
    pen.SetWidth(3);
    EXPECT_EQ(calls, 2);
}

TEST(GraphicsObjects, FontSizeIsInPointsAtTheFontsResolution) {
    TFont screen;
    screen.SetSize(8);
    EXPECT_EQ(screen.Height(), -11); // 8 pt at 96 dpi
    EXPECT_EQ(screen.Size(), 8);

    TFont printer;
    printer.SetPixelsPerInch(600);
    printer.SetSize(10);
    EXPECT_EQ(printer.Height(), -83);
    // Across resolutions the point size is kept, not the pixel height.
    printer.Assign(screen);
    EXPECT_EQ(printer.Size(), 8);
    EXPECT_EQ(printer.Height(), -67);
}

TEST(Colors, SystemColorsStaySymbolicUntilResolved) {
    EXPECT_EQ(clBtnFace, 0x8000000Fu);
    EXPECT_EQ(clHighlight, 0x8000000Du); // the system colour index of the highlight is 13
    EXPECT_EQ(clWindowText, 0x80000008u);
    EXPECT_EQ(RGB(1, 2, 3), 0x00030201u);
    EXPECT_EQ(ColorToRGB(clWindowText), clBlack);
    EXPECT_EQ(ColorToRGB(clWindow), clWhite);
    EXPECT_FALSE(IsSystemColor(ColorToRGB(clBtnFace)));
    EXPECT_EQ(ColorToRGB(RGB(12, 34, 56)), RGB(12, 34, 56));
}
