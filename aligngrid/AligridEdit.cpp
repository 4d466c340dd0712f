// The edit protocol (editor set-up, the five grid messages, focus, character
// input, Tab) and the cell walks.

#include "Aligrid.h"

#include "NewInplaceEdit.h"

TInplaceEdit* TStringAlignGrid::CreateEditor() {
    return new TNewInplaceEdit(*this);
}

bool TStringAlignGrid::CanEditShow() {
    bool r = TStringGrid::CanEditShow();
    TNewInplaceEdit* editor = Editor();
    if (!editor) return r;
    const int col = Col(), row = Row();
    if (editor->EditedCol != col || editor->EditedRow != row) {
        if (editor->EditedCol >= 0 && editor->EditedRow >= 0)
            PostMessage(WM_GRIDLEAVEEDIT, editor->EditedCol, editor->EditedRow);
        editor->BeforeEditReported = false;
    }
    r = r && GetEditCell(col, row);
    if (r) {
        editor->SetAlignment(GetAlignCell(col, row));
        editor->SetFont(GetCellFont(col, row));
        editor->SetColor(GetColorCell(col, row));
        editor->EditedCol = col;
        editor->EditedRow = row;
        // Esc goes back to the text of this opening, not of an earlier one
        // that Enter has already committed. The text is taken after
        // OnBeforeEdit, which may have prepared the cell.
        const bool reopening = !editor->Visible();
        const bool firstOpening = !editor->BeforeEditReported;
        if (firstOpening) {
            Perform(WM_GRIDBEFOREEDIT, col, row);
            editor->BeforeEditReported = true;
        }
        if (firstOpening || reopening) editor->TextBeforeEditing = Cells(col, row);
    } else {
        editor->EditedCol = editor->EditedRow = -1;
        if (EditorMode()) HideEditor();
    }
    return r;
}

void TStringAlignGrid::ReportCell(const TCellEvent& event, std::intptr_t col, std::intptr_t row) {
    if (event && col >= 0 && row >= 0) event(this, static_cast<int>(col), static_cast<int>(row));
}

void TStringAlignGrid::WndProc(TMessage& m) {
    if (destroying_) return;
    switch (m.Msg) {
    case WM_GRIDCANCELEDIT:
        editing_ = false;
        ReportCell(OnCancelEdit, m.WParam, m.LParam);
        break;
    case WM_GRIDENTEREDIT:
        editing_ = false;
        ReportCell(OnAfterEdit, m.WParam, m.LParam);
        AfterEnter(static_cast<int>(m.WParam), static_cast<int>(m.LParam));
        break;
    case WM_GRIDLEAVEEDIT:
        editing_ = false;
        ReportCell(OnAfterEdit, m.WParam, m.LParam);
        break;
    case WM_GRIDBEFOREEDIT:
        ReportCell(OnBeforeEdit, m.WParam, m.LParam);
        editing_ = true;
        break;
    case WM_GRIDRESUMEEDIT:
        ShowEditor();
        if (TNewInplaceEdit* editor = Editor(); editor && editor->Visible()) {
            editor->SetSelStart(savedSelStart_);
            editor->SetSelLength(savedSelLength_);
        }
        break;
    default:
        TStringGrid::WndProc(m);
    }
}

// The automatic move to the next editable cell. The editing flag is left to
// the editor-show query: it is set only when the editor really opens.
void TStringAlignGrid::AfterEnter(int col, int row) {
    if (!AutoEditNextCell() || col < 0 || row < 0) return;
    const TGridCoord next = NextEditableCell();
    if (next.X < 0 || next.Y < 0) return;
    if (TNewInplaceEdit* editor = Editor()) editor->EditedCol = editor->EditedRow = -1;
    FocusCell(next.X, next.Y);
    ShowEditor();
}

void TStringAlignGrid::EndEdit() {
    editing_ = false;
    HideEdit();
    Perform(WM_GRIDLEAVEEDIT, Col(), Row());
}

void TStringAlignGrid::EndEditForChange() {
    const TGridCoord at = EditorCell();
    if (at.X < 0 || at.Y < 0) return;
    editing_ = false;
    TStringGrid::EndEditForChange();
    if (TNewInplaceEdit* editor = Editor()) {
        editor->EditedCol = editor->EditedRow = -1;
        editor->BeforeEditReported = false;
    }
    Perform(WM_GRIDLEAVEEDIT, at.X, at.Y);
}

void TStringAlignGrid::RemoveRow(int row) {
    EndEditForChange();
    attrs_.RemoveRow(row);
}

void TStringAlignGrid::InsertRow(int row) {
    EndEditForChange();
    attrs_.InsertRow(row);
}

void TStringAlignGrid::InsertCol(int col) {
    EndEditForChange();
    attrs_.InsertCol(col);
}

void TStringAlignGrid::DoExit() {
    if (destroying_) {
        TStringGrid::DoExit();
        return;
    }
    TNewInplaceEdit* editor = Editor();
    if (editor && editor->Visible()) {
        resumeEditor_ = true;
        savedSelStart_ = editor->SelStart();
        savedSelLength_ = editor->SelLength();
        EndEdit();
    }
    // Only an edit that a handler has just reopened on screen keeps the focus,
    // and the exit after such a retake always goes through: an edit with no
    // editor on screen ends, so the user can always leave.
    editor = Editor();
    if (editing_ && editor && editor->Visible() && !focusRetaken_) {
        focusRetaken_ = true;
        SetFocus();
        return;
    }
    focusRetaken_ = false;
    editing_ = false;
    TStringGrid::DoExit();
    HideEditor();
}

void TStringAlignGrid::DoEnter() {
    TStringGrid::DoEnter();
    if (resumeEditor_ && (Options() & goAlwaysShowEditor)) PostMessage(WM_GRIDRESUMEEDIT, 0, 0);
}

void TStringAlignGrid::WMChar(char& key) {
    const auto u = static_cast<unsigned char>(key);
    if ((Options() & goEditing) && (key == 8 || u >= 32)) {
        ShowEditorChar(key);
        if (!EditorMode()) key = DoKeyPress(key);
        return;
    }
    TStringGrid::WMChar(key);
}

void TStringAlignGrid::KeyDown(WORD& key, TShiftState shift) {
    if (key == VK_TAB && !(shift & ssCtrl)) { // Ctrl+Tab leaves the grid (base step)
        const TGridCoord to = NextTabCell((shift & ssShift) != 0);
        FocusCell(to.X, to.Y);
        key = 0;
    }
    TStringGrid::KeyDown(key, shift);
}

// ---- walks

TWalkSizes TStringAlignGrid::Sizes() const {
    return {ColCount(), RowCount(), FixedCols(), FixedRows()};
}

TGridCoord TStringAlignGrid::NextCell(T_nextcell direction, t_lastcell rule, int col, int row) {
    const TWalkStep step = NextCellStep(Sizes(), direction, rule, col, row);
    if (step.insertRow >= 0) InsertRow(step.insertRow);
    if (step.insertCol >= 0) InsertCol(step.insertCol);
    return {step.col, step.row};
}

// One full pass over the non-fixed cells at most, and the grid grows at most
// once: a walk that finds nothing keeps its start cell instead of running on
// (with lc_newcolrow, instead of adding rows or columns without end).
template <class Take>
TGridCoord TStringAlignGrid::Walk(T_nextcell direction, t_lastcell rule, Take take) {
    const TGridCoord start{Col(), Row()};
    const int steps = (ColCount() - FixedCols()) * (RowCount() - FixedRows()) + 1;
    TGridCoord at = start;
    bool grown = false;
    for (int i = 0; i < steps; ++i) {
        const TWalkStep step = NextCellStep(Sizes(), direction, rule, at.X, at.Y);
        if (step.insertRow >= 0 || step.insertCol >= 0) {
            if (grown) return start;
            grown = true;
            if (step.insertRow >= 0) InsertRow(step.insertRow);
            if (step.insertCol >= 0) InsertCol(step.insertCol);
        }
        at = {step.col, step.row};
        if (at == start || at.X < 0 || at.Y < 0 || take(at)) return at;
    }
    return start;
}

TGridCoord TStringAlignGrid::NextEditableCell() {
    return Walk(NextCellEdit(), AfterLastCellEdit(),
                [this](TGridCoord c) { return GetEditCell(c.X, c.Y); });
}

TGridCoord TStringAlignGrid::NextTabCell(bool reverse) {
    const T_nextcell direction = reverse ? ReverseDirection(NextCellTab()) : NextCellTab();
    const TGridCoord to =
        Walk(direction, AfterLastCellTab(), [this](TGridCoord c) { return TabStops(c.X); });
    if (to.X < 0 || to.Y < 0) return {Col(), Row()};
    return to;
}
