// Plot data and plotting: the selection read from the grids, turned into a new snapshot
// (PlotData) and handed to the plot window.
#include "DataSelFF.h"

#include "MessageBox.h"
#include "PlotData.h"
#include "PlotWinFF.h"
#include "Screen.h"

#include <utility>

namespace {

unsigned IconFlags(EPlotIcon icon) {
    switch (icon) {
    case EPlotIcon::stop:
        return MB_ICONSTOP;
    case EPlotIcon::exclamation:
        return MB_ICONEXCLAMATION;
    case EPlotIcon::information:
        return MB_ICONINFORMATION;
    case EPlotIcon::none:
        break;
    }
    return MB_OK;
}

// The slot a file-table row shows ("#" column), or -1.
int SlotOfTableRow(const TStringAlignGrid& table, int row) {
    const std::string n = table.Cells(1, row);
    return n.size() == 1 && n[0] >= '1' && n[0] <= '8' ? n[0] - '1' : -1;
}

// Shows a message with its cell grey meanwhile; the cell's own colour comes back after.
void ShowWithCell(TStringAlignGrid* grid, int col, int row, const SPlotMessage& m) {
    const TColor old = grid ? grid->GetColorCell(col, row) : 0;
    if (grid) grid->SetColorCell(col, row, kBadCellColour);
    MessageBox(m.text, m.title, IconFlags(m.icon));
    if (!grid) return;
    if (old == kTimeFactorColour)
        grid->SetColorCell(col, row, old);
    else
        grid->ResetBrushCell(col, row);
}

} // namespace

PlotSnapshotPtr TDataSelForm::BuildSelectionPlot() {
    SPlotRequest q;
    for (int r = 1; r <= selectionRows && r <= kMaxCurves; ++r) {
        const SSelRecord& rec = selRecords[static_cast<std::size_t>(r - 1)];
        SPlotRow row;
        row.slot = rec.slot;
        row.variable = rec.variable;
        row.second = rec.second;
        row.operatorPos = rec.operatorPos;
        row.name = SelectedGrid.Cells(0, r);
        row.factorText = SelectedGrid.Cells(2, r);
        row.offsetText = SelectedGrid.Cells(3, r);
        row.rightAxis = SelectedGrid.GetColorCell(1, r) == kRightAxisColour;
        row.colour = RowColour(r);
        q.rows.push_back(std::move(row));
    }
    q.xRow = xRow;
    q.multiFile = globals_.multiFileMode;
    q.currentSlot = currentSlot;
    q.xIsFirstVariable = xIsFirstVariable;
    q.barsForFS = options_.Flag(poBarFS);
    q.barsForHFS = options_.Flag(poBarHFS);
    q.pointsOnly = options_.Flag(poPointsOnly);
    for (int s = 0; s < kMaxFiles; ++s) {
        if (freeSlots & (1u << s)) continue;
        SPlotFile& f = q.files[static_cast<std::size_t>(s)];
        f.file = &files[static_cast<std::size_t>(s)];
        f.fileName = fileNames[static_cast<std::size_t>(s)];
    }
    for (int row = 1; row < FileStringGrid.RowCount(); ++row) {
        const int s = SlotOfTableRow(FileStringGrid, row);
        if (s < 0 || !q.files[static_cast<std::size_t>(s)].file) continue;
        q.files[static_cast<std::size_t>(s)].hasShift = true;
        q.files[static_cast<std::size_t>(s)].shiftText = FileStringGrid.Cells(6, row);
    }

    SPlotOutcome out = BuildPlotData(q);
    if (out.plot) return std::move(out.plot);
    const SPlotBadCell& cell = out.message.cell;
    if (cell.grid == SPlotBadCell::selection) {
        ShowWithCell(&SelectedGrid, cell.col, cell.row, out.message);
    } else if (cell.grid == SPlotBadCell::shift) {
        int tableRow = 0;
        for (int row = 1; row < FileStringGrid.RowCount() && tableRow == 0; ++row)
            if (SlotOfTableRow(FileStringGrid, row) == cell.slot) tableRow = row;
        ShowWithCell(tableRow ? &FileStringGrid : nullptr, 6, tableRow, out.message);
    } else {
        ShowWithCell(nullptr, 0, 0, out.message);
    }
    return nullptr;
}

int TDataSelForm::PreparePlotData() {
    PlotSnapshotPtr plot = BuildSelectionPlot();
    if (!plot) return 1;
    PreparedPlot = std::move(plot);
    return 0;
}

void TDataSelForm::PlotBtnClick(TObject*) {
    THourGlass busy;
    const bool update = std::exchange(updateMode, false);
    lastPlotOk = false;
    if (PreparePlotData() != 0) return;
    TPlotWinForm* win = ctx_.windows.PlotWin;
    if (!win) return;
    win->SetCurveData(PreparedPlot);
    win->PlotKind = PreparedPlot->chartKind;
    win->SetLegendData(PreparedPlot);
    if (!xIsFirstVariable) {
        if (win->CursorBtn.Down()) {
            win->CursorBtn.SetDown(false);
            win->CursorBtnClick(&win->CursorBtn);
        }
        win->CursorBtn.SetEnabled(false);
    } else {
        win->CursorBtn.SetEnabled(true);
    }
    win->Show();
    win->ShowCurves(update);
    if (!update) UpdateBtn.SetEnabled(false);
    SelectedGrid.SetEditRow(xRow, true);
    SelectedGrid.ResetBrushRow(xRow);
    lastPlotOk = true;
}

void TDataSelForm::UpdateBtnClick(TObject* Sender) {
    updateMode = true;
    PlotBtnClick(Sender);
}
