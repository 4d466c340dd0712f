// The grid base: the order of its virtual steps, editing, rows kept on shrink,
// moves, posted messages and streaming of column widths.
#include "Application.h"
#include "Control_p.h"
#include "Form.h"
#include "InplaceEdit.h"
#include "StringGrid.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QImage>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
class LoggingGrid : public TStringGrid {
public:
    using TStringGrid::TStringGrid;
    std::vector<std::string> log;
    bool allowEdit = true;

    bool SelectCell(int c, int r) override {
        log.push_back("select " + std::to_string(c) + "," + std::to_string(r));
        return TStringGrid::SelectCell(c, r);
    }
    bool CanEditShow() override {
        const bool r = TStringGrid::CanEditShow() && allowEdit;
        log.push_back(std::string("canEditShow ") + (InplaceEditor() ? "editor " : "none ") +
                      (r ? "yes" : "no"));
        return r;
    }
    TInplaceEdit* CreateEditor() override {
        log.push_back("createEditor");
        return TStringGrid::CreateEditor();
    }
    void KeyDown(WORD& key, TShiftState shift) override {
        log.push_back("keyDown " + std::to_string(key));
        TStringGrid::KeyDown(key, shift);
    }
    void WMChar(char& key) override {
        log.push_back(std::string("char ") + key);
        TStringGrid::WMChar(key);
    }
    void RowMoved(int from, int to) override {
        log.push_back("rowMoved " + std::to_string(from) + "," + std::to_string(to));
        TStringGrid::RowMoved(from, to);
    }
    void WndProc(TMessage& m) override {
        log.push_back("message " + std::to_string(m.Msg));
        TStringGrid::WndProc(m);
    }
};

struct Grid : ::testing::Test {
    int argc = 1;
    char name[8] = "t";
    char* argv[2] = {name, nullptr};
    TApplication app{argc, argv};
    TForm form;
    LoggingGrid grid{&form};

    void SetUp() override {
        form.SetClientSize(400, 300);
        grid.SetBounds(0, 0, 400, 300);
        grid.SetColCount(4);
        grid.SetRowCount(5);
        grid.SetOptions(grid.Options() | goEditing);
        form.Show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&WidgetOf(form)));
        grid.SetFocus();
        QApplication::processEvents();
        grid.log.clear();
    }
    // Where keys go: the open editor, else the grid.
    QWidget* Focus() {
        TInplaceEdit* e = grid.InplaceEditor();
        return e && e->Visible() ? InnerOf(*e) : InnerOf(grid);
    }
};
} // namespace

TEST_F(Grid, TypingOpensTheEditorInTheDocumentedOrder) {
    QTest::keyClick(Focus(), Qt::Key_7);
    QApplication::processEvents(); // the character reaches the editor posted
    const std::vector<std::string> expected = {"keyDown 55", "char 7", "canEditShow none yes",
                                               "createEditor", "canEditShow editor yes"};
    // (The editor taking the focus may run the focus-entry step after these.)
    ASSERT_GE(grid.log.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(grid.log.begin(), grid.log.begin() + 5), expected);
    ASSERT_TRUE(grid.InplaceEditor());
    EXPECT_TRUE(grid.InplaceEditor()->Visible());
    EXPECT_EQ(grid.Cells(1, 1), "7"); // typing writes through at once
    QTest::keyClick(Focus(), Qt::Key_8);
    EXPECT_EQ(grid.Cells(1, 1), "78");
    QTest::keyClick(Focus(), Qt::Key_Return); // Enter hides the editor
    EXPECT_FALSE(grid.EditorMode());
    EXPECT_FALSE(grid.InplaceEditor()->Visible());
}

TEST_F(Grid, ArrowMovesAskSelectCellAndTheEditorFollows) {
    grid.SetCells(2, 1, "b");
    grid.ShowEditor();
    grid.log.clear();
    grid.InplaceEditor()->SetFocus();
    QTest::keyClick(Focus(), Qt::Key_Down);
    EXPECT_EQ(grid.Row(), 2);
    grid.OnSelectCell = [](TObject*, int, int r, bool& can) { can = r != 3; };
    QTest::keyClick(Focus(), Qt::Key_Down); // refused
    EXPECT_EQ(grid.Row(), 2);
    const std::vector<std::string> expected = {
        "keyDown 40", "select 1,2", "canEditShow editor yes", "canEditShow editor yes",
        "keyDown 40", "select 1,3"};
    EXPECT_EQ(grid.log, expected);
}

TEST_F(Grid, RefusedEditorStaysClosedAndTheCellUnchanged) {
    grid.allowEdit = false;
    QTest::keyClick(Focus(), Qt::Key_A);
    EXPECT_FALSE(grid.InplaceEditor() && grid.InplaceEditor()->Visible());
    EXPECT_EQ(grid.Cells(1, 1), "");
}

TEST_F(Grid, ShrinkingKeepsHiddenRowsTexts) {
    grid.SetCells(1, 4, "kept");
    grid.SetRowCount(3);
    EXPECT_EQ(grid.RowCount(), 3);
    grid.SetRowCount(5);
    EXPECT_EQ(grid.Cells(1, 4), "kept");
}

TEST_F(Grid, MoveRowRotatesTextsAndFiresOnRowMoved) {
    for (int r = 1; r < 5; ++r)
        grid.SetCells(0, r, std::to_string(r));
    std::vector<int> events;
    grid.OnRowMoved = [&](TObject*, int f, int t) { events.insert(events.end(), {f, t}); };
    grid.SetRowHeights(1, 40);
    grid.MoveRow(1, 4);
    EXPECT_EQ(grid.Cells(0, 1), "2");
    EXPECT_EQ(grid.Cells(0, 3), "4");
    EXPECT_EQ(grid.Cells(0, 4), "1");
    EXPECT_EQ(grid.RowHeights(4), 40);
    EXPECT_EQ(events, (std::vector<int>{1, 4}));
    grid.RowMoved(4, 1); // the string grid's own step: texts only
    EXPECT_EQ(grid.Cells(0, 1), "1");
    EXPECT_EQ(grid.RowHeights(4), 40);
}

TEST_F(Grid, MouseCoordAndCellRectAgree) {
    const TRect r = grid.CellRect(2, 3);
    ASSERT_FALSE(r.IsEmpty());
    EXPECT_EQ(grid.MouseCoord(r.Left + 1, r.Top + 1), (TGridCoord{2, 3}));
    EXPECT_EQ(grid.MouseCoord(-1, 5), (TGridCoord{-1, -1}));
    EXPECT_EQ(grid.MouseCoord(399, 299), (TGridCoord{-1, -1}));
    EXPECT_TRUE(grid.CellRect(9, 9).IsEmpty());
    EXPECT_TRUE(grid.CellRect(-1, 0).IsEmpty());
}

TEST_F(Grid, PostedMessagesArriveInOrderAfterTheCurrentInput) {
    grid.OnKeyDown = [&](TObject*, WORD&, TShiftState) {
        grid.PostMessage(WM_USER + 2001, 1, 2);
        grid.PostMessage(WM_USER + 2002, 1, 2);
        grid.log.push_back("handler done");
    };
    QTest::keyClick(Focus(), Qt::Key_F5);
    QApplication::processEvents();
    const std::vector<std::string> expected = {"keyDown 116", "handler done", "message 3025",
                                               "message 3026"};
    EXPECT_EQ(grid.log, expected);
}

TEST_F(Grid, ClickOnTheCurrentCellOpensTheEditor) {
    const TRect r = grid.CellRect(1, 1);
    QWidget* vp = InnerOf(grid)->findChild<QWidget*>("qt_scrollarea_viewport");
    ASSERT_TRUE(vp);
    QTest::mouseClick(vp, Qt::LeftButton, {}, QPoint(r.Left + 3, r.Top + 3));
    EXPECT_TRUE(grid.EditorMode());
    const TRect r2 = grid.CellRect(2, 2);
    QTest::mouseClick(vp, Qt::LeftButton, {}, QPoint(r2.Left + 3, r2.Top + 3));
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_EQ(grid.Row(), 2);
}

namespace {
struct GridStream : TStreamable {
    TCustomGrid& g;
    explicit GridStream(TCustomGrid& grid) : g(grid) {}
    bool ReadPublished(const std::string&, TReader&) override { return false; }
    void WritePublished(TWriter&) override {}
    void DefineProperties(TFiler& filer) override { g.DefineProperties(filer); }
    void Loaded() override { g.Loaded(); }
};
} // namespace

TEST_F(Grid, ColumnWidthsAndRowHeightsStreamRoundTrip) {
    grid.SetColWidths(2, 90);
    grid.SetRowHeights(3, 7);
    TWriter writer;
    GridStream out(grid);
    WriteComponent(writer, out);

    LoggingGrid copy(&form);
    copy.SetColCount(4);
    copy.SetRowCount(5);
    GridStream in(copy);
    TReader reader(writer.Bytes());
    ReadComponent(reader, in);
    EXPECT_EQ(copy.ColWidths(2), 90);
    EXPECT_EQ(copy.ColWidths(1), 64);
    EXPECT_EQ(copy.RowHeights(3), 7);

    TWriter plain; // default sizes write nothing
    LoggingGrid fresh(&form);
    GridStream f(fresh);
    WriteComponent(plain, f);
    EXPECT_EQ(plain.Bytes().size(), 1u);
}

// Grid lines run along the cells only: below the last row the grid is plain.
TEST_F(Grid, LinesEndWithTheLastRowAndColumn) {
    for (int c = 0; c < 4; ++c)
        grid.SetColWidths(c, 50);
    QApplication::processEvents();
    auto* area = dynamic_cast<QAbstractScrollArea*>(InnerOf(grid));
    ASSERT_TRUE(area);
    const QImage picture = area->viewport()->grab().toImage();
    const int lineX = grid.CellRect(1, 1).Right, lineY = grid.CellRect(1, 1).Bottom;
    const int lastBottom = grid.CellRect(1, 4).Bottom, lastRight = grid.CellRect(3, 1).Right;
    ASSERT_LT(lastBottom + 10, picture.height());
    ASSERT_LT(lastRight + 10, picture.width());
    const QColor line = picture.pixelColor(lineX, lineY - 3);
    const QColor plain = picture.pixelColor(lineX - 3, lastBottom + 8);
    EXPECT_NE(line, plain);                                      // a line between two cells
    EXPECT_EQ(picture.pixelColor(lineX, lastBottom + 8), plain); // none below the last row
    EXPECT_EQ(picture.pixelColor(lastRight + 8, lineY), plain);  // none right of the last column
}

// A bar shows only while cells overflow the whole grid, and goes when they fit again,
// even when the two bars together were what made each other needed.
TEST_F(Grid, ScrollBarsShowOnlyWhileCellsOverflow) {
    auto* area = dynamic_cast<QAbstractScrollArea*>(InnerOf(grid));
    ASSERT_TRUE(area);
    auto bars = [&] {
        QApplication::processEvents();
        return std::string(area->verticalScrollBar()->isVisible() ? "v" : "-") +
               (area->horizontalScrollBar()->isVisible() ? "h" : "-");
    };
    EXPECT_EQ(bars(), "--");
    grid.SetRowCount(30);
    EXPECT_EQ(bars(), "v-");
    for (int c = 0; c < 4; ++c)
        grid.SetColWidths(c, 99); // 4 x (99 + 1) = 400: fits only without the vertical bar
    EXPECT_EQ(bars(), "vh");
    grid.SetRowCount(5);
    EXPECT_EQ(bars(), "--");
    EXPECT_EQ(grid.VisibleColCount(), 3); // columns 1 to 3, column 0 fixed
}

TEST(GridScale, ScaleByScalesCellSizesAndFont) {
    TStringGrid grid(nullptr);
    grid.SetColCount(3);
    grid.SetRowCount(4);
    grid.SetDefaultColWidth(64);
    grid.SetDefaultRowHeight(24);
    grid.SetColWidths(1, 100);
    grid.Font().SetHeight(-12);
    grid.ChangeScale(3, 2);
    EXPECT_EQ(grid.ColWidths(0), 96);
    EXPECT_EQ(grid.ColWidths(1), 150);
    EXPECT_EQ(grid.RowHeights(2), 36);
    EXPECT_EQ(grid.Font().Height(), -18);
}

// Shown or hidden while resized, the grid keeps its current row in view and its bars
// follow the new size.
TEST_F(Grid, ResizeKeepsTheCurrentRowInViewAndTheBarsFollow) {
    auto* area = dynamic_cast<QAbstractScrollArea*>(InnerOf(grid));
    ASSERT_TRUE(area);
    auto rowShown = [&](int row) {
        QApplication::processEvents();
        const TRect r = grid.CellRect(1, row);
        return !r.IsEmpty() && r.Bottom <= area->viewport()->height();
    };
    grid.SetRowCount(30); // 25 pixels a row
    grid.SetRow(20);
    ASSERT_TRUE(rowShown(20));
    grid.SetBounds(0, 0, 400, 100);
    EXPECT_TRUE(rowShown(20));
    grid.SetBounds(0, 0, 400, 1000);
    EXPECT_TRUE(rowShown(20));
    EXPECT_FALSE(area->verticalScrollBar()->isVisible());
    EXPECT_EQ(grid.TopRow(), 1);
    form.Hide();
    grid.SetBounds(0, 0, 400, 100);
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&WidgetOf(form)));
    EXPECT_TRUE(rowShown(20));
    EXPECT_TRUE(area->verticalScrollBar()->isVisible());
}
