// Variable selection: the input of the list and of the selection grid passed to the
// selection model, and the grid drawn from it (x variable and curves, factors, offsets,
// composites of two variables, right axis, time factors, colours).
#include "DataSelFF.h"

#include "MessageBox.h"
#include "Messages.h"
#include "NumericText.h"
#include "PlotData.h"
#include "PlotWinFF.h"
#include "services/SystemHooks.h"

#include <algorithm>

namespace {

constexpr int kGridRows = CSelection::kMaxRows + 1;

bool StartsWith(const std::string& s, const char* prefix) {
    return s.rfind(prefix, 0) == 0;
}

} // namespace

void TDataSelForm::SetTimeFactorPopup(bool active) {
    xIsTime_ = active;
    TimeFactPopup.SetAutoPopup(xIsTime_);
}

void TDataSelForm::SetUpdatable(bool on) {
    updatable_ = on;
    UpdateBtn.SetEnabled(updatable_);
}

void TDataSelForm::DrawSelection() {
    const bool multi = fileSlots.Multi();
    const int n = selection.RowCount();
    const int x = selection.XRow();
    for (int r = 1; r < kGridRows; ++r) {
        std::array<std::string, 4> text;
        std::string hint;
        TColor colour = clBlack;
        bool italic = false, right = false;
        if (r <= n) {
            const SSelRow& row = selection.Row(r);
            text = {row.name, "", row.factorText, row.offsetText};
            if (multi)
                text[1] = r == 1 ? "a" : std::to_string(row.slot + 1);
            else
                text[1] = r == x ? "x" : row.rightAxis ? "r" : "";
            hint = row.hint;
            colour = row.colour;
            italic = row.operatorPos > 0;
            right = row.rightAxis;
        } else if (r == n + 1 && selection.Pending()) {
            const SSelRow& row = *selection.Pending();
            text[0] = row.name;
            text[1] = !multi && row.rightAxis ? "r" : "";
            colour = row.colour;
            italic = true;
            right = row.rightAxis;
        }
        for (int c = 0; c < 4; ++c)
            SelectedGrid.SetCells(c, r, text[static_cast<std::size_t>(c)]);
        SelectedGrid.SetHintCell(0, r, hint);
        TMyFont& font = SelectedGrid.GetFontCell(0, r);
        font.SetColor(colour);
        font.SetStyle(italic ? TFontStyles{fsItalic} : TFontStyles{0});
        SelectedGrid.ResetBrushCell(0, r);
        SelectedGrid.ResetBrushCell(3, r);
        if (right)
            SelectedGrid.SetColorCell(1, r, kRightAxisColour);
        else
            SelectedGrid.ResetBrushCell(1, r);
        const bool timeFactor = r == x && r <= n && IsTimeFactorText(text[2]);
        if (r == x && selection.CompositeMode())
            SelectedGrid.SetColorCell(2, r, clBtnFace);
        else if (timeFactor)
            SelectedGrid.SetColorCell(2, r, kTimeFactorColour);
        else
            SelectedGrid.ResetBrushCell(2, r);
        SelectedGrid.SetEditCell(2, r, !timeFactor);
    }
    SelectedGrid.Invalidate();
}

// An edit in progress ends in its own cell, so its text reaches the row it was typed for
// before a command moves, removes or rewrites rows.
void TDataSelForm::EndCellEdits() {
    SelectedGrid.EndEditForChange();
    FileStringGrid.EndEditForChange();
}

void TDataSelForm::SelectionCellEdited(int col, int row, const std::string& text) {
    if (col == 2)
        selection.SetFactorText(row, text);
    else if (col == 3)
        selection.SetOffsetText(row, text);
}

void TDataSelForm::EnableForSelection() {
    const bool multi = fileSlots.Multi();
    PlotBtn.SetEnabled(selection.RowCount() > 1);
    SaveVarBtn.SetEnabled(selection.FromOneFile(multi));
    DFTBtn.SetEnabled(selection.RowCount() == 2 && selection.XIsFirstVariable());
}

// ---- the list

void TDataSelForm::VarListMouseDown(TObject*, TMouseButton, TShiftState, int X, int Y) {
    const int item = VarList.ItemAtPos(TPoint{X, Y}, true);
    if (item >= 0) VarList.SetItemIndex(item);
}

void TDataSelForm::VarListMouseUp(TObject* Sender, TMouseButton Button, TShiftState, int X, int Y) {
    if (Sender == &VarList && files[static_cast<std::size_t>(fileSlots.Current())].nPoints <= 1) {
        MessageBox("The number of plot points must be greater than 1", "Error", MB_ICONSTOP);
        return;
    }
    if (Button == mbRight) {
        const int item = VarList.ItemAtPos(TPoint{X, Y}, true);
        if (item >= 0) VarList.SetItemIndex(item);
    }
    const int index = VarList.ItemIndex();
    if (index < 0) return;
    if (selection.RowCount() >= CSelection::kMaxRows) {
        Beep(500, 100);
        return;
    }
    bool right = Button == mbRight;
    if (selection.CompositeMode() && selection.Pending() && right)
        right = firstOperandButton == mbRight;
    AddSelectedVariable(index, right);
    firstOperandButton = Button;
    VarList.SetItemIndex(-1);
    DFTBtn.SetEnabled(selection.RowCount() == 2 && selection.XIsFirstVariable());
}

void TDataSelForm::AddSelectedVariable(int index, bool right) {
    EndCellEdits();
    const bool multi = fileSlots.Multi();
    const int slot = fileSlots.Current();
    const SimOut& f = files[static_cast<std::size_t>(slot)];
    // The list shows the current file's names, without the first in the multi-file layout.
    const int variable = index + (multi ? 1 : 0);
    if (index < 0 || !fileSlots.Loaded(slot) || variable >= f.nVars) return;
    const bool composite = selection.CompositeMode();
    const EAddResult added =
        selection.AddVariable(slot, variable, f.names[static_cast<std::size_t>(variable)], right,
                              options_.Flag(poAssociateFO));
    if (added == EAddResult::refused) return;
    if (added == EAddResult::added) {
        if (composite) SetOperatorMode(false);
        EnableForSelection();
    }
    DrawSelection();
}

// ---- the grid

void TDataSelForm::RemoveSelectedRow(int row) {
    EndCellEdits();
    if (row < 1 || row > selection.RowCount()) return;
    selection.RemoveRow(row, options_.Flag(poAssociateFO));
    PlotBtn.SetEnabled(selection.RowCount() > 1);
    SaveVarBtn.SetEnabled(SelectionFromOneFile());
    DrawSelection();
}

void TDataSelForm::SelectedGridMouseUp(TObject*, TMouseButton Button, TShiftState, int X, int Y) {
    EndCellEdits();
    if (selection.RowCount() == 0) return;
    const TGridCoord cell = SelectedGrid.MouseCoord(X, Y);
    const int d = cell.Y;
    if (Button == mbRight) return;
    const bool multi = fileSlots.Multi();
    const int x = selection.XRow();
    if (cell.X == 0 && d == x && !multi) {
        MessageBox("X-Variable cannot be removed; \nTo remove this variable, first define "
                   "another variable as X variable",
                   "Rejected Request", MB_ICONEXCLAMATION);
    }
    if (d <= 0 || d == x || d > selection.RowCount()) return;
    if (cell.X == 0) {
        RemoveSelectedRow(d);
        return;
    }
    if (cell.X != 1) return; // factor and offset are edited in place

    if (multi) {
        MessageBox("X-Y Plots not supported in Multi-File mode (Sorry!)", "Unavailable Function",
                   MB_ICONEXCLAMATION);
        return;
    }
    if (selection.Row(d).operatorPos > 0) {
        MessageBox("A composite variable cannot be the X variable", "Rejected Request",
                   MB_ICONEXCLAMATION);
        return;
    }
    if (selection.TimeUnit() != 's' && xIsTime_) {
        MessageBox("Converting time factor to \"User Defined\"", "Information", MB_ICONINFORMATION);
        User1Click(nullptr);
    }
    selection.MakeX(d);
    const bool timeX = selection.XIsFirstVariable() && selection.Row(d).name == "t";
    SetTimeFactorPopup(timeX);
    if (!timeX) User1Click(nullptr);
    SetUpdatable(false);
    DFTBtn.SetEnabled(selection.RowCount() == 2 && selection.XIsFirstVariable());
    DrawSelection();
}

bool TDataSelForm::EnterRunsACommand() const {
    return updatable_ || selection.RowCount() > 1;
}

// Enter runs the command of the button drawn as the default, which ends an edit first. The
// key is used up here, so that the window's default button does not run it again.
void TDataSelForm::SelectedGridKeyDown(TObject*, WORD& Key, TShiftState) {
    if (Key != VK_RETURN || !EnterRunsACommand()) return;
    Key = 0;
    if (updatable_)
        UpdateBtnClick(&UpdateBtn);
    else
        PlotBtnClick(&PlotBtn);
}

// Its character too: it does not open or close the cell editor after the command.
void TDataSelForm::SelectedGridKeyPress(TObject*, char& Key) {
    if (Key == 13 && EnterRunsACommand()) Key = 0;
}

void TDataSelForm::ResetBtnClick(TObject*) {
    EndCellEdits();
    if (selection.CompositeMode()) SetOperatorMode(false);
    DFTBtn.SetEnabled(false);
    selection.Clear(options_.Flag(poAssociateFO));
    PlotBtn.SetEnabled(false);
    SaveVarBtn.SetEnabled(false);

    if (fileSlots.Multi() && fileSlots.LoadedCount() > 0) {
        selection.SetCommonXRow(CommonXName(), true);
    } else if (VarList.Items().Count() > 0) {
        AddSelectedVariable(0, false);
        const std::string& x = selection.Row(selection.XRow()).name;
        const bool timeX = StartsWith(x, "t") || StartsWith(x, "%t");
        SetTimeFactorPopup(timeX);
        if (!timeX) User1Click(nullptr);
    }
    DrawSelection();
}

// ---- composite variables

void TDataSelForm::PlusBtnClick(TObject*) {
    selection.SetOperator('+');
    SetOperatorMode(PlusBtn.Down());
}

void TDataSelForm::MinusBtnClick(TObject*) {
    selection.SetOperator('-');
    SetOperatorMode(MinusBtn.Down());
}

void TDataSelForm::TimesBtnClick(TObject*) {
    selection.SetOperator('*');
    SetOperatorMode(TimesBtn.Down());
}

void TDataSelForm::SetOperatorMode(bool on) {
    EndCellEdits();
    // Every control the mode disables, with its remembered state.
    TControl* const kept[] = {&LoadBtn,  &RefreshBtn,     &RefUpdBtn,    &MultiFileBtn,
                              &AboutBtn, &FileStringGrid, &SelectedGrid, &UpdateBtn,
                              &PlotBtn,  &SaveVarBtn};
    TSpeedButton* const operators[] = {&PlusBtn, &MinusBtn, &TimesBtn};
    if (on) {
        if (!selection.CompositeMode()) {
            for (std::size_t i = 0; i < std::size(kept); ++i)
                savedEnabled_[i] = kept[i]->Enabled();
            savedDropping_ = AcceptsFiles();
            savedFixedColour_ = SelectedGrid.FixedColor();
        }
        selection.StartComposite();
        deactivatedInComposite_ = false;
        if (VarList.CanFocus()) VarList.SetFocus();
        for (TControl* c : kept)
            c->SetEnabled(false);
        DragAcceptFiles(false);
        for (TControl* c : {static_cast<TControl*>(&ResetBtn), static_cast<TControl*>(&OptionsBtn),
                            static_cast<TControl*>(&WidthsBtn)})
            c->SetEnabled(false);
        const char ops[] = {'+', '-', '*'};
        for (std::size_t i = 0; i < 3; ++i)
            operators[i]->SetEnabled(ops[i] == selection.Operator());
        FileStringGrid.SetColor(clBtnFace);
        SelectedGrid.SetColor(clBtnFace);
        SelectedGrid.SetFixedColor(clBtnFace);
        DrawSelection();
        return;
    }
    for (TSpeedButton* b : operators)
        b->SetDown(false);
    if (!selection.CompositeMode()) return;
    selection.EndComposite();
    for (std::size_t i = 0; i < std::size(kept); ++i)
        kept[i]->SetEnabled(savedEnabled_[i]);
    // Update shows its model again, which a zoom meanwhile may have changed.
    UpdateBtn.SetEnabled(updatable_);
    DragAcceptFiles(savedDropping_);
    for (TControl* c : {static_cast<TControl*>(&ResetBtn), static_cast<TControl*>(&OptionsBtn),
                        static_cast<TControl*>(&WidthsBtn), static_cast<TControl*>(&PlusBtn),
                        static_cast<TControl*>(&MinusBtn), static_cast<TControl*>(&TimesBtn)})
        c->SetEnabled(true);
    FileStringGrid.SetColor(clWhite);
    SelectedGrid.SetColor(clWhite);
    SelectedGrid.SetFixedColor(savedFixedColour_);
    DrawSelection();
}

// ---- time factor of the x row

void TDataSelForm::User1Click(TObject*) {
    EndCellEdits();
    selection.SetTimeUnit('s');
    DrawSelection();
}

void TDataSelForm::smtimefactor1Click(TObject*) {
    EndCellEdits();
    selection.SetTimeUnit('m');
    DrawSelection();
}

void TDataSelForm::shtimefactor1Click(TObject*) {
    EndCellEdits();
    selection.SetTimeUnit('h');
    DrawSelection();
}

// ---- questions about the selection

bool TDataSelForm::ResolveCompositeName(int record) {
    if (record < 0 || record >= selection.RowCount()) return false;
    const SSelRow& row = selection.Row(record + 1);
    const int pos = row.operatorPos;
    if (pos <= 1 || pos > static_cast<int>(row.name.size())) return false;
    const std::string first = row.name.substr(0, static_cast<std::size_t>(pos - 1));
    const std::string second = row.name.substr(static_cast<std::size_t>(pos));
    // Both operands among the names the list shows for the current file.
    const int slot = fileSlots.Current();
    if (!fileSlots.Loaded(slot)) return false;
    const SimOut& f = files[static_cast<std::size_t>(slot)];
    const auto begin = f.names.begin() + (fileSlots.Multi() ? 1 : 0);
    const auto end = f.names.begin() + f.nVars;
    return std::find(begin, end, first) != end && std::find(begin, end, second) != end;
}

bool TDataSelForm::SelectionFromOneFile() {
    return selection.FromOneFile(fileSlots.Multi());
}

// ---- remembered factors and offsets

void TDataSelForm::ApplyDefaultFO(int row) {
    selection.ApplyDefaultFO(row);
    DrawSelection();
}

void TDataSelForm::StoreDefaultFO(int row) {
    selection.StoreDefaultFO(row);
}

// ---- curve colours

TColor TDataSelForm::AllocCurveColour() {
    return selection.AllocColour();
}

void TDataSelForm::FreeCurveColour(TColor c) {
    selection.FreeColour(c);
}

void TDataSelForm::ResetCurveColours() {
    selection.ResetColours();
}

// ---- the plot window's zoom state

void TDataSelForm::EnableUpdate() {
    SetUpdatable(selection.XIsFirstVariable());
}

void TDataSelForm::DisableUpdate() {
    SetUpdatable(false);
}
