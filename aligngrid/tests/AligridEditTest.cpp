// Scripted edits through real key events: the order of OnBeforeEdit,
// OnAfterEdit and OnCancelEdit, Esc, Tab, focus exit and the automatic move.
#include "AligridFixture.h"
#include "Menus.h"
#include "PropertyText.h"

#include <QContextMenuEvent>

#include <functional>

namespace {
using Log = std::vector<std::string>;

TEST_F(AligridFixture, EnterCommitsAndReportsTheEditAfterTheKey) {
    Type("2");
    EXPECT_TRUE(EditorShown(grid));
    EXPECT_TRUE(grid.Editing());
    Key(Qt::Key_Return);
    EXPECT_EQ(log, (Log{"before 1,1"})); // OnAfterEdit is posted
    Flush();
    EXPECT_EQ(log, (Log{"before 1,1", "after 1,1"}));
    EXPECT_EQ(grid.Cells(1, 1), "2");
    EXPECT_FALSE(EditorShown(grid));
    EXPECT_FALSE(grid.Editing());
}

TEST_F(AligridFixture, EscRestoresTheTextOfTheLastOpeningNotOfTheVisit) {
    grid.SetCells(1, 1, "1");
    Type("2"); // the typed character replaces the selected text
    Key(Qt::Key_Return);
    Flush();
    Key(Qt::Key_Return); // reopen the same cell
    Flush();
    ASSERT_TRUE(EditorShown(grid));
    Type("3");
    EXPECT_EQ(grid.Cells(1, 1), "3");
    Key(Qt::Key_Escape);
    Flush();
    EXPECT_EQ(grid.Cells(1, 1), "2");
    EXPECT_FALSE(EditorShown(grid));
    // One visit: OnBeforeEdit ran once.
    EXPECT_EQ(log, (Log{"before 1,1", "after 1,1", "cancel 1,1"}));
}

TEST_F(AligridFixture, EscRestoresTheTextOnBeforeEditLeftInTheCell) {
    grid.SetCells(1, 1, "raw");
    grid.OnBeforeEdit = [&](TObject*, int c, int r) { grid.SetCells(c, r, "prepared"); };
    Type("9");
    ASSERT_TRUE(EditorShown(grid));
    Key(Qt::Key_Escape);
    Flush();
    EXPECT_EQ(grid.Cells(1, 1), "prepared");
}

TEST_F(AligridFixture, MovingAwayReportsTheOldCellAfterTheNewOnesBeforeEdit) {
    Type("5");
    Key(Qt::Key_Down); // the editor hands Down to the grid
    Flush();
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(log, (Log{"before 1,1", "before 1,2", "after 1,1"}));
    EXPECT_EQ(grid.Cells(1, 1), "5");
}

TEST_F(AligridFixture, FocusExitReportsAtOnceAndLetsTheFocusGo) {
    Type("7");
    other.SetFocus();
    EXPECT_EQ(log, (Log{"before 1,1", "after 1,1"}));
    Flush();
    EXPECT_TRUE(GridHasFocus(other));
    EXPECT_FALSE(EditorShown(grid));
    EXPECT_FALSE(grid.Editing());
}

TEST_F(AligridFixture, FocusLeavesBetweenEnterAndItsPostedReport) {
    Type("7");
    Key(Qt::Key_Return); // editor hidden, OnAfterEdit still pending
    other.SetFocus();
    Flush();
    EXPECT_TRUE(GridHasFocus(other));
    EXPECT_EQ(log, (Log{"before 1,1", "after 1,1"}));
}

TEST_F(AligridFixture, TwoGridsDoNotBounceTheFocus) {
    Type("1");
    other.SetFocus();
    Flush();
    QTest::keyClick(KeyTarget(other), '9');
    Flush();
    ASSERT_TRUE(EditorShown(other));
    grid.SetFocus();
    Flush();
    EXPECT_TRUE(GridHasFocus(grid));
    EXPECT_EQ(log, (Log{"before 1,1", "after 1,1", "other before 1,1", "other after 1,1"}));
}

TEST_F(AligridFixture, AnEditReopenedByAHandlerKeepsTheFocusOnlyOnce) {
    grid.SetOptions(grid.Options() | goAlwaysShowEditor);
    int moves = 0;
    grid.OnAfterEdit = [&](TObject*, int, int r) {
        ++moves;
        grid.SetRow(r + 1); // opens the editor on the next row
    };
    Type("1");
    ASSERT_TRUE(EditorShown(grid));
    other.SetFocus();
    Flush();
    EXPECT_TRUE(GridHasFocus(grid)); // taken back once
    other.SetFocus();
    Flush();
    EXPECT_TRUE(GridHasFocus(other)); // the next exit goes through
    EXPECT_LT(moves, 6);              // bounded: no endless reopening
}

TEST_F(AligridFixture, ALetterOnAReadOnlyCellReachesOnKeyPress) {
    grid.SetEditCell(1, 1, false);
    std::string pressed;
    grid.OnKeyPress = [&](TObject*, char& k) { pressed += k; };
    Type("q");
    EXPECT_FALSE(EditorShown(grid));
    EXPECT_EQ(pressed, "q");
    EXPECT_EQ(grid.Cells(1, 1), "");
    EXPECT_TRUE(log.empty());
}

TEST_F(AligridFixture, TabWalksByNextCellTabAndShiftTabReverses) {
    grid.SetOptions(grid.Options() | goTabs);
    std::vector<WORD> seen;
    grid.OnKeyDown = [&](TObject*, WORD& k, TShiftState) { seen.push_back(k); };
    Key(Qt::Key_Tab);
    EXPECT_EQ((TGridCoord{grid.Col(), grid.Row()}), (TGridCoord{2, 1}));
    EXPECT_EQ(seen, (std::vector<WORD>{0})); // the handler sees the key consumed
    grid.SetTabStops(3, false);
    Key(Qt::Key_Tab);
    EXPECT_EQ(grid.Col(), 4);
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(grid.Col(), 2);
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    Key(Qt::Key_Backtab, Qt::ShiftModifier); // past (1,1): lc_first wraps to the last cell
    EXPECT_EQ((TGridCoord{grid.Col(), grid.Row()}), (TGridCoord{4, 4}));
    grid.SetAfterLastCellTab(lc_stop);
    Key(Qt::Key_Tab);
    EXPECT_EQ((TGridCoord{grid.Col(), grid.Row()}), (TGridCoord{4, 4}));
    grid.SetAfterLastCellTab(lc_newcolrow);
    Key(Qt::Key_Tab);
    EXPECT_EQ(grid.RowCount(), 6);
    EXPECT_EQ((TGridCoord{grid.Col(), grid.Row()}), (TGridCoord{1, 5}));
    // Ctrl+Tab leaves the grid, also from an open editor, which ends its edit there;
    // Ctrl+Shift+Tab comes back. The current cell stays.
    log.clear();
    Type("6");
    Key(Qt::Key_Tab, Qt::ControlModifier);
    Flush();
    EXPECT_TRUE(GridHasFocus(other));
    EXPECT_EQ((TGridCoord{grid.Col(), grid.Row()}), (TGridCoord{1, 5}));
    EXPECT_EQ(grid.Cells(1, 5), "6");
    EXPECT_EQ(log, (Log{"before 1,5", "after 1,5"}));
    QTest::keyClick(KeyTarget(other), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    Flush();
    EXPECT_TRUE(GridHasFocus(grid));
    EXPECT_EQ((TGridCoord{grid.Col(), grid.Row()}), (TGridCoord{1, 5}));
}

// An open editor whose rows are changed by code: its text stays in the cell it was typed
// into and the edit ends there, so that neither a later key nor Esc nor leaving the grid
// writes into the row that took that place.
TEST_F(AligridFixture, AnOpenEditEndsInItsOwnCellBeforeRowsOrItsCellChange) {
    using Cells = std::vector<std::string>;
    struct Case {
        const char* what;
        std::function<void(TStringAlignGrid&)> change;
        Qt::Key then;
        Cells column; // column 1, rows 1 to 4, afterwards
    };
    const Case cases[] = {
        {"remove row 2",
         [](TStringAlignGrid& g) { g.RemoveRow(2); },
         Qt::Key_Up,
         {"a", "7", "d", ""}},
        {"remove row 2, Esc",
         [](TStringAlignGrid& g) { g.RemoveRow(2); },
         Qt::Key_Escape,
         {"a", "7", "d", ""}},
        {"insert row 1",
         [](TStringAlignGrid& g) { g.InsertRow(1); },
         Qt::Key_Up,
         {"", "a", "b", "7"}},
        {"move row 3 to 1",
         [](TStringAlignGrid& g) { g.MoveRow(3, 1); },
         Qt::Key_Down,
         {"7", "a", "b", "d"}},
        {"rows 1 to 3 only",
         [](TStringAlignGrid& g) { g.SetRowCount(4); },
         Qt::Key_Up,
         {"a", "b", "7", "d"}},
        {"cell rewritten",
         [](TStringAlignGrid& g) { g.SetCells(1, 3, "s->m"); },
         Qt::Key_Up,
         {"a", "b", "s->m", "d"}},
        {"row cleared",
         [](TStringAlignGrid& g) { g.ClearRow(3); },
         Qt::Key_Escape,
         {"a", "b", "", "d"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        grid.HideEditor();
        grid.SetRowCount(5);
        grid.SetCol(1);
        grid.SetRow(3);
        for (int r = 1; r <= 4; ++r)
            grid.SetCells(1, r, Cells{"a", "b", "c", "d"}[static_cast<std::size_t>(r - 1)]);
        Flush();
        log.clear();
        Type("7");
        ASSERT_TRUE(EditorShown(grid));
        c.change(grid);
        EXPECT_EQ(log, (Log{"before 1,3", "after 1,3"})); // ended at once
        EXPECT_FALSE(EditorShown(grid));
        Key(c.then);
        other.SetFocus();
        Flush();
        Cells column;
        for (int r = 1; r <= 4; ++r)
            column.push_back(grid.Cells(1, r));
        EXPECT_EQ(column, c.column);
        grid.SetFocus();
        Flush();
    }
}

// A right click in the editor offers the grid's pop-up menu, whose command ends the edit
// before it acts; without an active menu the editor's own text menu shows.
TEST_F(AligridFixture, ARightClickInTheEditorShowsTheGridsMenuAndItsCommandEndsTheEdit) {
    TPopupMenu menu(&form);
    bool editingWhenRun = true;
    menu.Add("s->m time factor", [&](TObject*) {
        editingWhenRun = EditorShown(grid);
        grid.SetCells(1, 1, "s->m");
    });
    grid.SetPopupMenu(&menu);
    int shown = 0;
    auto old = SetPopupHook([&](TPopupMenu& m, TPoint) {
        ++shown;
        EXPECT_EQ(&m, &menu);
        return 0;
    });
    Type("3");
    ASSERT_TRUE(EditorShown(grid));
    QWidget* line = InnerOf(*grid.InplaceEditor());
    QContextMenuEvent right(QContextMenuEvent::Mouse, QPoint(3, 3),
                            line->mapToGlobal(QPoint(3, 3)));
    QApplication::sendEvent(line, &right);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(menu.PopupComponent(), &grid);
    EXPECT_FALSE(editingWhenRun);
    EXPECT_FALSE(EditorShown(grid));
    Key(Qt::Key_Down);
    other.SetFocus();
    Flush();
    EXPECT_EQ(grid.Cells(1, 1), "s->m");
    EXPECT_EQ(log, (Log{"before 1,1", "after 1,1"}));

    menu.SetAutoPopup(false);
    grid.SetFocus();
    Flush();
    Type("4");
    ASSERT_TRUE(EditorShown(grid));
    line = InnerOf(*grid.InplaceEditor());
    QContextMenuEvent again(QContextMenuEvent::Mouse, QPoint(3, 3),
                            line->mapToGlobal(QPoint(3, 3)));
    QApplication::sendEvent(line, &again);
    Flush();
    EXPECT_EQ(shown, 1);
    QWidget* textMenu = QApplication::activePopupWidget();
    EXPECT_TRUE(textMenu && textMenu->inherits("QMenu"));
    if (textMenu) textMenu->close();
    SetPopupHook(old);
}

TEST_F(AligridFixture, AutoEditMovesToTheNextEditableCellAndReopens) {
    grid.SetAutoEditNextCell(true);
    grid.SetNextCellEdit(nc_downright);
    grid.SetEditable(false);
    grid.SetEditCell(1, 4, true);
    grid.SetEditCell(3, 2, true);
    grid.SetRow(4);
    Type("8");
    Key(Qt::Key_Return);
    Flush();
    EXPECT_EQ((TGridCoord{grid.Col(), grid.Row()}), (TGridCoord{3, 2}));
    EXPECT_TRUE(EditorShown(grid));
    EXPECT_EQ(log, (Log{"before 1,4", "after 1,4", "before 3,2"}));
}

TEST_F(AligridFixture, AutoEditWithNoOtherEditableCellReopensTheStartCell) {
    grid.SetAutoEditNextCell(true);
    grid.SetEditable(false);
    grid.SetEditCell(2, 2, true);
    grid.SetAfterLastCellEdit(lc_newcolrow); // would grow without end
    grid.SetCol(2);
    grid.SetRow(2);
    Type("4");
    Key(Qt::Key_Return);
    Flush();
    EXPECT_EQ((TGridCoord{grid.Col(), grid.Row()}), (TGridCoord{2, 2}));
    EXPECT_TRUE(EditorShown(grid));
    EXPECT_LE(grid.RowCount(), 6); // grown once at most
    EXPECT_EQ(log, (Log{"before 2,2", "after 2,2", "before 2,2"}));
}

TEST_F(AligridFixture, FocusEntryResumesTheEditorWithItsSelection) {
    grid.SetCells(1, 1, "abcdef");
    grid.SetOptions(grid.Options() | goAlwaysShowEditor);
    grid.ShowEditor();
    ASSERT_TRUE(EditorShown(grid));
    grid.InplaceEditor()->SetSelStart(2);
    grid.InplaceEditor()->SetSelLength(3);
    other.SetFocus();
    Flush();
    grid.SetFocus();
    Flush();
    ASSERT_TRUE(EditorShown(grid));
    EXPECT_EQ(grid.InplaceEditor()->SelStart(), 2);
    EXPECT_EQ(grid.InplaceEditor()->SelLength(), 3);
}

TEST_F(AligridFixture, TheEditorTakesTheCellsAlignmentFontAndColour) {
    grid.SetColorCell(1, 1, clYellow);
    grid.GetFontCell(1, 1).SetStyle(fsBold);
    ASSERT_EQ(ReadComponentText("AlignCol = {010002}", grid), "");
    grid.ShowEditor();
    auto* editor = grid.InplaceEditor();
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->TextAlignment(), 1); // centred
    EXPECT_EQ(editor->Color(), clYellow);
    EXPECT_EQ(editor->Font().Style(), fsBold);
}
} // namespace
