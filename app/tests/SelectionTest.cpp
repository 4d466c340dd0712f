// Building the selection in the main window: list clicks, composites, the x row,
// remembered factors, colours and the refusals.
#include "SelectionFixture.h"

#include "Messages.h"

namespace {

class Selection : public SelectionFixture {
protected:
    void SetUp() override {
        Layout(false);
        Load(0, SmallAdf());
    }
};

TEST_F(Selection, ListClicksFillRowsAndTheTenthBeepsWithoutAdding) {
    ASSERT_EQ(f.selectionRows, 1); // the load made "t" the x row
    EXPECT_EQ(Cell(0, 1), "t");
    EXPECT_EQ(Cell(1, 1), "x");
    for (int i = 0; i < 8; ++i)
        ClickName(i % 2 ? "c:b" : "v:a");
    EXPECT_EQ(f.selectionRows, 9);
    EXPECT_EQ(kit.beeps, 0);
    ClickName("v:a");
    EXPECT_EQ(f.selectionRows, 9);
    EXPECT_EQ(kit.beeps, 1);
    EXPECT_EQ(kit.lastBeep, (std::pair<unsigned, unsigned>{500, 100}));
    EXPECT_EQ(Cell(0, 9), "c:b");
    EXPECT_EQ(Cell(2, 9), "1");
    EXPECT_EQ(Cell(3, 9), "0");
    EXPECT_TRUE(f.PlotBtn.Enabled());
    EXPECT_TRUE(f.SaveVarBtn.Enabled());

    // Nine rows take the whole palette in order; one more request gives black.
    Plot();
    ASSERT_TRUE(win.Shown);
    const std::uint32_t palette[] = {0x0000FF, 0x008000, 0xFF0000, 0xFF00FF,
                                     0x000080, 0x808080, 0xCCCC00, 0x00CCCC};
    for (int c = 0; c < 8; ++c)
        EXPECT_EQ(win.Shown->curves[c].color, palette[c]) << c;
    EXPECT_EQ(f.AllocCurveColour(), 0x000000u);
    f.FreeCurveColour(0xFF0000);
    EXPECT_EQ(f.AllocCurveColour(), 0xFF0000u);
}

TEST_F(Selection, RightClickPutsTheRowOnTheRightAxis) {
    ClickName("v:a", mbRight);
    ClickName("c:b");
    EXPECT_EQ(Cell(1, 2), "r");
    EXPECT_EQ(f.SelectedGrid.GetColorCell(1, 2), 0xB5F0F0u);
    EXPECT_EQ(Cell(1, 3), "");
    Plot();
    ASSERT_TRUE(win.Shown);
    EXPECT_EQ(win.Shown->curves[0].axis, 1);
    EXPECT_EQ(win.Shown->curves[1].axis, 0);
}

TEST_F(Selection, CompositeEntryDisablesTheWindowAndEndsWithTheSecondOperandOrTheButton) {
    ClickName("v:a");
    const bool plotBefore = f.PlotBtn.Enabled();
    f.MinusBtn.SetDown(true);
    f.MinusBtnClick(&f.MinusBtn);
    EXPECT_TRUE(f.compositeMode);
    for (TControl* c : {static_cast<TControl*>(&f.LoadBtn), static_cast<TControl*>(&f.PlotBtn),
                        static_cast<TControl*>(&f.ResetBtn), static_cast<TControl*>(&f.SelectedGrid),
                        static_cast<TControl*>(&f.FileStringGrid),
                        static_cast<TControl*>(&f.PlusBtn), static_cast<TControl*>(&f.SaveVarBtn)})
        EXPECT_FALSE(c->Enabled());
    EXPECT_TRUE(f.MinusBtn.Enabled());

    // First operand, then the button again: the pending row goes, the states come back.
    ClickName("c:b");
    EXPECT_EQ(Cell(0, 3), "c:b");
    EXPECT_TRUE(f.SelectedGrid.GetCellFont(0, 3).Style() & fsItalic);
    EXPECT_EQ(f.selectionRows, 2);
    f.MinusBtn.SetDown(false);
    f.MinusBtnClick(&f.MinusBtn);
    EXPECT_FALSE(f.compositeMode);
    EXPECT_EQ(Cell(0, 3), "");
    EXPECT_EQ(f.selectionRows, 2);
    EXPECT_EQ(f.PlotBtn.Enabled(), plotBefore);
    EXPECT_TRUE(f.LoadBtn.Enabled());
    EXPECT_TRUE(f.SelectedGrid.Enabled());
    EXPECT_TRUE(f.PlusBtn.Enabled());

    // A whole composite: a-b, italic, hinted, counted, and the mode is over.
    Composite(f.MinusBtn, "v:a", "c:b");
    EXPECT_FALSE(f.compositeMode);
    EXPECT_FALSE(f.MinusBtn.Down());
    EXPECT_EQ(f.selectionRows, 3);
    EXPECT_EQ(Cell(0, 3), "v:a-c:b");
    EXPECT_EQ(f.SelectedGrid.GetHintCell(0, 3), "v:a-c:b");
    EXPECT_TRUE(f.SelectedGrid.GetCellFont(0, 3).Style() & fsItalic);
    EXPECT_EQ(f.selRecords[2].second, 2);
    EXPECT_EQ(f.selRecords[2].operatorPos, 4);
    EXPECT_TRUE(f.ResolveCompositeName(2));
    EXPECT_TRUE(f.PlotBtn.Enabled());
    EXPECT_TRUE(f.ResetBtn.Enabled());

    // Leaving the mode from outside (activation) also restores everything.
    f.PlusBtn.SetDown(true);
    f.PlusBtnClick(&f.PlusBtn);
    ClickName("v:a");
    f.SetOperatorMode(false);
    EXPECT_FALSE(f.PlusBtn.Down());
    EXPECT_EQ(Cell(0, 4), "");
    EXPECT_TRUE(f.PlotBtn.Enabled());
    EXPECT_TRUE(f.LoadBtn.Enabled());
    EXPECT_TRUE(f.AcceptsFiles());
}

TEST_F(Selection, TheXRowRefusesRemovalAndCompositesButTakesAPlainVariable) {
    ClickName("v:a");
    Composite(f.PlusBtn, "v:a", "c:b");
    ClickCell(0, 1);
    EXPECT_EQ(kit.MessageLines(),
              (std::vector<std::string>{"Rejected Request: X-Variable cannot be removed; \nTo "
                                        "remove this variable, first define another variable as "
                                        "X variable"}));
    EXPECT_EQ(f.selectionRows, 3);

    kit.messages.clear();
    ClickCell(1, 3); // the composite cannot be x
    ASSERT_EQ(kit.messages.size(), 1u);
    EXPECT_EQ(kit.messages[0].title, "Rejected Request");
    EXPECT_EQ(kit.messages[0].flags, MB_ICONEXCLAMATION);
    EXPECT_EQ(f.xRow, 1);

    kit.messages.clear();
    f.smtimefactor1->Click();
    ClickCell(1, 2); // v:a becomes x; the minutes factor is given up first
    EXPECT_EQ(kit.MessageLines(),
              (std::vector<std::string>{"Information: Converting time factor to \"User Defined\""}));
    EXPECT_EQ(f.xRow, 2);
    EXPECT_EQ(Cell(1, 2), "x");
    EXPECT_EQ(Cell(1, 1), "");
    EXPECT_EQ(Cell(2, 1), "1");
    EXPECT_FALSE(f.xIsFirstVariable);
    EXPECT_FALSE(f.TimeFactPopup.AutoPopup());
    Plot();
    ASSERT_TRUE(win.Shown);
    EXPECT_EQ(X(*win.Shown, 0), (Floats{1, 2, 3, 4}));
    EXPECT_EQ(Y(*win.Shown, 0, 0), (Floats{0, 0.5f, 1, 1.5f}));
    EXPECT_EQ(win.Shown->timeUnit, "");
    EXPECT_FALSE(win.Shown->xParam.xIsTime);
    EXPECT_FALSE(win.CursorBtn.Enabled());

    ClickCell(0, 3); // removing a row below keeps x where it is
    EXPECT_EQ(f.selectionRows, 2);
    EXPECT_EQ(f.xRow, 2);
    ClickCell(0, 1);
    EXPECT_EQ(f.selectionRows, 1);
    EXPECT_EQ(f.xRow, 1);
    EXPECT_FALSE(f.PlotBtn.Enabled());
}

TEST_F(Selection, RememberedFactorsComeBackAndABadCellNeverStopsAReset) {
    app.options.SetFlag(poAssociateFO, true);
    ClickName("v:a");
    Set(2, 2, "2");
    Set(3, 2, "0");
    ClickName("c:b");
    Set(2, 3, "abc"); // no number: not remembered, and nothing breaks
    ClickCell(0, 2);
    EXPECT_EQ(Cell(0, 2), "c:b");
    ClickName("v:a");
    EXPECT_EQ(Cell(2, 3), "2");
    EXPECT_EQ(Cell(3, 3), "0");

    Set(3, 3, "0.25");
    f.ResetBtnClick(&f.ResetBtn);
    EXPECT_EQ(f.selectionRows, 1);
    EXPECT_EQ(Cell(0, 1), "t");
    EXPECT_EQ(Cell(0, 2), "");
    EXPECT_EQ(Cell(2, 2), "");
    ClickName("v:a");
    EXPECT_EQ(Cell(2, 2), "2");
    EXPECT_EQ(Cell(3, 2), "0.25");
    ClickName("c:b");
    EXPECT_EQ(Cell(2, 3), "1");
    ASSERT_EQ(f.defaultFO.size(), 1u);

    // At most twenty names are kept.
    f.defaultFO.clear();
    for (int i = 0; i < 25; ++i) {
        Set(0, 2, "n" + std::to_string(i));
        Set(2, 2, "3");
        f.StoreDefaultFO(2);
    }
    EXPECT_EQ(f.defaultFO.size(), 20u);
    EXPECT_EQ(f.defaultFO.back().name, "n19");
}

TEST_F(Selection, TimeFactorMenuWritesTheXFactorAndResetKeepsTheUnit) {
    ClickName("v:a");
    f.shtimefactor1->Click();
    EXPECT_EQ(Cell(2, 1), "s->h");
    EXPECT_FALSE(f.SelectedGrid.GetEditCell(2, 1));
    EXPECT_EQ(f.SelectedGrid.GetColorCell(2, 1), 0xF0F0F0u);
    f.ResetBtnClick(&f.ResetBtn);
    EXPECT_EQ(Cell(2, 1), "s->h");
    EXPECT_EQ(f.timeUnit, "h");
    f.User1->Click();
    EXPECT_EQ(Cell(2, 1), "1");
    EXPECT_TRUE(f.SelectedGrid.GetEditCell(2, 1));
    EXPECT_EQ(f.timeUnit, "s");
}

TEST_F(Selection, EnterInTheGridPlotsAndUsesTheKeySoNoDefaultButtonPlotsAgain) {
    ClickName("v:a");
    ASSERT_FALSE(win.Shown);
    const auto outcome = f.SelectedGrid.HandleKey(VK_RETURN, 0, 0);
    EXPECT_TRUE(outcome.keyConsumed);
    EXPECT_TRUE(win.Shown);
    EXPECT_TRUE(f.lastPlotOk);
    WORD other = VK_TAB;
    f.SelectedGridKeyDown(&f.SelectedGrid, other, 0);
    EXPECT_EQ(other, VK_TAB);
}

TEST_F(Selection, OneFileRuleFollowsTheLayout) {
    EXPECT_FALSE(f.SelectionFromOneFile());
    ClickName("v:a");
    EXPECT_TRUE(f.SelectionFromOneFile());

    f.FileStringGrid.SetCells(0, 1, "a0");
    f.FileStringGrid.SetCells(2, 1, "b2");
    f.FileStringGrid.SetHintCell(2, 1, "/full/b2");
    f.FileStringGrid.SetCells(2, 2, "c2");
    TDataSelForm::SwapGridRows(f.FileStringGrid, 1, 2);
    EXPECT_EQ(f.FileStringGrid.Cells(2, 1), "c2");
    EXPECT_EQ(f.FileStringGrid.Cells(2, 2), "b2");
    EXPECT_EQ(f.FileStringGrid.Cells(0, 2), "a0");
    EXPECT_EQ(f.FileStringGrid.GetHintCell(2, 2), "/full/b2");
}

class MultiFileSelection : public SelectionFixture {
protected:
    void SetUp() override {
        Layout(true);
        Load(0, SmallAdf("one.adf"));
        Load(1, SmallAdf("two.adf"));
    }
};

TEST_F(MultiFileSelection, XYPlotsAreUnavailableAndTheTimeFactorStays) {
    ASSERT_EQ(f.selectionRows, 1);
    EXPECT_EQ(Cell(1, 1), "a");
    ClickName("v:a");
    EXPECT_EQ(Cell(1, 2), "2"); // file number of the current file
    f.smtimefactor1->Click();
    kit.messages.clear();
    ClickCell(1, 2);
    EXPECT_EQ(kit.MessageLines(),
              (std::vector<std::string>{
                  "Unavailable Function: X-Y Plots not supported in Multi-File mode (Sorry!)"}));
    EXPECT_EQ(f.xRow, 1);
    EXPECT_EQ(Cell(2, 1), "s->m");
    EXPECT_EQ(f.timeUnit, "m");
}

TEST_F(MultiFileSelection, ResetStartsAgainFromTheCommonXRow) {
    ClickName("v:a");
    f.selRecords[0] = {1, 7, 5, 3, 2};
    f.ResetBtnClick(&f.ResetBtn);
    EXPECT_EQ(f.selectionRows, 1);
    EXPECT_EQ(f.selRecords[0].slot, 0);
    EXPECT_EQ(f.selRecords[0].variable, 0);
    EXPECT_EQ(f.selRecords[0].second, -1);
    EXPECT_EQ(f.selRecords[0].operatorPos, 0);
    EXPECT_EQ(Cell(0, 1), "t");
    EXPECT_EQ(Cell(1, 1), "a");
    EXPECT_EQ(Cell(0, 2), "");

    ClickName("v:a");
    f.SelectFileRow(1);
    ClickName("c:b");
    EXPECT_FALSE(f.SelectionFromOneFile());
    EXPECT_FALSE(f.SaveVarBtn.Enabled());
    ClickCell(0, 3);
    EXPECT_TRUE(f.SelectionFromOneFile());
    EXPECT_TRUE(f.SaveVarBtn.Enabled());
}

} // namespace
