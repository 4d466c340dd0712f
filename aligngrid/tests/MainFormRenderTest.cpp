// The main window's two grid designs read into real grids, rendered under
// the offscreen platform and saved as PNG (main_form_grids.png in the test's
// working directory); chosen pixels are checked.
#include "AligridFixture.h"
#include "MainFormGridDesigns.h"
#include "PropertyText.h"

#include <QImage>
#include <QPixmap>

namespace {

QRgb Rgb(TColor c) {
    const TColor rgb = ColorToRGB(c);
    return qRgb(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

// Left and right ends of the dark (text) pixels inside a rectangle; -1 when none.
std::pair<int, int> InkExtent(const QImage& img, const TRect& r) {
    int left = -1, right = -1;
    for (int x = r.Left; x < r.Right; ++x)
        for (int y = r.Top; y < r.Bottom - 1; ++y)
            if (qGray(img.pixel(x, y)) < 110) {
                if (left < 0) left = x;
                right = x;
                break;
            }
    return {left, right};
}

struct MainFormGrids : AligridFixture {
    void SetUp() override {
        AligridFixture::SetUp();
        ASSERT_EQ(ReadComponentText(FileStringGridDesign(), grid), "");
        ASSERT_EQ(ReadComponentText(SelectedGridDesign(), other), "");
        grid.SetCells(1, 1, "1");
        grid.SetCells(2, 1, "run.adf");
        grid.SetCells(6, 1, "0");
        Flush();
    }
};

TEST_F(MainFormGrids, TheBaseGridTakesItsOwnPropertiesFromTheDesign) {
    EXPECT_EQ(grid.ColCount(), 7);
    EXPECT_EQ(grid.RowCount(), 4);
    EXPECT_EQ(grid.FixedCols(), 5);
    EXPECT_EQ(grid.FixedRows(), 1);
    EXPECT_EQ(grid.DefaultRowHeight(), 17);
    EXPECT_TRUE(grid.Options() & goEditing);
    EXPECT_TRUE(grid.Options() & goTabs);
    EXPECT_EQ(grid.Cells(2, 0), "File Name");
    EXPECT_EQ(other.RowCount(), 10);
    EXPECT_EQ(other.FixedCols(), 2);
    EXPECT_EQ(other.Cells(0, 0), "Variable");
}

TEST_F(MainFormGrids, AWrittenDesignReadsBackIntoAnEqualGrid) {
    TWriter writer;
    WriteComponent(writer, grid);
    TStringAlignGrid copy(&form);
    TReader reader(writer.Bytes());
    ReadComponent(reader, copy);
    EXPECT_EQ(copy.ColCount(), 7);
    EXPECT_EQ(copy.FixedCols(), 5);
    EXPECT_EQ(copy.DefaultRowHeight(), 17);
    EXPECT_EQ(copy.Options(), grid.Options());
    EXPECT_EQ(copy.AfterLastCellTab(), lc_stop);
    EXPECT_FALSE(copy.DrawSelection());
    for (int c = 0; c < 7; ++c)
        for (int r = 0; r < 4; ++r) {
            EXPECT_EQ(copy.Cells(c, r), grid.Cells(c, r));
            EXPECT_EQ(copy.GetEditCell(c, r), grid.GetEditCell(c, r));
            EXPECT_EQ(copy.GetAlignCell(c, r), grid.GetAlignCell(c, r));
        }
    EXPECT_EQ(copy.GetColorCell(5, 2), 0xF4F4F4u);
}

TEST_F(MainFormGrids, RenderShowsGreyHeadersDesignedColoursAndAlignedTexts) {
    const QImage files = WidgetOf(grid).grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage selection = WidgetOf(other).grab().toImage().convertToFormat(QImage::Format_RGB32);
    QImage both(400, 380, QImage::Format_RGB32);
    both.fill(Qt::white);
    {
        QPainter p(&both);
        p.drawImage(0, 0, files);
        p.drawImage(0, 200, selection);
    }
    ASSERT_TRUE(both.save("main_form_grids.png"));

    // Header row grey, fixed data cells the fixed colour, column 5 its own brush.
    const TRect header = grid.CellRect(3, 0);
    EXPECT_EQ(files.pixel(header.Right - 4, header.Top + 1), Rgb(0xC0C0C0));
    const TRect fixedData = grid.CellRect(3, 2);
    EXPECT_EQ(files.pixel(fixedData.Left + 4, fixedData.Top + 4), Rgb(0xF0F0F0));
    const TRect tmax = grid.CellRect(5, 2);
    ASSERT_FALSE(tmax.IsEmpty());
    EXPECT_EQ(files.pixel(tmax.Left + 4, tmax.Top + 4), Rgb(0xF4F4F4));

    // Left-aligned header text begins 2 pixels into its cell.
    const TRect name = grid.CellRect(2, 0);
    const auto [left, right] = InkExtent(files, name);
    ASSERT_GE(left, 0);
    EXPECT_LE(left - name.Left, 4);
    EXPECT_GE(left - name.Left, 1);
    EXPECT_LT(right, name.Right - 4);

    // The selection table's "#" header is centred in its cell.
    const TRect hash = other.CellRect(1, 0);
    const auto [hl, hr] = InkExtent(selection, hash);
    ASSERT_GE(hl, 0);
    const int leftGap = hl - hash.Left, rightGap = hash.Right - 1 - hr;
    EXPECT_LE(std::abs(leftGap - rightGap), 3) << leftGap << " " << rightGap;
    EXPECT_GT(leftGap, 10);
}
} // namespace
