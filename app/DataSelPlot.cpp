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

// Shows a message with its cell grey meanwhile; the grids are drawn again after. The cell
// becomes the current one, scrolled into view, with no editor over it.
void ShowWithCell(TStringAlignGrid* grid, int col, int row, const SPlotMessage& m) {
    if (grid) {
        grid->EndEditForChange();
        grid->SetRow(row);
        grid->SetCol(col);
        grid->SetColorCell(col, row, kBadCellColour);
    }
    MessageBox(m.text, m.title, IconFlags(m.icon));
}

} // namespace

PlotSnapshotPtr TDataSelForm::BuildSelectionPlot() {
    SPlotRequest q;
    selection.FillPlotRequest(q);
    q.multiFile = fileSlots.Multi();
    q.currentSlot = fileSlots.Current();
    q.barsForFS = options_.Flag(poBarFS);
    q.barsForHFS = options_.Flag(poBarHFS);
    q.pointsOnly = options_.Flag(poPointsOnly);
    for (int s = 0; s < kMaxFiles; ++s) {
        if (!fileSlots.Loaded(s)) continue;
        SPlotFile& f = q.files[static_cast<std::size_t>(s)];
        f.file = &files[static_cast<std::size_t>(s)];
        f.fileName = fileSlots.Name(s);
        // The single-file layout shows only the current file's time shift.
        if (fileSlots.Multi() || s == fileSlots.Current()) {
            f.hasShift = true;
            f.shiftText = fileSlots.Shift(s);
        }
    }

    SPlotOutcome out = BuildPlotData(q);
    if (out.plot) return std::move(out.plot);
    const SPlotBadCell& cell = out.message.cell;
    if (cell.grid == SPlotBadCell::selection) {
        ShowWithCell(&SelectedGrid, cell.col, cell.row, out.message);
        DrawSelection();
    } else if (cell.grid == SPlotBadCell::shift) {
        const int tableRow = fileSlots.RowOfSlot(cell.slot);
        ShowWithCell(tableRow ? &FileStringGrid : nullptr, 6, tableRow, out.message);
        DrawFileTable();
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
    EndCellEdits();
    THourGlass busy;
    const bool update = std::exchange(updateMode, false);
    lastPlotOk = false;
    if (PreparePlotData() != 0) return;
    TPlotWinForm* win = ctx_.windows.PlotWin;
    if (!win) return;
    win->ShowPlot({PreparedPlot, selection.XIsFirstVariable(), update});
    if (!update) SetUpdatable(false);
    lastPlotOk = true;
}

void TDataSelForm::UpdateBtnClick(TObject* Sender) {
    updateMode = true;
    PlotBtnClick(Sender);
}
