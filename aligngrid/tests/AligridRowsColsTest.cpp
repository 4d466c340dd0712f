// Rows and columns of the real grid: texts through the string grid, every
// attribute table with its cells, and the framework events.
#include "AligridFixture.h"
#include "PropertyText.h"

namespace {
using Moves = std::vector<std::pair<int, int>>;

struct RowsCols : AligridFixture {
    Moves moved;
    void SetUp() override {
        AligridFixture::SetUp();
        for (int r = 0; r < 5; ++r)
            grid.SetCells(1, r, "r" + std::to_string(r));
        grid.OnRowMoved = [this](TObject*, int f, int t) { moved.emplace_back(f, t); };
    }
};

TEST_F(RowsCols, RemoveRowShiftsHintsTextsAndFiresOnRowMovedPerStep) {
    grid.SetHintCell(1, 3, "three");
    grid.RemoveRow(2);
    EXPECT_EQ(grid.RowCount(), 4);
    EXPECT_EQ(grid.GetHintCell(1, 2), "three");
    EXPECT_EQ(grid.GetHintCell(1, 3), "");
    EXPECT_EQ(grid.Cells(1, 2), "r3");
    EXPECT_EQ(grid.Cells(1, 3), "r4");
    EXPECT_EQ(moved, (Moves{{2, 3}, {3, 4}})); // RowCount - 1 - row steps
}

TEST_F(RowsCols, RemoveRowIgnoresFixedAndOutOfRangeRows) {
    grid.RemoveRow(0);
    grid.RemoveRow(5);
    grid.RemoveRow(-1);
    EXPECT_EQ(grid.RowCount(), 5);
    EXPECT_TRUE(moved.empty());
}

TEST_F(RowsCols, RemoveRowJustPastAShortTableKeepsEverythingConsistent) {
    // Row 1's own fonts make tables two entries long; removing row 2 must not
    // fail half-way through them.
    grid.GetFontRow(1).SetColor(clRed);
    grid.GetFontFixedRow(1).SetColor(clBlue);
    grid.SetEditRow(1, false);
    grid.RemoveRow(2);
    EXPECT_EQ(grid.RowCount(), 4);
    EXPECT_EQ(grid.GetCellFont(2, 1).Color(), clRed);
    EXPECT_EQ(grid.GetCellFont(0, 1).Color(), clBlue);
    EXPECT_FALSE(grid.GetEditCell(2, 1));
    EXPECT_EQ(grid.Cells(1, 2), "r3");
}

TEST_F(RowsCols, InsertRowKeepsFixedRowsAndAppendsAtTheEnd) {
    grid.SetColorCell(2, 1, clYellow);
    grid.InsertRow(0); // at the first non-fixed row
    EXPECT_EQ(grid.RowCount(), 6);
    EXPECT_EQ(grid.Cells(1, 0), "r0");
    EXPECT_EQ(grid.Cells(1, 1), "");
    EXPECT_EQ(grid.Cells(1, 2), "r1");
    EXPECT_EQ(grid.GetColorCell(2, 2), clYellow);
    moved.clear();
    grid.InsertRow(grid.RowCount());
    EXPECT_EQ(grid.RowCount(), 7);
    EXPECT_EQ(grid.Cells(1, 6), "");
    EXPECT_TRUE(moved.empty());
    EXPECT_EQ(grid.GetColorCell(2, 2), clYellow);
}

TEST_F(RowsCols, InsertColMovesColumnTablesRightOfIt) {
    ASSERT_EQ(ReadComponentText("RowCount = 5\nFontCol = (2 255 -12 'Serif' 0 1)", grid), "");
    EXPECT_EQ(grid.GetCellFont(2, 1).Style(), fsBold);
    grid.InsertCol(3);
    EXPECT_EQ(grid.GetCellFont(2, 1).Style(), fsBold);
    grid.InsertCol(1);
    EXPECT_EQ(grid.ColCount(), 7);
    EXPECT_EQ(grid.GetCellFont(3, 1).Style(), fsBold);
    EXPECT_EQ(grid.GetCellFont(2, 1).Style(), 0u);
}

TEST_F(RowsCols, MovingARowCarriesEveryAttributeOfIt) {
    ASSERT_EQ(ReadComponentText("AlignRow = {010000}\nSelectedColorRow = (1 255)", grid), "");
    for (int r = 0; r < 5; ++r)
        grid.SetCells(1, r, "r" + std::to_string(r));
    grid.GetBrushRow(1).SetColor(clLime);
    grid.GetFontRow(1).SetColor(clRed);
    grid.SetEditRow(1, false);
    grid.SetHintCell(3, 1, "hint");
    grid.SetColorCell(3, 1, clAqua);
    grid.MoveRow(1, 4);
    EXPECT_EQ(grid.Cells(1, 4), "r1");
    EXPECT_EQ(grid.Cells(1, 1), "r2");
    EXPECT_EQ(grid.GetAlignCell(2, 4), alRight);
    EXPECT_EQ(grid.GetSelectedColorCell(2, 4), 255u);
    EXPECT_EQ(grid.GetColorCell(2, 4), clLime);
    EXPECT_EQ(grid.GetCellFont(2, 4).Color(), clRed);
    EXPECT_FALSE(grid.GetEditCell(2, 4));
    EXPECT_EQ(grid.GetHintCell(3, 4), "hint");
    EXPECT_EQ(grid.GetColorCell(3, 4), clAqua);
    EXPECT_EQ(grid.GetAlignCell(2, 1), alLeft);
    EXPECT_TRUE(grid.GetEditCell(2, 1));
    EXPECT_EQ(moved, (Moves{{1, 4}}));
}

TEST_F(RowsCols, AMoveOntoItselfDoesNothing) {
    grid.RowMoved(2, 2);
    grid.ColumnMoved(3, 3);
    EXPECT_TRUE(moved.empty());
}

TEST_F(RowsCols, MovingAColumnCarriesItsCellAttributes) {
    grid.SetEditCell(1, 2, false);
    grid.GetBrushCol(1).SetColor(clGreen);
    grid.MoveColumn(1, 3);
    EXPECT_FALSE(grid.GetEditCell(3, 2));
    EXPECT_EQ(grid.GetColorCell(3, 2), clGreen);
    EXPECT_EQ(grid.Cells(3, 2), "r2");
}

TEST_F(RowsCols, SizeChangesFireTheirEventsWithTheGrid) {
    std::vector<std::string> events;
    grid.OnColWidthsChanged = [&](TObject* s) { events.push_back(s == &grid ? "cols" : "?"); };
    grid.OnRowHeightsChanged = [&](TObject* s) { events.push_back(s == &grid ? "rows" : "?"); };
    grid.SetColWidths(2, 90);
    grid.SetColWidths(2, 90); // no change, no event
    grid.SetRowHeights(1, 30);
    EXPECT_EQ(events, (std::vector<std::string>{"cols", "rows"}));
}
} // namespace
