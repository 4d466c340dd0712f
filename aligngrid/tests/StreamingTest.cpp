#include "FakeGridHost.h"
#include "PropertyText.h"

#include <gtest/gtest.h>

namespace {

// The grid's defined properties as written, in text notation.
std::string WrittenText(FakeAlignGrid& g) {
    TWriter w;
    g.DefineProperties(w);
    w.WriteEndOfProperties();
    return PropertyBinaryToText(w.Bytes());
}

// A grid without fixed cells, so that column and row tables apply everywhere.
struct Plain : FakeAlignGrid {
    explicit Plain(const std::string& design, int cols = 8, int rows = 8)
        : FakeAlignGrid(cols, rows, 0, 0) {
        EXPECT_EQ(ReadComponentText(design, *this), "");
    }
};

TEST(BinaryProperties, ExamplesFromTheMainWindow) {
    Plain g("AlignCol = {000002}\n"
            "EditCell = {06000100010600020001 0600030001}\n"
            "EditCol = {050000}\n"
            "AlignCell = {0100000002}\n"
            "Editable = False\n");
    EXPECT_EQ(g.attrs.GetAlignCell(0, 5), alCenter);
    EXPECT_EQ(g.attrs.GetAlignCell(1, 0), alCenter);
    EXPECT_EQ(g.attrs.GetAlignCell(1, 1), alLeft);
    for (int row = 1; row <= 3; ++row)
        EXPECT_TRUE(g.attrs.GetEditCell(6, row));
    EXPECT_FALSE(g.attrs.GetEditCell(6, 4));
    g.attrs.SetEditable(true);
    EXPECT_FALSE(g.attrs.GetEditCell(5, 2));
    // Written back byte for byte, in column-major order.
    EXPECT_EQ(WrittenText(g), "AlignCell = {0100000002}\n"
                              "AlignCol = {000002}\n"
                              "EditCell = {060001000106000200010600030001}\n"
                              "EditCol = {050000}\n");
}

TEST(BinaryProperties, ValueBytesAreKeptAsTheyCome) {
    Plain g("AlignRow = {010007}\n"
            "EditRow = {0200050300000400FF}\n");
    EXPECT_EQ(static_cast<int>(g.attrs.GetAlignCell(3, 1)), 7); // painting treats it as alLeft
    EXPECT_TRUE(g.attrs.GetEditCell(3, 2));
    EXPECT_FALSE(g.attrs.GetEditCell(3, 3));
    EXPECT_TRUE(g.attrs.GetEditCell(3, 4));
    EXPECT_EQ(WrittenText(g), "AlignRow = {010007}\nEditRow = {0200050300000400FF}\n");
}

TEST(BinaryProperties, EmptyBlockLeavesTableEmptyAndFlagFalse) {
    Plain g("AlignCol = {}\nEditCell = {}\nFixedAlignRow = {}\n");
    EXPECT_EQ(WrittenText(g), "");
}

TEST(BinaryProperties, IncompleteLastRecordIsIgnored) {
    Plain g("AlignCol = {0200020300}\n" // one record and two bytes
            "AlignCell = {01000200}\n");
    EXPECT_EQ(g.attrs.GetAlignCell(2, 1), alCenter);
    EXPECT_EQ(g.attrs.GetAlignCell(3, 1), alLeft);
    EXPECT_EQ(g.attrs.GetAlignCell(1, 2), alLeft);
    EXPECT_EQ(WrittenText(g), "AlignCol = {020002}\n");
}

TEST(BinaryProperties, EntriesOutsideTheGridAreNotWritten) {
    Plain g("AlignCol = {020002 090001}\nAlignCell = {0300090002 0300010000}\n", 8, 8);
    EXPECT_EQ(WrittenText(g), "AlignCell = {0300010000}\nAlignCol = {020002}\n");
}

TEST(ListProperties, CellsAndBrushExamples) {
    FakeAlignGrid g(7, 4, 5, 1);
    ASSERT_EQ(ReadComponentText("Cells = (1 0 '#' 2 0 'File Name' 3 0 '# of vars' "
                                "4 0 '# of Points' 5 0 'Tmax' 6 0 'Tshift')\n"
                                "BrushCol = (5 16053492 0)\n",
                                g),
              "");
    EXPECT_EQ(g.host.GetCell(2, 0), "File Name");
    EXPECT_EQ(g.host.GetCell(6, 0), "Tshift");
    EXPECT_EQ(g.host.GetCell(0, 0), "");
    EXPECT_FALSE(g.attrs.HasStoredCells()); // released by Loaded
    EXPECT_EQ(g.attrs.GetColorCell(5, 2), 0xF4F4F4u);
    EXPECT_EQ(g.attrs.GetCellBrush(5, 2).Style(), bsSolid);
    EXPECT_EQ(g.attrs.GetColorCell(5, 0), clBtnFace); // header: a fixed cell
}

TEST(ListProperties, FontExampleStyleHasNoStyleBits) {
    Plain g("FontCol = (1 -2147483640 -14 'MS Sans Serif' 0 317732864)\n");
    const TFont& f = g.attrs.GetCellFont(1, 3);
    EXPECT_EQ(f.Color(), clWindowText);
    EXPECT_EQ(f.Height(), -14);
    EXPECT_EQ(f.Name(), "MS Sans Serif");
    EXPECT_EQ(f.Pitch(), fpDefault);
    EXPECT_EQ(f.Style(), 0u);
    // Written back with the plain style set.
    EXPECT_EQ(WrittenText(g), "FontCol = (1 -2147483640 -14 'MS Sans Serif' 0 0)\n");
}

TEST(ListProperties, IndexKeepsLowSixteenBits) {
    Plain g("HintCell = (65536 65538 'wrapped')\nBrushRow = (-65535 255 0)\n");
    EXPECT_EQ(g.attrs.GetHintCell(0, 2), "wrapped");
    EXPECT_EQ(g.attrs.GetColorCell(4, 1), 255u);
}

TEST(ListProperties, FontNameCutAndUnknownValuesTamed) {
    Plain g("FontRow = (2 0 -11 '0123456789012345678901234567890123456789' 7 3)\n"
            "BrushRow = (3 255 99)\n");
    EXPECT_EQ(g.attrs.GetCellFont(0, 2).Name(), "0123456789012345678901234567890");
    EXPECT_EQ(g.attrs.GetCellFont(0, 2).Pitch(), fpDefault);
    EXPECT_EQ(g.attrs.GetCellFont(0, 2).Style(), TFontStyles(fsBold | fsItalic));
    EXPECT_EQ(g.attrs.GetCellBrush(0, 3).Style(), bsSolid);
}

TEST(ListProperties, ColourItemsSetOwnBrushesWithoutStoring) {
    FakeAlignGrid g(6, 6, 1, 1);
    ASSERT_EQ(ReadComponentText("ColorCell = (2 2 255)\nColorCol = (3 65280)\n"
                                "ColorFixedCol = (3 16711680)\nColorRow = (4 65535)\n"
                                "ColorFixedRow = (0 12632256)\n",
                                g),
              "");
    EXPECT_EQ(g.attrs.GetColorCell(2, 2), 255u);
    EXPECT_EQ(g.attrs.GetColorCell(3, 4), 65280u);
    EXPECT_EQ(g.attrs.GetColorCell(3, 0), 16711680u);
    EXPECT_EQ(g.attrs.GetColorCell(2, 4), 65535u);
    EXPECT_EQ(g.attrs.GetColorCell(1, 0), 12632256u);
    EXPECT_EQ(WrittenText(g), "");
}

TEST(ListProperties, UnchangedFontsAndBrushesAreSkipped) {
    Plain g("FontRow = (1 255 -11 'Arial' 0 0)\nBrushCol = (1 16777215 0)\n");
    // A font equal to the defaults in a stored table, and a brush equal to the
    // defaults: the table is written, the item is not.
    g.attrs.GetFontRow(2);
    EXPECT_EQ(WrittenText(g), "FontRow = (1 255 -11 'Arial' 0 0)\nBrushCol = ()\n");
}

TEST(CellsProperty, WithoutCellsEveryTextBecomesEmpty) {
    FakeAlignGrid g(3, 3);
    g.host.SetCell(1, 1, "old");
    ASSERT_EQ(ReadComponentText("AlignCol = {010002}", g), "");
    EXPECT_EQ(g.host.GetCell(1, 1), "");
    EXPECT_EQ(g.loadedCalls, 1);
}

TEST(CellsProperty, WrittenOnlyWhenTheFormHadTexts) {
    FakeAlignGrid empty(3, 3);
    ASSERT_EQ(ReadComponentText("Cells = ()", empty), "");
    empty.host.SetCell(1, 1, "typed");
    EXPECT_EQ(WrittenText(empty), "");

    FakeAlignGrid full(3, 3);
    ASSERT_EQ(ReadComponentText("Cells = (1 0 'head')", full), "");
    full.host.SetCell(2, 2, "typed");
    full.host.SetCell(1, 0, "");
    EXPECT_EQ(WrittenText(full), "Cells = (2 2 'typed')\n");
}

TEST(Streaming, RoundTripKeepsEveryWrittenTable) {
    FakeAlignGrid g(6, 6, 1, 1);
    ASSERT_EQ(ReadComponentText("Alignment = alRight\nNextCellTab = nc_upleft\n"
                                "SelectedFontColor = clYellow\nShowCellHints = False\n"
                                "AlignCell = {0200030002}\nFixedAlignCol = {030001}\n"
                                "FixedAlignRow = {000002}\nAlignRow = {040000}\n"
                                "HintCell = (1 1 'a''b'#13#10'c')\n"
                                "Cells = (1 1 'x' 5 5 'y')\n"
                                "FontCell = (2 2 255 -12 'Arial' 1 5)\n"
                                "FontFixedCol = (2 0 -8 'Courier' 2 8)\n"
                                "FontFixedRow = (0 65280 -9 'Tahoma' 0 2)\n"
                                "BrushCell = (3 3 255 6)\nBrushFixedCol = (1 65535 0)\n"
                                "BrushRow = (2 8421504 1)\nBrushFixedRow = (0 0 0)\n"
                                "SelectedColorCell = (4 4 -2147483634)\n"
                                "SelectedColorCol = (3 12)\nSelectedColorRow = (2 13)\n",
                                g),
              "");
    g.attrs.SetEditCell(4, 1, false);
    g.attrs.SetEditRow(5, false);
    TWriter first;
    WriteComponent(first, g);

    FakeAlignGrid copy(1, 1, 1, 1);
    TReader reader(first.Bytes());
    ReadComponent(reader, copy);
    TWriter second;
    WriteComponent(second, copy);
    EXPECT_EQ(PropertyBinaryToText(second.Bytes()), PropertyBinaryToText(first.Bytes()));
    EXPECT_EQ(second.Bytes(), first.Bytes());
    EXPECT_EQ(copy.attrs.Alignment(), alRight);
    EXPECT_EQ(copy.attrs.NextCellTab(), nc_upleft);
    EXPECT_EQ(copy.attrs.GetHintCell(1, 1), "a'b\r\nc");
    EXPECT_EQ(copy.host.GetCell(5, 5), "y");
    EXPECT_EQ(copy.attrs.GetCellFont(2, 0).Name(), "Courier");
    EXPECT_EQ(copy.attrs.GetSelectedColorCell(4, 4), clHighlightText);
}

TEST(Streaming, WriterUsesTheSmallestIntegerForm) {
    TWriter w;
    for (const std::int32_t v : {0, 127, -128, 128, -129, 32767, -32768, 32768, INT32_MIN})
        w.WriteInteger(v);
    EXPECT_EQ(w.Bytes().size(), 3u * 2 + 4 * 3 + 2 * 5);
    TReader r(w.Bytes());
    for (const std::int32_t v : {0, 127, -128, 128, -129, 32767, -32768, 32768, INT32_MIN})
        EXPECT_EQ(r.ReadInteger(), v);
}

} // namespace
