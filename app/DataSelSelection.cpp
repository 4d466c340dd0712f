// Variable selection: the rows of SelectedGrid (x variable and curves, factors, offsets,
// composites of two variables, right axis, time factors), their records and colours.
#include "DataSelFF.h"

#include "MessageBox.h"
#include "Messages.h"
#include "NumericText.h"
#include "PlotData.h"
#include "PlotWinFF.h"
#include "services/SystemHooks.h"

#include <algorithm>

namespace {

constexpr std::array<TColor, kMaxCurves> kPalette = {
    0x000000, 0x0000FF, 0x008000, 0xFF0000, 0xFF00FF, 0x000080, 0x808080, 0xCCCC00, 0x00CCCC};
constexpr int kGridRows = 10;
constexpr int kMaxRows = kGridRows - 1;

bool StartsWith(const std::string& s, const char* prefix) {
    return s.rfind(prefix, 0) == 0;
}

// Factor and offset both read and not the neutral 1 and 0; cells that are no number are
// left to the plot's check.
bool ScaledRow(const TStringAlignGrid& grid, int row) {
    double k = 0, o = 0;
    return ReadPlotFactor(grid.Cells(2, row), k) && TextToDouble(o, grid.Cells(3, row)) == 0 &&
           (k != 1 || o != 0);
}

std::string TimeFactorText(const std::string& unit) {
    return unit == "m" ? "s->m" : unit == "h" ? "s->h" : "";
}

} // namespace

void TDataSelForm::SetTimeFactorPopup(bool active) {
    TimeFactPopup.SetAutoPopup(active);
}

TColor TDataSelForm::RowColour(int row) const {
    return SelectedGrid.GetCellFont(0, row).Color();
}

void TDataSelForm::SetRowLook(int row, TColor colour, bool italic) {
    TMyFont& font = SelectedGrid.GetFontCell(0, row);
    font.SetColor(colour);
    font.SetStyle(italic ? TFontStyles{fsItalic} : TFontStyles{0});
}

// ---- the list

void TDataSelForm::VarListMouseDown(TObject*, TMouseButton, TShiftState, int X, int Y) {
    const int item = VarList.ItemAtPos(TPoint{X, Y}, true);
    if (item >= 0) VarList.SetItemIndex(item);
}

void TDataSelForm::VarListMouseUp(TObject* Sender, TMouseButton Button, TShiftState, int X, int Y) {
    if (Sender == &VarList && files[static_cast<std::size_t>(currentSlot)].nPoints <= 1) {
        MessageBox("The number of plot points must be greater than 1", "Error", MB_ICONSTOP);
        return;
    }
    if (Button == mbRight) {
        const int item = VarList.ItemAtPos(TPoint{X, Y}, true);
        if (item >= 0) VarList.SetItemIndex(item);
    }
    const int index = VarList.ItemIndex();
    if (index < 0) return;
    if (selectionRows >= kMaxRows) {
        Beep(500, 100);
        return;
    }
    bool right = Button == mbRight;
    if (compositeMode && firstOperandPending && right) right = firstOperandButton == mbRight;
    AddSelectedVariable(index, right);
    firstOperandButton = Button;
    VarList.SetItemIndex(-1);
    DFTBtn.SetEnabled(selectionRows == 2 && xIsFirstVariable);
}

void TDataSelForm::AddSelectedVariable(int index, bool right) {
    if (index < 0 || index >= VarList.Items().Count() || selectionRows >= kMaxRows) return;
    const bool multi = globals_.multiFileMode;
    const int r = selectionRows + 1;
    const int variable = index + (multi ? 1 : 0);
    const std::string item = VarList.Items()[index];
    SSelRecord& rec = selRecords[static_cast<std::size_t>(r - 1)];
    auto markAxis = [&] {
        if (right) {
            if (!multi) SelectedGrid.SetCells(1, r, "r");
            SelectedGrid.SetColorCell(1, r, kRightAxisColour);
        } else {
            if (!multi) SelectedGrid.SetCells(1, r, "");
            SelectedGrid.ResetBrushCell(1, r);
        }
    };

    if (compositeMode && !firstOperandPending) {
        rec = SSelRecord{currentSlot, variable, -1, 0};
        SelectedGrid.SetCells(0, r, item);
        SetRowLook(r, AllocCurveColour(), true);
        firstOperandPending = true;
        markAxis();
        return;
    }
    if (compositeMode) {
        const std::string first = SelectedGrid.Cells(0, r);
        rec.second = variable;
        rec.operatorPos = static_cast<std::int32_t>(first.size()) + 1;
        ++curvesPerSlot[static_cast<std::size_t>(currentSlot)];
        ++selectionRows;
        const std::string name = first + operatorChar + item;
        SelectedGrid.SetCells(0, r, name);
        SelectedGrid.SetHintCell(0, r, name);
        // a composite row is plotted like any other, so it starts unscaled
        SelectedGrid.SetCells(2, r, "1");
        SelectedGrid.SetCells(3, r, "0");
        firstOperandPending = false;
        SetOperatorMode(false);
        if (selectionRows > 1) PlotBtn.SetEnabled(true);
    } else {
        rec = SSelRecord{currentSlot, variable, -1, 0};
        ++curvesPerSlot[static_cast<std::size_t>(currentSlot)];
        ++selectionRows;
        SelectedGrid.SetCells(0, r, item);
        SelectedGrid.SetHintCell(0, r, "");
        SetRowLook(r, AllocCurveColour(), false);
        markAxis();
        SelectedGrid.SetCells(2, r, "1");
        SelectedGrid.SetCells(3, r, "0");
        if (options_.Flag(poAssociateFO)) ApplyDefaultFO(r);
    }
    if (multi) SelectedGrid.SetCells(1, r, std::to_string(currentSlot + 1));
    if (timeUnit == "m" || timeUnit == "h")
        SelectedGrid.SetCells(2, xRow, TimeFactorText(timeUnit));
    if (!compositeMode && selectionRows >= 2) {
        PlotBtn.SetEnabled(true);
        if (!multi) SaveVarBtn.SetEnabled(true);
    }
    SaveVarBtn.SetEnabled(SelectionFromOneFile());
    DFTBtn.SetEnabled(selectionRows == 2 && xIsFirstVariable);
}

// ---- the grid

void TDataSelForm::RemoveSelectedRow(int row) {
    if (row < 1 || row > selectionRows) return;
    FreeCurveColour(RowColour(row));
    SetRowLook(row, clBlack, false);
    if (options_.Flag(poAssociateFO) && ScaledRow(SelectedGrid, row)) StoreDefaultFO(row);
    SelectedGrid.RemoveRow(row);
    SelectedGrid.SetRowCount(kGridRows);
    const int slot = selRecords[static_cast<std::size_t>(row - 1)].slot;
    if (slot >= 0 && slot < kMaxFiles) --curvesPerSlot[static_cast<std::size_t>(slot)];
    for (int k = row - 1; k < kMaxRows; ++k)
        selRecords[static_cast<std::size_t>(k)] = selRecords[static_cast<std::size_t>(k + 1)];
    selRecords[kMaxRows] = SSelRecord{};
    --selectionRows;
    if (xRow > row) --xRow;
    PlotBtn.SetEnabled(selectionRows > 1);
    SaveVarBtn.SetEnabled(SelectionFromOneFile());
}

void TDataSelForm::SelectedGridMouseUp(TObject*, TMouseButton Button, TShiftState, int X, int Y) {
    if (SelectedGrid.Cells(0, 1).empty()) return;
    const TGridCoord cell = SelectedGrid.MouseCoord(X, Y);
    const int d = cell.Y;
    if (Button == mbRight) return;
    const bool multi = globals_.multiFileMode;
    if (cell.X == 0 && d == xRow && !multi) {
        MessageBox("X-Variable cannot be removed; \nTo remove this variable, first define "
                   "another variable as X variable",
                   "Rejected Request", MB_ICONEXCLAMATION);
    }
    if (d <= 0 || d == xRow || d > selectionRows) return;
    if (cell.X == 0) {
        if (d == 2 && selectionRows == 2) {
            PlotBtn.SetEnabled(false);
            SaveVarBtn.SetEnabled(false);
        }
        RemoveSelectedRow(d);
        return;
    }
    if (cell.X != 1) return; // factor and offset are edited in place

    if (multi) {
        MessageBox("X-Y Plots not supported in Multi-File mode (Sorry!)", "Unavailable Function",
                   MB_ICONEXCLAMATION);
        return;
    }
    if (selRecords[static_cast<std::size_t>(d - 1)].operatorPos > 0) {
        MessageBox("A composite variable cannot be the X variable", "Rejected Request",
                   MB_ICONEXCLAMATION);
        return;
    }
    if (timeUnit != "s" && TimeFactPopup.AutoPopup()) {
        MessageBox("Converting time factor to \"User Defined\"", "Information", MB_ICONINFORMATION);
        User1Click(nullptr);
    }
    const TColor colour = RowColour(d);
    SetRowLook(d, clBlack, false);
    SelectedGrid.SetCells(1, d, "x");
    SetRowLook(xRow, colour, false);
    SelectedGrid.SetCells(1, xRow,
                          SelectedGrid.GetColorCell(1, xRow) == kRightAxisColour ? "r" : "");
    xRow = d;
    xIsFirstVariable = selRecords[static_cast<std::size_t>(d - 1)].variable == 0;
    const bool timeX = xIsFirstVariable && SelectedGrid.Cells(0, d) == "t";
    SetTimeFactorPopup(timeX);
    if (!timeX) User1Click(nullptr);
    UpdateBtn.SetEnabled(false);
    DFTBtn.SetEnabled(selectionRows == 2 && xIsFirstVariable);
}

void TDataSelForm::SelectedGridKeyDown(TObject*, WORD& Key, TShiftState) {
    if (Key != VK_RETURN) return;
    // the key is used up here, so the window's default buttons do not plot again
    if (UpdateBtn.Enabled()) {
        Key = 0;
        UpdateBtnClick(&UpdateBtn);
    } else if (PlotBtn.Enabled()) {
        Key = 0;
        PlotBtnClick(&PlotBtn);
    }
}

void TDataSelForm::ResetBtnClick(TObject*) {
    if (compositeMode) SetOperatorMode(false);
    DFTBtn.SetEnabled(false);
    SelectedGrid.SetEditRow(xRow, true);
    SelectedGrid.ResetBrushRow(xRow);
    ResetCurveColours();
    SetRowLook(1, clBlack, false);

    if (options_.Flag(poAssociateFO) && !SelectedGrid.Cells(0, 1).empty())
        for (int r = 1; r <= selectionRows; ++r) {
            if (r == xRow && StartsWith(SelectedGrid.Cells(2, r), "s")) continue;
            if (ScaledRow(SelectedGrid, r)) StoreDefaultFO(r);
        }

    for (int r = 1; r < kGridRows; ++r) {
        SetRowLook(r, clBlack, false);
        SelectedGrid.SetHintCell(0, r, "");
        selRecords[static_cast<std::size_t>(r - 1)].second = -1;
        SelectedGrid.ResetBrushRow(r);
        for (int c = 0; c < 4; ++c) {
            SelectedGrid.ResetBrushCell(c, r);
            SelectedGrid.SetCells(c, r, "");
        }
    }
    SelectedGrid.SetEditCell(2, xRow, true);

    xRow = 1;
    const std::string timeText = TimeFactorText(timeUnit);
    if (!timeText.empty()) {
        SelectedGrid.SetCells(2, 1, timeText);
        SelectedGrid.SetColorCell(2, 1, kTimeFactorColour);
        SelectedGrid.SetEditCell(2, 1, false);
    }
    xIsFirstVariable = true;
    PlotBtn.SetEnabled(false);
    SaveVarBtn.SetEnabled(false);
    curvesPerSlot.fill(0);
    firstOperandPending = false;

    if (globals_.multiFileMode && loadedFiles > 0) {
        selectionRows = 1;
        selRecords[0] = SSelRecord{0, 0, -1, 0};
        SelectedGrid.SetCells(0, 1, CommonXName());
        SelectedGrid.SetCells(1, 1, "a");
        SelectedGrid.SetCells(2, 1, timeText.empty() ? std::string("1") : timeText);
        SelectedGrid.SetCells(3, 1, "0");
        SetRowLook(1, AllocCurveColour(), false);
        return;
    }
    selectionRows = 0;
    if (VarList.Items().Count() == 0) return;
    AddSelectedVariable(0, false);
    SelectedGrid.SetCells(1, 1, "x");
    --curvesPerSlot[static_cast<std::size_t>(currentSlot)];
    const std::string x = SelectedGrid.Cells(0, 1);
    const bool timeX = StartsWith(x, "t") || StartsWith(x, "%t");
    SetTimeFactorPopup(timeX);
    if (!timeX) User1Click(nullptr);
}

// ---- composite variables

void TDataSelForm::PlusBtnClick(TObject*) {
    operatorChar = '+';
    SetOperatorMode(PlusBtn.Down());
}

void TDataSelForm::MinusBtnClick(TObject*) {
    operatorChar = '-';
    SetOperatorMode(MinusBtn.Down());
}

void TDataSelForm::TimesBtnClick(TObject*) {
    operatorChar = '*';
    SetOperatorMode(TimesBtn.Down());
}

void TDataSelForm::ClearPendingOperand() {
    const int r = selectionRows + 1;
    FreeCurveColour(RowColour(r));
    SetRowLook(r, clBlack, false);
    for (int c = 0; c < 4; ++c) {
        SelectedGrid.SetCells(c, r, "");
        SelectedGrid.ResetBrushCell(c, r);
    }
    firstOperandPending = false;
}

void TDataSelForm::SetOperatorMode(bool on) {
    // Every control the mode disables, with its remembered state.
    TControl* const kept[] = {&LoadBtn,  &RefreshBtn,     &RefUpdBtn,    &MultiFileBtn,
                              &AboutBtn, &FileStringGrid, &SelectedGrid, &UpdateBtn,
                              &PlotBtn,  &SaveVarBtn};
    TSpeedButton* const operators[] = {&PlusBtn, &MinusBtn, &TimesBtn};
    if (on) {
        if (!compositeMode) {
            for (std::size_t i = 0; i < std::size(kept); ++i)
                savedEnabled_[i] = kept[i]->Enabled();
            savedDropping_ = AcceptsFiles();
            savedFixedColour_ = SelectedGrid.FixedColor();
        }
        compositeMode = true;
        if (VarList.CanFocus()) VarList.SetFocus();
        for (TControl* c : kept)
            c->SetEnabled(false);
        DragAcceptFiles(false);
        for (TControl* c : {static_cast<TControl*>(&ResetBtn), static_cast<TControl*>(&OptionsBtn),
                            static_cast<TControl*>(&WidthsBtn)})
            c->SetEnabled(false);
        const char ops[] = {'+', '-', '*'};
        for (std::size_t i = 0; i < 3; ++i)
            operators[i]->SetEnabled(ops[i] == operatorChar);
        FileStringGrid.SetColor(clBtnFace);
        SelectedGrid.SetColor(clBtnFace);
        SelectedGrid.SetFixedColor(clBtnFace);
        SelectedGrid.SetColorCell(2, xRow, clBtnFace);
        return;
    }
    for (TSpeedButton* b : operators)
        b->SetDown(false);
    if (!compositeMode) return;
    compositeMode = false;
    if (firstOperandPending) ClearPendingOperand();
    for (std::size_t i = 0; i < std::size(kept); ++i)
        kept[i]->SetEnabled(savedEnabled_[i]);
    DragAcceptFiles(savedDropping_);
    for (TControl* c : {static_cast<TControl*>(&ResetBtn), static_cast<TControl*>(&OptionsBtn),
                        static_cast<TControl*>(&WidthsBtn), static_cast<TControl*>(&PlusBtn),
                        static_cast<TControl*>(&MinusBtn), static_cast<TControl*>(&TimesBtn)})
        c->SetEnabled(true);
    FileStringGrid.SetColor(clWhite);
    SelectedGrid.SetColor(clWhite);
    SelectedGrid.SetFixedColor(savedFixedColour_);
    if (timeUnit == "m" || timeUnit == "h")
        SelectedGrid.SetColorCell(2, xRow, kTimeFactorColour);
    else
        SelectedGrid.ResetBrushCell(2, xRow);
}

// ---- time factor of the x row

void TDataSelForm::User1Click(TObject*) {
    timeUnit = "s";
    if (xRow > selectionRows) return;
    SelectedGrid.SetCells(2, xRow, "1");
    SelectedGrid.SetEditCell(2, xRow, true);
    SelectedGrid.ResetBrushCell(2, xRow);
}

void TDataSelForm::smtimefactor1Click(TObject*) {
    timeUnit = "m";
    if (xRow > selectionRows) return;
    SelectedGrid.SetCells(2, xRow, "s->m");
    SelectedGrid.SetEditCell(2, xRow, false);
    SelectedGrid.SetColorCell(2, xRow, kTimeFactorColour);
}

void TDataSelForm::shtimefactor1Click(TObject*) {
    timeUnit = "h";
    if (xRow > selectionRows) return;
    SelectedGrid.SetCells(2, xRow, "s->h");
    SelectedGrid.SetEditCell(2, xRow, false);
    SelectedGrid.SetColorCell(2, xRow, kTimeFactorColour);
}

// ---- questions about the selection

bool TDataSelForm::ResolveCompositeName(int record) {
    if (record < 0 || record >= kMaxRows) return false;
    const std::string name = SelectedGrid.Cells(0, record + 1);
    const int pos = selRecords[static_cast<std::size_t>(record)].operatorPos;
    if (pos <= 1 || pos > static_cast<int>(name.size())) return false;
    const std::string first = name.substr(0, static_cast<std::size_t>(pos - 1));
    const std::string second = name.substr(static_cast<std::size_t>(pos));
    return VarList.Items().IndexOf(first) >= 0 && VarList.Items().IndexOf(second) >= 0;
}

bool TDataSelForm::SelectionFromOneFile() {
    if (!globals_.multiFileMode) return selectionRows > 1;
    if (selectionRows < 2) return false;
    const std::string file = SelectedGrid.Cells(1, 2);
    for (int r = 3; r <= selectionRows; ++r)
        if (SelectedGrid.Cells(1, r) != file) return false;
    return true;
}

void TDataSelForm::SwapGridRows(TStringAlignGrid& grid, int a, int b) {
    for (int c = 0; c < grid.ColCount(); ++c) {
        const std::string text = grid.Cells(c, a), hint = grid.GetHintCell(c, a);
        grid.SetCells(c, a, grid.Cells(c, b));
        grid.SetHintCell(c, a, grid.GetHintCell(c, b));
        grid.SetCells(c, b, text);
        grid.SetHintCell(c, b, hint);
    }
}

// ---- remembered factors and offsets

void TDataSelForm::ApplyDefaultFO(int row) {
    const std::string name = SelectedGrid.Cells(0, row);
    const auto it = std::find_if(defaultFO.begin(), defaultFO.end(),
                                 [&](const SDefaultFO& e) { return e.name == name; });
    if (it == defaultFO.end()) return;
    SelectedGrid.SetCells(2, row, FormatNumber(it->factor, 4));
    SelectedGrid.SetCells(3, row, FormatNumber(it->offset, 4));
}

void TDataSelForm::StoreDefaultFO(int row) {
    if (row < 1 || row > selectionRows) return;
    const std::string factorText = SelectedGrid.Cells(2, row);
    double k = 0, o = 0;
    if (factorText == "s->m")
        k = static_cast<float>(1.0 / 60.0);
    else if (factorText == "s->h")
        k = static_cast<float>(1.0 / 3600.0);
    else if (TextToDouble(k, factorText) != 0)
        return; // a cell that is no number is left to the plot's check
    if (TextToDouble(o, SelectedGrid.Cells(3, row)) != 0) return;
    const std::string name = SelectedGrid.Cells(0, row);
    auto it = std::find_if(defaultFO.begin(), defaultFO.end(),
                           [&](const SDefaultFO& e) { return e.name == name; });
    if (it == defaultFO.end()) {
        if (defaultFO.size() >= 20) return;
        it = defaultFO.insert(defaultFO.end(), SDefaultFO{name, 1, 0});
    }
    it->factor = static_cast<float>(k);
    it->offset = static_cast<float>(o);
}

// ---- curve colours

TColor TDataSelForm::AllocCurveColour() {
    for (std::size_t i = 0; i < curveColours.size(); ++i)
        if (!colourInUse[i]) {
            colourInUse[i] = true;
            return curveColours[i];
        }
    return clBlack;
}

void TDataSelForm::FreeCurveColour(TColor c) {
    for (std::size_t i = 0; i < curveColours.size(); ++i)
        if (curveColours[i] == c) {
            colourInUse[i] = false;
            return;
        }
}

void TDataSelForm::ResetCurveColours() {
    curveColours = kPalette;
    colourInUse.fill(false);
}

// ---- the plot window's zoom state

void TDataSelForm::EnableUpdate() {
    UpdateBtn.SetEnabled(xIsFirstVariable);
}

void TDataSelForm::DisableUpdate() {
    UpdateBtn.SetEnabled(false);
}
