// Building the selection in the main window: list clicks, composites, the x row,
// remembered factors, colours and the refusals.
#include "SelectionFixture.h"

#include "Control_p.h"
#include "Messages.h"

#include <QApplication>
#include <QImage>

namespace {

class Selection : public SelectionFixture {
protected:
    void SetUp() override {
        Layout(false);
        Load(0, SmallAdf());
    }
};

TEST_F(Selection, NineRowsTakeThePaletteAndTheTenthClickBeepsWithoutAdding) {
    ASSERT_EQ(f.selection.RowCount(), 1); // the load made "t" the x row
    EXPECT_EQ(Cell(1, 1), "x");
    ClickName("v:a", mbRight);
    for (int i = 0; i < 7; ++i)
        ClickName(i % 2 ? "v:a" : "c:b");
    EXPECT_EQ(Cell(1, 2), "r");
    EXPECT_EQ(f.SelectedGrid.GetColorCell(1, 2), 0xB5F0F0u);
    EXPECT_EQ(Cell(1, 3), "");
    ASSERT_EQ(f.selection.RowCount(), 9);
    EXPECT_EQ(kit.beeps, 0);
    ClickName("v:a");
    EXPECT_EQ(f.selection.RowCount(), 9);
    EXPECT_EQ(kit.beeps, 1);
    EXPECT_EQ(kit.lastBeep, (std::pair<unsigned, unsigned>{500, 100}));

    Plot();
    ASSERT_TRUE(win.Shown);
    const std::uint32_t palette[] = {0x0000FF, 0x008000, 0xFF0000, 0xFF00FF,
                                     0x000080, 0x808080, 0xCCCC00, 0x00CCCC};
    for (int c = 0; c < 8; ++c) {
        EXPECT_EQ(win.Shown->curves[c].color, palette[c]) << c;
        EXPECT_EQ(win.Shown->curves[c].axis, c == 0 ? 1 : 0) << c;
    }
    EXPECT_EQ(f.AllocCurveColour(), 0x000000u); // a tenth colour is black
    f.FreeCurveColour(0xFF0000);
    EXPECT_EQ(f.AllocCurveColour(), 0xFF0000u);
}

TEST_F(Selection, CompositeModeEndsWithTheSecondOperandOrTheButtonAndRestoresTheWindow) {
    ClickName("v:a");
    Press(f.MinusBtn);
    for (TControl* c :
         {static_cast<TControl*>(&f.LoadBtn), static_cast<TControl*>(&f.PlotBtn),
          static_cast<TControl*>(&f.SelectedGrid), static_cast<TControl*>(&f.PlusBtn)})
        EXPECT_FALSE(c->Enabled());
    EXPECT_TRUE(f.MinusBtn.Enabled());
    EXPECT_EQ(f.SelectedGrid.FixedColor(), clBtnFace);
    ClickName("c:b");
    EXPECT_EQ(Cell(0, 3), "c:b");
    EXPECT_TRUE(f.SelectedGrid.GetCellFont(0, 3).Style() & fsItalic);
    Press(f.MinusBtn); // cancelled: the pending row goes
    EXPECT_FALSE(f.selection.CompositeMode());
    EXPECT_EQ(Cell(0, 3), "");
    EXPECT_EQ(f.selection.RowCount(), 2);
    for (TControl* c :
         {static_cast<TControl*>(&f.LoadBtn), static_cast<TControl*>(&f.PlotBtn),
          static_cast<TControl*>(&f.SelectedGrid), static_cast<TControl*>(&f.PlusBtn)})
        EXPECT_TRUE(c->Enabled());
    EXPECT_EQ(f.SelectedGrid.FixedColor(), TColor(0xF0F0F0)); // the design's fixed colour

    Composite(f.MinusBtn, "v:a", "c:b");
    EXPECT_FALSE(f.selection.CompositeMode());
    EXPECT_FALSE(f.MinusBtn.Down());
    EXPECT_EQ(f.selection.RowCount(), 3);
    EXPECT_EQ(Cell(0, 3), "v:a-c:b");
    EXPECT_EQ(f.SelectedGrid.GetHintCell(0, 3), "v:a-c:b");
    EXPECT_EQ(f.selection.Row(3).second, 2);
    EXPECT_EQ(f.selection.Row(3).operatorPos, 4);
    EXPECT_TRUE(f.ResolveCompositeName(2));
    EXPECT_TRUE(f.PlotBtn.Enabled());

    // The activation a click on an inactive window brings leaves the mode on: one click
    // is enough.
    Press(f.PlusBtn);
    f.Activate();
    f.UnObscure(nullptr);
    EXPECT_TRUE(f.selection.CompositeMode());
    EXPECT_TRUE(f.PlusBtn.Down());
    // Coming back from another window ends it.
    ClickName("v:a");
    f.Deactivate();
    f.UnObscure(nullptr);
    EXPECT_FALSE(f.PlusBtn.Down());
    EXPECT_EQ(Cell(0, 4), "");
    EXPECT_TRUE(f.LoadBtn.Enabled());
    EXPECT_TRUE(f.AcceptsFiles());
}

TEST_F(Selection, TheXRowRefusesRemovalAndCompositesButTakesAPlainVariable) {
    ClickName("v:a");
    Composite(f.PlusBtn, "v:a", "c:b");
    ClickCell(0, 1);
    ClickCell(1, 3);
    ASSERT_EQ(kit.messages.size(), 2u);
    EXPECT_EQ(kit.messages[0].Line(), "Rejected Request: X-Variable cannot be removed; \nTo remove "
                                      "this variable, first define another variable as X variable");
    EXPECT_EQ(kit.messages[1].title, "Rejected Request"); // a composite cannot be x
    EXPECT_EQ(kit.messages[1].flags, MB_ICONEXCLAMATION);
    EXPECT_EQ(f.selection.RowCount(), 3);
    EXPECT_EQ(f.selection.XRow(), 1);

    kit.messages.clear();
    f.smtimefactor1->Click();
    EXPECT_FALSE(f.SelectedGrid.GetEditCell(2, 1));
    ClickCell(1, 2); // v:a becomes x; the minutes factor is given up first
    EXPECT_EQ(kit.MessageLines(), (std::vector<std::string>{
                                      "Information: Converting time factor to \"User Defined\""}));
    EXPECT_EQ(f.selection.XRow(), 2);
    EXPECT_EQ(Cell(1, 2), "x");
    EXPECT_EQ(Cell(2, 1), "1");
    EXPECT_TRUE(f.SelectedGrid.GetEditCell(2, 1));
    EXPECT_FALSE(f.TimeFactPopup.AutoPopup());
    Plot();
    ASSERT_TRUE(win.Shown);
    EXPECT_EQ(X(*win.Shown, 0), (Floats{1, 2, 3, 4}));
    EXPECT_EQ(Y(*win.Shown, 0, 0), (Floats{0, 0.5f, 1, 1.5f}));
    EXPECT_EQ(win.Shown->timeUnit, "");
    EXPECT_FALSE(win.CursorBtn.Enabled());

    ClickCell(0, 3); // a row below goes, x stays
    ClickCell(0, 1);
    EXPECT_EQ(f.selection.RowCount(), 1);
    EXPECT_EQ(f.selection.XRow(), 1);
    EXPECT_FALSE(f.PlotBtn.Enabled());
}

// Pixels inside a cell of the grid as it is painted that are of one colour, or (for
// smoothed text) lean clearly towards one primary.
int PixelsIn(const QImage& picture, const TRect& cell, QColor colour) {
    int n = 0;
    for (int x = cell.Left; x < cell.Right; ++x)
        for (int y = cell.Top; y < cell.Bottom; ++y)
            n += picture.pixelColor(x, y) == colour;
    return n;
}
enum class ELean { red, green };
int PixelsLeaning(const QImage& picture, const TRect& cell, ELean lean) {
    int n = 0;
    for (int x = cell.Left; x < cell.Right; ++x)
        for (int y = cell.Top; y < cell.Bottom; ++y) {
            const QColor c = picture.pixelColor(x, y);
            const int r = c.red(), g = c.green(), b = c.blue();
            n += lean == ELean::red ? r > g + 60 && r > b + 60 : g > r + 40 && g > b + 40;
        }
    return n;
}

TEST_F(Selection, TheGridPaintsTheRightAxisAndTheNameColoursFromTheSelection) {
    ClickName("v:a", mbRight); // red, right axis
    ClickName("c:b");          // green
    const QColor rightAxis(0xF0, 0xF0, 0xB5);
    auto picture = [&] {
        QApplication::processEvents();
        return WidgetOf(f.SelectedGrid).grab().toImage();
    };
    QImage p = picture();
    const TRect axisCell = f.SelectedGrid.CellRect(1, 2);
    EXPECT_GT(PixelsIn(p, axisCell, rightAxis), axisCell.Width() * axisCell.Height() / 2);
    EXPECT_GT(PixelsLeaning(p, f.SelectedGrid.CellRect(0, 2), ELean::red), 0);
    EXPECT_GT(PixelsLeaning(p, f.SelectedGrid.CellRect(0, 3), ELean::green), 0);

    ClickCell(1, 3); // c:b becomes x: its colour goes to "t", which becomes a curve
    p = picture();
    EXPECT_GT(PixelsLeaning(p, f.SelectedGrid.CellRect(0, 1), ELean::green), 0);
    EXPECT_EQ(PixelsLeaning(p, f.SelectedGrid.CellRect(0, 3), ELean::green), 0);
    EXPECT_GT(PixelsIn(p, axisCell, rightAxis), axisCell.Width() * axisCell.Height() / 2);
}

TEST_F(Selection, EveryResetStartsTheColoursAgainInTheGridAndThePlot) {
    for (int round = 1; round <= 4; ++round) { // four rounds would use the nine colours up
        SCOPED_TRACE(round);
        ClickName("v:a");
        ClickName("c:b");
        QApplication::processEvents();
        const QImage p = WidgetOf(f.SelectedGrid).grab().toImage();
        EXPECT_GT(PixelsLeaning(p, f.SelectedGrid.CellRect(0, 2), ELean::red), 0);
        EXPECT_GT(PixelsLeaning(p, f.SelectedGrid.CellRect(0, 3), ELean::green), 0);
        win.Shown.reset();
        Plot();
        ASSERT_TRUE(win.Shown);
        EXPECT_EQ(win.Shown->curves[0].color, 0x0000FFu); // red: TColor is 0xBBGGRR
        EXPECT_EQ(win.Shown->curves[1].color, 0x008000u);
        f.ResetBtnClick(&f.ResetBtn);
    }
}

TEST_F(Selection, RememberedFactorsComeBackAndABadCellNeverStopsAReset) {
    app.options.SetFlag(poAssociateFO, true);
    ClickName("v:a");
    Set(2, 2, "2");
    ClickName("c:b");
    Set(2, 3, "abc"); // no number: not remembered, and nothing breaks
    ClickCell(0, 2);
    ClickName("v:a");
    EXPECT_EQ(Cell(2, 3), "2");
    Set(3, 3, "0.25");
    f.ResetBtnClick(&f.ResetBtn);
    EXPECT_EQ(f.selection.RowCount(), 1);
    EXPECT_EQ(Cell(0, 2), "");
    ClickName("v:a");
    ClickName("c:b");
    EXPECT_EQ(Cell(2, 2), "2");
    EXPECT_EQ(Cell(3, 2), "0.25");
    EXPECT_EQ(Cell(2, 3), "1");
}

TEST_F(Selection, EnterInTheGridPlotsAndUsesTheKeySoNoDefaultButtonPlotsAgain) {
    ClickName("v:a");
    EXPECT_TRUE(f.SelectedGrid.HandleKey(VK_RETURN, 0, 0).keyConsumed);
    EXPECT_TRUE(win.Shown);
    WORD other = VK_ESCAPE;
    f.SelectedGridKeyDown(&f.SelectedGrid, other, 0);
    EXPECT_EQ(other, VK_ESCAPE);
}

TEST_F(SelectionFixture, MultiFileModeRefusesXYFirstAndResetsTheCommonXRecord) {
    Layout(true);
    LoadByDialog(SmallAdf("one.adf"));
    LoadByDialog(SmallAdf("two.adf"));
    ASSERT_EQ(f.selection.RowCount(), 1);
    EXPECT_EQ(Cell(1, 1), "a");
    ClickName("v:a");
    EXPECT_EQ(Cell(1, 2), "2"); // file number of the current file
    f.smtimefactor1->Click();
    kit.messages.clear();
    ClickCell(1, 2);
    EXPECT_EQ(kit.MessageLines(),
              (std::vector<std::string>{
                  "Unavailable Function: X-Y Plots not supported in Multi-File mode (Sorry!)"}));
    EXPECT_EQ(f.selection.XRow(), 1);
    EXPECT_EQ(Cell(2, 1), "s->m");

    f.SelectFileRow(1);
    ClickName("c:b");
    EXPECT_FALSE(f.SaveVarBtn.Enabled()); // two files
    ClickCell(0, 3);
    EXPECT_TRUE(f.SaveVarBtn.Enabled());

    f.ResetBtnClick(&f.ResetBtn);
    EXPECT_EQ(f.selection.RowCount(), 1);
    EXPECT_EQ(f.selection.Row(1).slot, 0);
    EXPECT_EQ(f.selection.Row(1).variable, 0);
    EXPECT_EQ(f.selection.Row(1).second, -1);
    EXPECT_EQ(f.selection.Row(1).operatorPos, 0);
    EXPECT_EQ(Cell(0, 2), "");
}

} // namespace
