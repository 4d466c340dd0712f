#include "FakeGridHost.h"
#include "MainFormGridDesigns.h"
#include "PropertyText.h"

#include <gtest/gtest.h>

namespace {

TEST(MainFormDesign, FileTableGetsHeadersAlignmentEditabilityAndColours) {
    FakeAlignGrid g;
    ASSERT_EQ(ReadComponentText(FileStringGridDesign(), g), "");
    EXPECT_EQ(g.host.ColCount(), 7);
    EXPECT_EQ(g.host.RowCount(), 4);
    EXPECT_EQ(g.host.FixedCols(), 5);
    EXPECT_EQ(g.defaultRowHeight, 17);
    const char* headers[] = {"", "#", "File Name", "# of vars", "# of Points", "Tmax", "Tshift"};
    for (int c = 0; c < 7; ++c)
        EXPECT_EQ(g.host.GetCell(c, 0), headers[c]);
    EXPECT_EQ(g.host.GetCell(6, 1), "");

    const TAlignAttributes& a = g.attrs;
    EXPECT_EQ(a.AfterLastCellEdit(), lc_stop);
    EXPECT_EQ(a.AfterLastCellTab(), lc_stop);
    EXPECT_FALSE(a.DrawSelection());
    EXPECT_EQ(a.FixedColor(), 0xF0F0F0u);
    // Column 0 is fixed, so its AlignCol entry does not apply.
    EXPECT_EQ(a.GetAlignCell(0, 1), alLeft);
    for (int r = 1; r <= 3; ++r)
        EXPECT_TRUE(a.GetEditCell(6, r));
    EXPECT_FALSE(a.GetEditCell(5, 1));
    for (int c = 0; c < 7; ++c)
        EXPECT_EQ(a.GetColorCell(c, 0), 0xC0C0C0u) << c;
    EXPECT_EQ(a.GetColorCell(2, 1), 0xF0F0F0u);
    EXPECT_EQ(a.GetColorCell(5, 1), 0xF4F4F4u);
    EXPECT_EQ(a.GetColorCell(6, 3), clWindow);
}

TEST(MainFormDesign, SelectionTableGetsHeadersAndCentredMarkerColumn) {
    FakeAlignGrid g;
    ASSERT_EQ(ReadComponentText(SelectedGridDesign(), g), "");
    EXPECT_EQ(g.host.ColCount(), 4);
    EXPECT_EQ(g.host.RowCount(), 10);
    EXPECT_EQ(g.host.FixedCols(), 2);
    const char* headers[] = {"Variable", "#", "Factor", "Offset"};
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(g.host.GetCell(c, 0), headers[c]);

    const TAlignAttributes& a = g.attrs;
    EXPECT_FALSE(a.DrawSelection());
    EXPECT_EQ(a.AfterLastCellTab(), lc_first);
    EXPECT_EQ(a.FixedColor(), 0xF0F0F0u);
    EXPECT_EQ(a.GetAlignCell(1, 0), alCenter);
    EXPECT_EQ(a.GetAlignCell(1, 5), alCenter);
    EXPECT_EQ(a.GetAlignCell(0, 5), alLeft);
    EXPECT_EQ(a.GetAlignCell(2, 5), alLeft);
    EXPECT_TRUE(a.GetEditCell(2, 1));
    EXPECT_EQ(a.GetColorCell(0, 0), 0xF0F0F0u);

    // The start-up step that blackens row 1 and then removing selection row 2.
    g.attrs.GetFontRow(1).SetColor(clBlack);
    g.attrs.GetFontFixedRow(1).SetColor(clBlack);
    g.attrs.RemoveRow(2);
    EXPECT_EQ(g.host.RowCount(), 9);
    EXPECT_EQ(a.GetCellFont(0, 1).Color(), clBlack);
}

} // namespace
