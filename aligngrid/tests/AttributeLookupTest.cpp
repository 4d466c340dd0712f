#include "FakeGridHost.h"
#include "PropertyText.h"

#include <gtest/gtest.h>

namespace {

// A 6 x 6 grid with one fixed column and one fixed row, given a design text.
struct Designed : FakeAlignGrid {
    explicit Designed(const char* design) : FakeAlignGrid(6, 6, 1, 1) {
        EXPECT_EQ(ReadComponentText(design, *this), "");
    }
};

TEST(AttributeLookup, WithoutEntriesEveryCellHasTheGridWideValues) {
    FakeAlignGrid g;
    g.host.font.SetColor(clRed);
    g.attrs.SetFixedColor(clYellow);
    for (int col = 0; col < 5; ++col)
        for (int row = 0; row < 5; ++row) {
            const bool fixed = col == 0 || row == 0;
            EXPECT_EQ(g.attrs.GetAlignCell(col, row), alLeft);
            EXPECT_TRUE(g.attrs.GetEditCell(col, row));
            EXPECT_EQ(&g.attrs.GetCellFont(col, row), &g.host.font);
            EXPECT_EQ(g.attrs.GetColorCell(col, row), fixed ? clYellow : clWindow);
            EXPECT_EQ(g.attrs.GetSelectedColorCell(col, row), clHighlight);
            EXPECT_EQ(g.attrs.GetSelectedFontColorCell(col, row), clWhite);
            EXPECT_EQ(g.attrs.GetHintCell(col, row), "");
        }
    EXPECT_EQ(g.host.BaseFixedColor(), clYellow);
}

TEST(AttributeLookup, AlignmentPrecedenceCellColumnRowDefault) {
    // Cell (2,2) right; column 2 and fixed column 3 centre; row 3 and fixed row 0 right.
    Designed g("Alignment = alCenter\n"
               "AlignCell = {0200020000}\n"
               "AlignCol = {020002}\n"
               "FixedAlignCol = {030002}\n"
               "AlignRow = {030000}\n"
               "FixedAlignRow = {000000}\n");
    struct Case {
        int col, row;
        TMyAlign expected;
    } cases[] = {
        {2, 2, alRight},  // cell
        {2, 3, alCenter}, // column beats row
        {4, 3, alRight},  // row
        {4, 4, alCenter}, // grid-wide
        {3, 0, alCenter}, // header in a scrolling column: fixed column table
        {2, 0, alRight},  // header: AlignCol[2] is not used, FixedAlignRow[0] is
        {0, 3, alCenter}, // fixed column 0: AlignRow[3] is not used
        {-1, 99, alCenter},
    };
    for (const Case& c : cases)
        EXPECT_EQ(g.attrs.GetAlignCell(c.col, c.row), c.expected) << c.col << "," << c.row;
}

TEST(AttributeLookup, EditabilityCellBeatsColumnBeatsRow) {
    Designed g("Editable = False\n"
               "EditCol = {020001030000}\n" // column 2 editable, column 3 not
               "EditRow = {040001050000}\n");
    g.attrs.SetEditCell(2, 4, false);
    EXPECT_FALSE(g.attrs.GetEditCell(2, 4)); // cell false wins over column true
    EXPECT_TRUE(g.attrs.GetEditCell(2, 1));  // column true in a read-only grid
    EXPECT_FALSE(g.attrs.GetEditCell(3, 4)); // column false wins over row true
    EXPECT_TRUE(g.attrs.GetEditCell(4, 4));
    EXPECT_FALSE(g.attrs.GetEditCell(4, 5));
    EXPECT_FALSE(g.attrs.GetEditCell(4, 1));
    EXPECT_TRUE(g.attrs.GetEditCell(2, 0)); // fixed cells have no tables of their own
}

TEST(AttributeLookup, FixedRowInScrollingColumnUsesFixedColumnTables) {
    Designed g("FontCol = (2 255 -20 'Courier' 0 1)\n"
               "FontFixedCol = (2 65280 -12 'Arial' 0 0)\n"
               "BrushCol = (2 255 0)\n"
               "BrushFixedCol = (2 65280 0)\n");
    EXPECT_EQ(g.attrs.GetCellFont(2, 0).Name(), "Arial");
    EXPECT_EQ(g.attrs.GetColorCell(2, 0), 65280u);
    EXPECT_EQ(g.attrs.GetCellFont(2, 1).Name(), "Courier");
    EXPECT_EQ(g.attrs.GetColorCell(2, 1), 255u);
}

TEST(AttributeLookup, BrushAndFontLevels) {
    FakeAlignGrid g;
    g.attrs.GetBrushRow(2).SetColor(clAqua);
    g.attrs.GetBrushCol(3).SetColor(clLime);
    g.attrs.SetColorCell(3, 2, clRed);
    g.attrs.GetBrushFixedRow(0).SetColor(clSilver);
    g.attrs.GetFontRow(2).SetColor(clBlue);
    g.attrs.GetFontCell(3, 2).SetStyle(fsItalic);
    EXPECT_EQ(g.attrs.GetColorCell(3, 2), clRed);
    EXPECT_EQ(g.attrs.GetColorCell(3, 1), clLime);
    EXPECT_EQ(g.attrs.GetColorCell(2, 2), clAqua);
    EXPECT_EQ(g.attrs.GetColorCell(1, 0), clSilver);
    EXPECT_EQ(g.attrs.GetColorCell(0, 2), clBtnFace); // fixed: not BrushRow
    EXPECT_EQ(g.attrs.GetCellFont(2, 2).Color(), clBlue);
    EXPECT_EQ(g.attrs.GetCellFont(3, 2).Style(), fsItalic);

    g.attrs.ResetBrushCell(3, 2);
    EXPECT_EQ(g.attrs.GetColorCell(3, 2), clLime);
    g.attrs.ResetBrushRow(2);
    EXPECT_EQ(g.attrs.GetColorCell(2, 2), clWindow);
    g.attrs.ResetBrushFixedRow(0);
    EXPECT_EQ(g.attrs.GetColorCell(1, 0), clBtnFace);
}

TEST(AttributeLookup, ResetBrushCellWithoutOwnBrushOnlyRepaints) {
    FakeAlignGrid g;
    g.attrs.GetBrushCol(2).SetColor(clLime);
    const int before = g.host.repaints;
    g.attrs.ResetBrushCell(2, 2);
    EXPECT_EQ(g.attrs.GetColorCell(2, 2), clLime);
    EXPECT_EQ(g.host.repaints, before + 1);
}

TEST(AttributeLookup, OwnObjectsCopyTheGridFontOfThatMomentAndRepaintOnChange) {
    FakeAlignGrid g;
    g.host.font.SetName("Arial");
    TMyFont& row = g.attrs.GetFontRow(2);
    EXPECT_EQ(&row, &g.attrs.GetFontRow(2)); // made once
    g.host.font.SetName("Courier");
    EXPECT_EQ(g.attrs.GetCellFont(3, 2).Name(), "Arial");
    const int before = g.host.repaints;
    row.SetColor(clRed);
    EXPECT_EQ(g.host.repaints, before + 1);
    g.attrs.GetBrushCell(1, 1).SetStyle(bsClear);
    EXPECT_EQ(g.host.repaints, before + 2);
}

TEST(AttributeLookup, SelectedColoursByLevel) {
    Designed g("SelectedCellColor = clRed\n"
               "SelectedColorCell = (2 2 65280)\n"
               "SelectedColorCol = (2 16711680)\n"
               "SelectedColorRow = (3 255 4 0)\n");
    EXPECT_EQ(g.attrs.GetSelectedColorCell(2, 2), 65280u);
    EXPECT_EQ(g.attrs.GetSelectedColorCell(2, 3), 16711680u);
    EXPECT_EQ(g.attrs.GetSelectedColorCell(3, 3), 255u);
    EXPECT_EQ(g.attrs.GetSelectedColorCell(3, 4), 0u);
    EXPECT_EQ(g.attrs.GetSelectedColorCell(3, 5), clRed);
}

TEST(AttributeLookup, EmptyHintIsStoredAndShowsEmpty) {
    FakeAlignGrid g;
    const int before = g.host.repaints;
    g.attrs.SetHintCell(1, 2, "full path");
    g.attrs.SetHintCell(1, 2, "");
    EXPECT_EQ(g.attrs.GetHintCell(1, 2), "");
    EXPECT_EQ(g.host.repaints, before); // hints do not repaint
    TWriter w;
    g.attrs.DefineProperties(w);
    w.WriteEndOfProperties();
    EXPECT_EQ(PropertyBinaryToText(w.Bytes()), "HintCell = (1 2 '')\n");
}

TEST(AttributeLookup, NegativeIndexThrowsAndChangesNothing) {
    FakeAlignGrid g;
    EXPECT_THROW(g.attrs.SetEditCell(-1, 2, false), EListError);
    EXPECT_THROW(g.attrs.SetEditRow(-1, false), EListError);
    EXPECT_THROW(g.attrs.SetHintCell(2, -1, "x"), EListError);
    EXPECT_THROW(g.attrs.GetFontRow(-1), EListError);
    EXPECT_THROW(g.attrs.GetBrushCell(1, -3), EListError);
    EXPECT_THROW(g.attrs.SetColorCell(-2, 1, clRed), EListError);
    EXPECT_THROW(g.attrs.ResetBrushRow(-1), EListError);
    // Nothing was stored, not even a stored flag: the writer has nothing to write.
    TWriter w;
    g.attrs.DefineProperties(w);
    EXPECT_TRUE(w.Bytes().empty());
    EXPECT_TRUE(g.attrs.GetEditCell(1, 2));
    EXPECT_EQ(g.attrs.GetColorCell(1, 1), clWindow);
}

TEST(CellComparers, ByteOrderWithPrefixFirst) {
    EXPECT_EQ(CompareCellTexts("", ""), rel_equal);
    EXPECT_EQ(CompareCellTexts("A", "a"), rel_less);
    EXPECT_EQ(CompareCellTexts("ab", "abc"), rel_less);
    EXPECT_EQ(CompareCellTexts("abc", "ab"), rel_greater);
    EXPECT_EQ(CompareCellTexts("z", "\xE9"), rel_less); // 0xE9 is above every ASCII code
    FakeAlignGrid g;
    g.host.SetCell(2, 1, "b");
    g.host.SetCell(2, 3, "a");
    g.host.SetCell(4, 3, "c");
    EXPECT_EQ(g.attrs.CompareCol(2, 1, 3), rel_greater); // rows 1 and 3 of column 2
    EXPECT_EQ(g.attrs.CompareRow(3, 2, 4), rel_less);    // columns 2 and 4 of row 3
    EXPECT_EQ(g.attrs.CompareCol(0, 1, 2), rel_equal);
}

TEST(ChangedFlags, OnlyRealChangesSetThem) {
    TMyFont font;
    font.SetName(font.Name());
    font.SetHeight(font.Height());
    font.SetStyle(font.Style());
    font.Assign(TFont());
    EXPECT_FALSE(font.IsChanged());
    font.SetPitch(fpFixed);
    EXPECT_TRUE(font.IsChanged());

    TMyFont copy;
    TFont other;
    other.SetColor(clRed);
    copy.Assign(other);
    EXPECT_TRUE(copy.IsChanged());

    TMyBrush brush;
    brush.SetColor(brush.Color());
    brush.Assign(TBrush());
    EXPECT_FALSE(brush.IsChanged());
    brush.SetStyle(bsCross);
    EXPECT_TRUE(brush.IsChanged());
}

} // namespace
