#include "FakeGridHost.h"
#include "PropertyText.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

void FillTexts(FakeAlignGrid& g) {
    for (int c = 0; c < g.host.ColCount(); ++c)
        for (int r = 0; r < g.host.RowCount(); ++r)
            g.host.SetCell(c, r, std::to_string(c) + "," + std::to_string(r));
}

std::string LineRecord(int index, int value) {
    char b[8];
    std::snprintf(b, sizeof b, "%02X%02X%02X", index & 255, index >> 8, value);
    return b;
}

// One entry in every row-indexed and cell table, all at row `row`, column 2.
// Reading a design overwrites the texts, so this comes before FillTexts.
void MarkRow(FakeAlignGrid& g, int row) {
    const std::string r = std::to_string(row);
    ASSERT_EQ(ReadComponentText("AlignRow = {" + LineRecord(row, alRight) + "}\n" +
                                    "HintCell = (2 " + r + " 'hint')\n" + "SelectedColorRow = (" +
                                    r + " 255)\n" + "SelectedColorCell = (2 " + r + " 65280)\n",
                                g),
              "");
    g.attrs.SetEditRow(row, false);
    g.attrs.SetEditCell(2, row, true);
    g.attrs.GetFontRow(row).SetColor(clRed);
    g.attrs.GetFontCell(2, row).SetStyle(fsBold);
    g.attrs.GetBrushRow(row).SetColor(clAqua);
    g.attrs.SetColorCell(2, row, clLime);
}

// Whether row `row` carries what MarkRow put there.
void ExpectMarked(const FakeAlignGrid& g, int row, bool marked) {
    const TAlignAttributes& a = g.attrs;
    SCOPED_TRACE("row " + std::to_string(row));
    EXPECT_EQ(a.GetAlignCell(3, row), marked ? alRight : alLeft);
    EXPECT_EQ(a.GetHintCell(2, row), marked ? "hint" : "");
    EXPECT_EQ(a.GetSelectedColorCell(3, row), marked ? 255u : clHighlight);
    EXPECT_EQ(a.GetSelectedColorCell(2, row), marked ? 65280u : clHighlight);
    EXPECT_EQ(a.GetEditCell(3, row), !marked);
    EXPECT_TRUE(a.GetEditCell(2, row));
    EXPECT_EQ(a.GetCellFont(3, row).Color(), marked ? clRed : clWindowText);
    EXPECT_EQ(a.GetCellFont(2, row).Style(), marked ? TFontStyles(fsBold) : 0u);
    EXPECT_EQ(a.GetColorCell(3, row), marked ? clAqua : clWindow);
    EXPECT_EQ(a.GetColorCell(2, row), marked ? clLime : clWindow);
}

TEST(RemoveRow, FixedRowsAndRowsPastTheEndAreLeftAlone) {
    FakeAlignGrid g(4, 5);
    FillTexts(g);
    g.attrs.RemoveRow(0);
    g.attrs.RemoveRow(5);
    g.attrs.RemoveRow(9);
    g.attrs.RemoveRow(-1);
    EXPECT_EQ(g.host.RowCount(), 5);
    EXPECT_EQ(g.host.GetCell(1, 0), "1,0");
    EXPECT_TRUE(g.host.rowMoves.empty());
}

TEST(RemoveRow, HintAndTextsMoveUpAndOnRowMovedFiresPerRowBelow) {
    FakeAlignGrid g(4, 5);
    FillTexts(g);
    g.attrs.SetHintCell(1, 3, "three");
    g.attrs.RemoveRow(2);
    EXPECT_EQ(g.host.RowCount(), 4);
    EXPECT_EQ(g.attrs.GetHintCell(1, 2), "three");
    EXPECT_EQ(g.attrs.GetHintCell(1, 3), "");
    EXPECT_EQ(g.host.GetCell(1, 2), "1,3");
    EXPECT_EQ(g.host.GetCell(1, 3), "1,4");
    EXPECT_EQ(g.host.rowMoves, (std::vector<std::pair<int, int>>{{2, 3}, {3, 4}}));
}

// A row font at row 1 only (as the main window gives its selection grid):
// removing row 2 must not fail half-way with the tables shifted and the texts
// not.
TEST(RemoveRow, RowBeyondEveryTableEndIsRemovedCompletely) {
    FakeAlignGrid g(4, 10, 2, 1);
    FillTexts(g);
    g.attrs.GetFontRow(1).SetColor(clBlack);
    g.attrs.GetFontFixedRow(1).SetColor(clBlack);
    g.attrs.SetEditCell(3, 1, false); // column 3 has a row list of length 2
    g.attrs.SetHintCell(0, 5, "five");
    g.attrs.RemoveRow(2);
    EXPECT_EQ(g.host.RowCount(), 9);
    EXPECT_EQ(g.host.GetCell(0, 2), "0,3");
    EXPECT_EQ(g.attrs.GetCellFont(2, 1).Color(), clBlack);
    EXPECT_FALSE(g.attrs.GetEditCell(3, 1));
    EXPECT_EQ(g.attrs.GetHintCell(0, 4), "five");
}

TEST(RemoveRow, EveryTableLosesTheRow) {
    FakeAlignGrid g(5, 8);
    MarkRow(g, 3);
    MarkRow(g, 5);
    g.attrs.RemoveRow(3);
    ExpectMarked(g, 3, false);
    ExpectMarked(g, 4, true);
    ExpectMarked(g, 5, false);
}

TEST(InsertRow, BelowTheFixedRowsAndAtTheBottom) {
    FakeAlignGrid g(4, 4);
    FillTexts(g);
    g.attrs.SetHintCell(1, 1, "one");
    g.attrs.InsertRow(0); // one fixed row: inserts at row 1
    EXPECT_EQ(g.host.RowCount(), 5);
    EXPECT_EQ(g.host.GetCell(1, 0), "1,0");
    EXPECT_EQ(g.host.GetCell(1, 1), "");
    EXPECT_EQ(g.host.GetCell(1, 2), "1,1");
    EXPECT_EQ(g.attrs.GetHintCell(1, 2), "one");

    g.host.rowMoves.clear();
    g.attrs.InsertRow(g.host.RowCount());
    EXPECT_EQ(g.host.RowCount(), 6);
    EXPECT_EQ(g.host.GetCell(1, 5), "");
    EXPECT_EQ(g.host.GetCell(1, 4), "1,3");
    EXPECT_EQ(g.attrs.GetHintCell(1, 2), "one");
    EXPECT_TRUE(g.host.rowMoves.empty());
}

TEST(InsertRow, EveryTableMakesRoom) {
    FakeAlignGrid g(5, 8);
    MarkRow(g, 3);
    g.attrs.InsertRow(2);
    ExpectMarked(g, 3, false);
    ExpectMarked(g, 4, true);
    EXPECT_EQ(g.host.rowMoves.back(), std::make_pair(3, 2));
}

TEST(InsertCol, ColumnFontFollowsItsColumn) {
    FakeAlignGrid g(5, 3);
    ASSERT_EQ(ReadComponentText("FontCol = (2 255 -11 'Arial' 0 0)", g), "");
    g.attrs.SetHintCell(2, 1, "two");
    g.attrs.InsertCol(3);
    EXPECT_EQ(g.attrs.GetCellFont(2, 1).Name(), "Arial");
    g.attrs.InsertCol(1);
    EXPECT_EQ(g.host.ColCount(), 7);
    EXPECT_EQ(g.attrs.GetCellFont(3, 1).Name(), "Arial");
    EXPECT_NE(g.attrs.GetCellFont(2, 1).Name(), "Arial");
    EXPECT_EQ(g.attrs.GetHintCell(3, 1), "two");
    g.attrs.InsertCol(0); // one fixed column: inserts at column 1
    EXPECT_EQ(g.attrs.GetHintCell(4, 1), "two");
}

TEST(RowMoved, CarriesEveryAttributeAndTheRowsBetweenMoveUp) {
    FakeAlignGrid g(5, 7);
    MarkRow(g, 1);
    MarkRow(g, 3);
    FillTexts(g);
    g.attrs.RowMoved(1, 4);
    ExpectMarked(g, 1, false);
    ExpectMarked(g, 2, true); // row 3 moved up
    ExpectMarked(g, 3, false);
    ExpectMarked(g, 4, true);
    EXPECT_EQ(g.host.GetCell(0, 4), "0,1");
    EXPECT_EQ(g.host.GetCell(0, 2), "0,3");
    g.attrs.RowMoved(4, 1); // and back
    ExpectMarked(g, 1, true);
    ExpectMarked(g, 3, true);
    ExpectMarked(g, 4, false);
}

TEST(RowMoved, SameIndexDoesNothingAtAll) {
    FakeAlignGrid g(5, 7);
    MarkRow(g, 2);
    g.attrs.RowMoved(2, 2);
    g.attrs.ColumnMoved(3, 3);
    EXPECT_TRUE(g.host.rowMoves.empty());
    EXPECT_TRUE(g.host.colMoves.empty());
    ExpectMarked(g, 2, true);
}

TEST(ColumnMoved, WholeColumnsOfCellAttributesMove) {
    FakeAlignGrid g(6, 4);
    FillTexts(g);
    g.attrs.SetHintCell(1, 2, "one");
    g.attrs.GetBrushCol(1).SetColor(clRed);
    g.attrs.ColumnMoved(1, 4);
    EXPECT_EQ(g.attrs.GetHintCell(4, 2), "one");
    EXPECT_EQ(g.attrs.GetColorCell(4, 3), clRed);
    EXPECT_EQ(g.attrs.GetColorCell(1, 3), clWindow);
    EXPECT_EQ(g.host.GetCell(4, 0), "1,0");
    EXPECT_EQ(g.host.colMoves.back(), std::make_pair(1, 4));
}

} // namespace
