// Cell painting on a recording canvas. Its metrics: with a font height of
// -10 a character is 6 pixels wide and a line 12 pixels high.
#include "AligridFixture.h"
#include "PropertyText.h"
#include "RecordingCanvas.h"

namespace {

struct Paint : AligridFixture {
    TRecordingCanvas canvas;
    const TRect cell{10, 20, 70, 60}; // 60 x 40

    void SetUp() override {
        AligridFixture::SetUp();
        grid.Font().SetHeight(-10);
    }
    std::vector<TCanvasCall> Texts() const {
        std::vector<TCanvasCall> t;
        for (const TCanvasCall& c : canvas.Calls)
            if (c.op == TCanvasOp::TextRect) t.push_back(c);
        return t;
    }
    void PaintText(const std::string& text, TGridDrawState state = 0) {
        grid.SetCells(2, 2, text);
        canvas.Calls.clear();
        grid.PaintCell(canvas, 2, 2, cell, state);
    }
};

TEST_F(Paint, CarriageReturnsBreakLinesAndALoneLineFeedIsDrawn) {
    PaintText("a\r\nb\rc\nd");
    const auto t = Texts();
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t[0].text, "a");
    EXPECT_EQ(t[1].text, "b");
    EXPECT_EQ(t[2].text, "c\nd");
    EXPECT_EQ(t[0].args, (std::vector<int>{12, 22, 10, 20, 70, 60}));
    EXPECT_EQ(t[1].args[1], 34);
    EXPECT_EQ(t[2].args[1], 46);
    EXPECT_EQ(t[0].brushStyle, bsClear); // no opaque fill behind the text
}

TEST_F(Paint, AnEmptyTextPaintsOnlyTheBackground) {
    grid.SetColorCell(2, 2, clYellow);
    PaintText("");
    ASSERT_EQ(canvas.Calls.size(), 1u);
    EXPECT_EQ(canvas.Calls[0].op, TCanvasOp::FillRect);
    EXPECT_EQ(canvas.Calls[0].args, (std::vector<int>{10, 20, 70, 60}));
    EXPECT_EQ(canvas.Calls[0].brushColor, ColorToRGB(clYellow));
}

TEST_F(Paint, AlignmentPlacesEachLineByItsOwnWidth) {
    grid.SetAlignment(alRight);
    PaintText("ab\rabcd");
    auto t = Texts();
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].args[0], 70 - 12 - 2);
    EXPECT_EQ(t[1].args[0], 70 - 24 - 2);
    grid.SetAlignment(alCenter);
    PaintText("abc");
    EXPECT_EQ(Texts()[0].args[0], 10 + (60 - 18) / 2);
    // Wider than the cell: starts left of it, clipped to the cell.
    PaintText("abcdefghijklm"); // 78 pixels
    t = Texts();
    EXPECT_EQ(t[0].args[0], 10 + (60 - 78) / 2);
    EXPECT_LT(t[0].args[0], 10);
    EXPECT_EQ(std::vector<int>(t[0].args.begin() + 2, t[0].args.end()),
              (std::vector<int>{10, 20, 70, 60}));
}

TEST_F(Paint, AnUnknownAlignmentByteFromAFormPaintsLeft) {
    ASSERT_EQ(ReadComponentText("AlignCell = {0200020007}", grid), "");
    grid.SetAlignment(alRight);
    PaintText("x");
    EXPECT_EQ(Texts()[0].args[0], 12);
}

TEST_F(Paint, SelectedColoursFollowDrawSelectionStateAndOptions) {
    grid.SetSelectedCellColor(clNavy);
    grid.SetSelectedFontColor(clYellow);
    const TColor own = ColorToRGB(clWindow);
    const TColor sel = ColorToRGB(clNavy);
    struct Case {
        bool drawSelection;
        TGridDrawState state;
        TGridOptions extra;
        TColor fill;
    } cases[] = {
        {true, 0, 0, own},
        {true, gdSelected, 0, sel},
        {true, gdSelected | gdFocused, 0, own},
        {true, gdSelected | gdFocused, goDrawFocusSelected, sel},
        {true, gdSelected | gdFocused, goRowSelect, sel},
        {false, gdSelected, 0, own},
        {false, gdSelected | gdFocused, goDrawFocusSelected, own},
    };
    const TGridOptions base = grid.Options();
    for (const Case& c : cases) {
        grid.SetDrawSelection(c.drawSelection);
        grid.SetOptions(base | c.extra);
        PaintText("t", c.state);
        ASSERT_GE(canvas.Calls.size(), 2u);
        EXPECT_EQ(canvas.Calls[0].brushColor, c.fill) << c.state << " " << c.extra;
        EXPECT_EQ(canvas.Calls[1].fontColor,
                  c.fill == sel ? ColorToRGB(clYellow) : ColorToRGB(grid.Font().Color()));
    }
}

TEST_F(Paint, PerCellSelectedColoursWinOverTheGridWide) {
    ASSERT_EQ(ReadComponentText("SelectedColorCol = (2 255)", grid), "");
    PaintText("t", gdSelected);
    EXPECT_EQ(canvas.Calls[0].brushColor, 255u);
}

// With DefaultDrawing on the grid paints the cell (its own colour) and then
// calls the handler; off, the handler alone draws: no colour of the grid's.
TEST_F(Paint, DrawCellUsesTheGridOrTheHandler) {
    std::vector<std::string> order;
    grid.OnDrawCell = [&](TObject*, int c, int r, TRect, TGridDrawState) {
        if (c == 2 && r == 2) order.push_back("handler");
    };
    grid.SetCells(2, 2, "x");
    grid.SetColorCell(2, 2, clYellow);
    const TRect cellRect = grid.CellRect(2, 2);
    auto yellowPixels = [&] {
        QImage image(WidgetOf(grid).size(), QImage::Format_RGB32);
        WidgetOf(grid).render(&image);
        int n = 0;
        for (int y = cellRect.Top; y < cellRect.Bottom; ++y)
            for (int x = cellRect.Left; x < cellRect.Right; ++x)
                n += image.pixel(x, y) == qRgb(255, 255, 0) ? 1 : 0;
        return n;
    };
    EXPECT_GT(yellowPixels(), cellRect.Width() * cellRect.Height() / 2);
    EXPECT_EQ(order, std::vector<std::string>{"handler"});
    order.clear();
    grid.SetDefaultDrawing(false);
    EXPECT_EQ(yellowPixels(), 0);
    EXPECT_EQ(order, std::vector<std::string>{"handler"});
}
} // namespace
