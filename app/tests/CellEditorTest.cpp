// The cell editors of the main window as a user meets them with real keys: what the
// window's commands do to an edit in progress, leaving the grids by keyboard, and Enter.
#include "SelectionFixture.h"

#include "Control_p.h"
#include "InplaceEdit.h"
#include "Menus.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QContextMenuEvent>
#include <QImage>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTest>

namespace {

class CellEditor : public SelectionFixture {
protected:
    static void Flush() { QApplication::processEvents(); }
    static bool EditorShown(TStringAlignGrid& g) {
        return g.InplaceEditor() && g.InplaceEditor()->Visible();
    }
    static QWidget* KeyTarget(TStringAlignGrid& g) {
        return EditorShown(g) ? InnerOf(*g.InplaceEditor()) : InnerOf(g);
    }
    static bool HasFocus(TControl& c) {
        for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
            if (w == &WidgetOf(c)) return true;
        return false;
    }
    // Types into a cell as the user does: the focus, the cell, then the keys.
    void TypeInto(TStringAlignGrid& g, int col, int row, const char* text) {
        g.SetFocus();
        Flush();
        g.SetCol(col);
        g.SetRow(row);
        for (const char* p = text; *p; ++p) {
            QTest::keyClick(KeyTarget(g), *p);
            Flush();
        }
        ASSERT_TRUE(EditorShown(g));
        ASSERT_EQ(g.EditorCell(), (TGridCoord{col, row}));
    }
    // What the user does next: a key in that grid, then on to another control.
    void UpAndAway(TStringAlignGrid& g) {
        QTest::keyClick(KeyTarget(g), Qt::Key_Up);
        Flush();
        f.VarList.SetFocus();
        Flush();
    }
    std::string Tshift(const std::string& fileName) const {
        for (int r = 1; r < f.FileStringGrid.RowCount(); ++r)
            if (f.FileStringGrid.Cells(2, r) == fileName) return f.FileStringGrid.Cells(6, r);
        return "(not in the table)";
    }
    void DoubleClickFileRow(int row) {
        const TRect r = f.FileStringGrid.CellRect(2, row);
        const int y = (r.Top + r.Bottom) / 2;
        f.FileStringGridMouseUp(&f.FileStringGrid, mbLeft, 0, 8, y);
        f.FileStringGridDblClick(&f.FileStringGrid);
        f.FileStringGridMouseUp(&f.FileStringGrid, mbLeft, 0, 8, y);
    }
    std::string FourVariables() {
        return Write("four.adf", "// two points\nt v:a c:b i:c\n0 1 2 3\n1 2 3 4\n");
    }
    // x "t" and the curves v:a, c:b and i:c in rows 2 to 4.
    void SelectThree() {
        Layout(false);
        Load(0, FourVariables());
        for (const char* name : {"v:a", "c:b", "i:c"})
            ClickName(name);
        ASSERT_EQ(f.selection.RowCount(), 4);
    }
    // The share of a cell's pixels on screen that are the grey of a bad cell; 0 for a cell
    // out of view. What is pending is painted first, as a message box's own loop does.
    static double GreyShare(TStringAlignGrid& grid, int col, int row) {
        Flush();
        const TRect r = grid.CellRect(col, row);
        auto* area = dynamic_cast<QAbstractScrollArea*>(InnerOf(grid));
        if (!area || r.IsEmpty()) return 0;
        QWidget* top = area->window();
        const QPoint at = area->viewport()->mapTo(top, QPoint(r.Left, r.Top));
        const QImage shown = QGuiApplication::primaryScreen()
                                 ->grabWindow(top->winId(), at.x(), at.y(), r.Width(), r.Height())
                                 .toImage();
        int grey = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                grey += (shown.pixel(x, y) & 0xFFFFFF) == 0x808080 ? 1 : 0;
        return double(grey) / std::max(1, shown.width() * shown.height());
    }
    std::vector<std::string> NamesAndOffsets(int rows) const {
        std::vector<std::string> out;
        for (int r = 2; r <= rows; ++r)
            out.push_back(Cell(0, r) + "=" + Cell(3, r));
        return out;
    }
};

using Strings = std::vector<std::string>;

TEST_F(CellEditor, ARowRemovedByANameClickTakesNoTypedOffsetWithIt) {
    SelectThree();
    TypeInto(f.SelectedGrid, 3, 3, "7"); // the offset of c:b
    ClickCell(0, 2);                     // v:a goes
    UpAndAway(f.SelectedGrid);
    EXPECT_EQ(NamesAndOffsets(3), (Strings{"c:b=7", "i:c=0"}));
}

TEST_F(CellEditor, RefreshRemovingARowTakesNoTypedOffsetWithIt) {
    SelectThree();
    TypeInto(f.SelectedGrid, 3, 3, "7");
    Write("four.adf", "// two points\nt c:b i:c\n0 2 3\n1 3 4\n"); // v:a is no longer in the file
    f.RefreshBtnClick(&f.RefreshBtn);
    UpAndAway(f.SelectedGrid);
    EXPECT_EQ(NamesAndOffsets(3), (Strings{"c:b=7", "i:c=0"}));
}

TEST_F(CellEditor, UnloadingAnotherFileMovesNoTypedTshift) {
    Layout(true);
    for (const char* name : {"a.adf", "b.adf", "c.adf"})
        LoadByDialog(SmallAdf(name));
    TypeInto(f.FileStringGrid, 6, 2, "9"); // b's Tshift
    DoubleClickFileRow(1);                 // a goes
    UpAndAway(f.FileStringGrid);
    EXPECT_EQ(Tshift("a.adf"), "(not in the table)");
    EXPECT_EQ(Tshift("b.adf"), "9");
    EXPECT_EQ(Tshift("c.adf"), "0");
}

TEST_F(CellEditor, SwitchingTheLayoutTwiceMovesNoTypedTshift) {
    Layout(true);
    LoadByDialog(SmallAdf("a.adf"));
    LoadByDialog(SmallAdf("b.adf"));
    TypeInto(f.FileStringGrid, 6, 1, "9"); // a's Tshift
    Press(f.MultiFileBtn);
    Press(f.MultiFileBtn);
    UpAndAway(f.FileStringGrid);
    EXPECT_EQ(Tshift("a.adf"), "9");
    EXPECT_EQ(Tshift("b.adf"), "0");
}

TEST_F(CellEditor, AFileDroppedOnTheSingleFileLayoutStartsWithNoTshift) {
    Layout(false);
    Load(0, SmallAdf("a.adf"));
    TypeInto(f.FileStringGrid, 6, 1, "9");
    f.DropFiles({SmallAdf("b.adf")});
    UpAndAway(f.FileStringGrid);
    EXPECT_EQ(f.FileStringGrid.Cells(2, 1), "b.adf");
    EXPECT_EQ(f.FileStringGrid.Cells(6, 1), "0");
}

TEST_F(CellEditor, TheSavedStateReplacesATypedOffset) {
    Layout(false);
    Load(0, SmallAdf());
    ClickName("v:a");
    f.SSSpeedBtnClick(&f.SSSpeedBtn);
    TypeInto(f.SelectedGrid, 3, 2, "7");
    f.LSSpeedBtnClick(&f.LSSpeedBtn);
    UpAndAway(f.SelectedGrid);
    EXPECT_EQ(NamesAndOffsets(2), (Strings{"v:a=0"}));
}

// The right click in the x factor being typed offers the time factors; "s->m" ends the
// edit and stays: the plot divides x by 60.
TEST_F(CellEditor, TheTimeFactorChosenWhileTypingTheXFactorStays) {
    Layout(false);
    Load(0, SmallAdf());
    ClickName("v:a");
    TypeInto(f.SelectedGrid, 2, 1, "3");
    int shown = 0;
    auto old = SetPopupHook([&](TPopupMenu& m, TPoint) {
        ++shown;
        EXPECT_EQ(&m, &f.TimeFactPopup);
        return 1; // "s->m time factor"
    });
    QWidget* line = InnerOf(*f.SelectedGrid.InplaceEditor());
    QContextMenuEvent right(QContextMenuEvent::Mouse, QPoint(4, 4),
                            line->mapToGlobal(QPoint(4, 4)));
    QApplication::sendEvent(line, &right);
    SetPopupHook(old);
    EXPECT_EQ(shown, 1);
    UpAndAway(f.SelectedGrid);
    EXPECT_EQ(Cell(2, 1), "s->m");
    EXPECT_FALSE(f.SelectedGrid.GetEditCell(2, 1));
    Plot();
    ASSERT_TRUE(f.lastPlotOk);
    ExpectClose(X(*f.PreparedPlot, 0), {0, 0.5 / 60, 1.0 / 60, 1.5 / 60});
}

// Tab keeps to the cells of a grid; Ctrl+Tab and Ctrl+Shift+Tab leave it for its
// neighbours in tab order (the order itself: TabOrderTest).
TEST_F(CellEditor, TabKeepsToTheGridAndCtrlTabLeavesIt) {
    Layout(false);
    Load(0, SmallAdf());
    ClickName("v:a");
    f.SelectedGrid.SetFocus();
    Flush();
    f.SelectedGrid.SetCol(3);
    f.SelectedGrid.SetRow(9);
    QTest::keyClick(KeyTarget(f.SelectedGrid), Qt::Key_Tab); // past the last cell: wraps
    EXPECT_TRUE(HasFocus(f.SelectedGrid));
    EXPECT_EQ((TGridCoord{f.SelectedGrid.Col(), f.SelectedGrid.Row()}), (TGridCoord{2, 1}));

    QTest::keyClick(KeyTarget(f.SelectedGrid), Qt::Key_Tab, Qt::ControlModifier);
    Flush();
    EXPECT_TRUE(HasFocus(f.ResetBtn));
    f.SelectedGrid.SetFocus();
    Flush();
    QTest::keyClick(KeyTarget(f.SelectedGrid), Qt::Key_Backtab,
                    Qt::ControlModifier | Qt::ShiftModifier);
    Flush();
    EXPECT_TRUE(HasFocus(f.VarList));
}

// A speed button takes no focus, so the grid would keep its editor open through the button's
// command: a real click closes it first. The typed text has reached the selection as it was
// typed, and stays.
TEST_F(CellEditor, ASpeedButtonEndsTheEditBeforeItsCommand) {
    Layout(false);
    Load(0, SmallAdf());
    ClickName("v:a");
    for (TSpeedButton* button : {&f.SSSpeedBtn, &f.RefUpdBtn, &f.WidthsBtn}) {
        SCOPED_TRACE(button->Caption());
        TypeInto(f.SelectedGrid, 3, 2, button == &f.SSSpeedBtn ? "7" : "8");
        const std::string typed = f.SelectedGrid.InplaceEditor()->Text();
        std::vector<std::string> during;
        kit.onMessage = [&](const SShownMessage&) {
            during = {EditorShown(f.SelectedGrid) ? "editor open" : "editor closed",
                      f.selection.Row(2).offsetText};
        };
        QTest::mouseClick(InnerOf(*button), Qt::LeftButton);
        Flush();
        kit.onMessage = nullptr;
        if (button == &f.SSSpeedBtn) {
            EXPECT_EQ(during, (std::vector<std::string>{"editor closed", typed}));
        }
        EXPECT_FALSE(EditorShown(f.SelectedGrid));
        EXPECT_EQ(f.selection.Row(2).offsetText, typed);
        EXPECT_EQ(Cell(3, 2), typed);
    }
}

// A bad number typed into a cell and sent by Enter, or left by Tab before Plot: while the
// message shows, the cell is in view and grey, with no editor over it.
TEST_F(CellEditor, TheBadCellShowsGreyWhileItsMessageShows) {
    struct Case {
        const char* what;
        bool multi, fileTable, byTab;
    };
    for (const Case c :
         {Case{"factor, Enter", false, false, false}, Case{"time shift, Enter", false, true, false},
          Case{"time shift of the second file, Tab, Plot", true, true, true}}) {
        SCOPED_TRACE(c.what);
        f.ResetBtnClick(&f.ResetBtn);
        Layout(c.multi);
        Load(0, SmallAdf("a.adf"));
        if (c.multi) Load(1, SmallAdf("b.adf"));
        ClickName("v:a");
        TModelGrid& grid = c.fileTable ? f.FileStringGrid : f.SelectedGrid;
        const int col = c.fileTable ? 6 : 2;
        const int row = c.fileTable ? f.fileSlots.CurrentRow() : 2;
        TypeInto(grid, col, row, "abc");
        if (c.byTab) {
            QTest::keyClick(KeyTarget(grid), Qt::Key_Tab);
            Flush();
            ASSERT_TRUE(grid.CellRect(col, row).IsEmpty()); // the table scrolled back
        }
        kit.messages.clear();
        double grey = -1;
        kit.onMessage = [&](const SShownMessage&) { grey = GreyShare(grid, col, row); };
        if (c.byTab)
            QTest::mouseClick(InnerOf(f.PlotBtn), Qt::LeftButton);
        else
            QTest::keyClick(KeyTarget(grid), Qt::Key_Return);
        Flush();
        kit.onMessage = nullptr;
        EXPECT_EQ(kit.MessageLines(),
                  (std::vector<std::string>{"Error: Invalid number in the evidenced Cell"}));
        EXPECT_GT(grey, 0.5);
        EXPECT_FALSE(EditorShown(grid));
        grid.SetEditText(col, row, c.fileTable ? "0" : "1");
    }
}

// With Load and Plot both enabled, Plot is drawn as the default button and Enter in the
// variable list plots; once a zoom enables Update, Update is the default and Enter updates.
TEST_F(CellEditor, EnterPressesTheButtonDrawnAsTheDefault) {
    Layout(false);
    Load(0, SmallAdf());
    ClickName("v:a");
    ASSERT_TRUE(f.LoadBtn.Enabled());
    ASSERT_TRUE(f.PlotBtn.Enabled());
    f.VarList.SetFocus(); // where the user picked the variable
    Flush();
    auto drawnDefault = [&](TButton& b) {
        return qobject_cast<QPushButton*>(InnerOf(b))->isDefault();
    };
    EXPECT_TRUE(drawnDefault(f.PlotBtn));
    EXPECT_FALSE(drawnDefault(f.LoadBtn));
    EXPECT_EQ(f.DefaultButton(), &f.PlotBtn);
    QTest::keyClick(InnerOf(f.VarList), Qt::Key_Return);
    Flush();
    EXPECT_TRUE(kit.fileDialogs.empty());
    EXPECT_TRUE(f.lastPlotOk);

    f.EnableUpdate();
    Flush();
    EXPECT_TRUE(drawnDefault(f.UpdateBtn));
    EXPECT_FALSE(drawnDefault(f.PlotBtn));
    QTest::keyClick(InnerOf(f.VarList), Qt::Key_Return);
    Flush();
    EXPECT_TRUE(f.lastPlotOk);
    EXPECT_TRUE(f.UpdateBtn.Enabled()); // a Plot would have turned it off
}

} // namespace
