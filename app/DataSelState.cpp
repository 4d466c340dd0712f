// The saved working state: SS writes the loaded files (with their time stamps), the
// selection, the x row and the time unit to the registry; LS checks every saved file,
// then unloads, reloads and rebuilds the selection through the window's own operations,
// and plots. The byte layouts are in SavedState.h.
#include "DataSelFF.h"

#include "MessageBox.h"
#include "PlotData.h"
#include "RegistryNames.h"
#include "SavedState.h"
#include "services/FileNames.h"
#include "services/FileStamp.h"
#include "services/Registry.h"

#include <exception>

namespace {

std::string SavedStateKey() {
    return std::string(kProgramKey) + "\\" + kSavedStateKey;
}

// Runs one registry call; false when it raised.
template <class F> bool Attempt(F&& f) {
    try {
        f();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

// A point inside a cell, from the grid's own geometry.
TPoint CellCentre(const TCustomGrid& grid, int col, int row) {
    const TRect r = grid.CellRect(col, row);
    if (!r.IsEmpty()) return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    int x = 0, y = 0;
    for (int c = 0; c < col; ++c)
        x += grid.ColWidths(c) + grid.GridLineWidth();
    for (int k = 0; k < row; ++k)
        y += grid.RowHeights(k) + grid.GridLineWidth();
    return {x + grid.ColWidths(col) / 2, y + grid.RowHeights(row) / 2};
}

void ReadRegistryError() {
    MessageBox("Error reading registry", "Severe Error", MB_OK);
}

} // namespace

void TDataSelForm::SSSpeedBtnClick(TObject*) {
    const bool multi = globals_.multiFileMode;
    std::vector<int> slots; // in the order they are saved; the rank is the saved slot
    for (int s = 0; s < kMaxFiles; ++s)
        if (SlotLoaded(s) && (multi || s == currentSlot)) slots.push_back(s);
    if (slots.empty()) {
        MessageBox("No file is loaded: there is no state to save", "Invalid Operation",
                   MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    // Everything is checked before the first write, so a refused save keeps the old state
    // whole.
    std::vector<SSavedFile> saved;
    std::array<int, kMaxFiles> rankOfSlot;
    rankOfSlot.fill(-1);
    for (int s : slots) {
        const std::string& path = fileNames[static_cast<std::size_t>(s)];
        if (path.size() >= static_cast<std::size_t>(kSavedPathSize)) {
            MessageBox("State not saved: the full name of file\n\"" + path +
                           "\"\nhas 256 characters or more",
                       "Invalid Operation", MB_OK | MB_ICONEXCLAMATION);
            return;
        }
        std::uint32_t stamp = 0;
        if (GetFileStamp(path, stamp) != 0) {
            MessageBox("Error while accessing file", "Severe Error", MB_OK | MB_ICONSTOP);
            return;
        }
        rankOfSlot[static_cast<std::size_t>(s)] = static_cast<int>(saved.size());
        saved.push_back({path, stamp});
    }

    TSavedSelection list;
    std::array<bool, kSelRecordCount> rightAxis{};
    for (int k = 0; k < kSelRecordCount; ++k) {
        const SSelRecord& r = selRecords[static_cast<std::size_t>(k)];
        list[static_cast<std::size_t>(k)] = {0, r.slot, r.variable, r.second, r.operatorPos};
        rightAxis[static_cast<std::size_t>(k)] =
            SelectedGrid.GetColorCell(1, k + 1) == kRightAxisColour;
    }
    const TSelVarDataBytes selVarData =
        EncodeSelVarData(BuildSavedSelection(list, selectionRows, rightAxis, !multi, rankOfSlot));
    const std::uint8_t timeUnitByte = TimeUnitByte(SelectedGrid.Cells(2, xRow));

    TRegistry registry;
    bool opened = false;
    Attempt([&] { opened = registry.OpenKey(SavedStateKey(), true); });
    if (!opened) {
        MessageBox("Error opening registry", "Severe Error", MB_OK | MB_ICONSTOP);
        return;
    }
    if (!Attempt([&] {
            registry.WriteInteger(kNumberOfFilesValue, static_cast<std::int32_t>(saved.size()));
        })) {
        MessageBox("Error writing NumOfSelFiles in Registry", "Severe Error", MB_OK);
        return;
    }
    for (std::size_t k = 0; k < saved.size(); ++k) {
        TFileRecordBytes record;
        EncodeFileRecord(saved[k], record);
        if (!Attempt([&] {
                registry.WriteBinaryData(FileRecordName(static_cast<int>(k) + 1), record.data(),
                                         kFileRecordSize);
            })) {
            MessageBox("Error writing registry", "Severe Error", MB_OK);
            return;
        }
    }
    if (!Attempt([&] {
            registry.WriteBinaryData(kSelVarDataValue, selVarData.data(), kSelVarDataSize);
            registry.WriteBinaryData(kTimeUnitValue, &timeUnitByte, 1);
            registry.WriteInteger(kXVarRowValue, xRow);
        })) {
        MessageBox("Error writing registry", "Severe Error", MB_OK | MB_ICONSTOP);
        return;
    }
    MessageBox("State Saved", "Info", MB_OK | MB_ICONINFORMATION);
}

void TDataSelForm::LSSpeedBtnClick(TObject*) {
    TRegistry registry;
    bool opened = false;
    Attempt([&] { opened = registry.OpenKey(SavedStateKey(), false); });
    if (!opened) {
        MessageBox("Error: unable to open saved state on registry\nPossible reason: no state "
                   "previously saved",
                   "Error", MB_OK | MB_ICONINFORMATION);
        return;
    }
    std::int32_t count = 0;
    if (!Attempt([&] { count = registry.ReadInteger(kNumberOfFilesValue); })) {
        MessageBox("Error: unable read NumOfSelFiles in Registry", "Severe Error",
                   MB_OK | MB_ICONSTOP);
        return;
    }
    if (count < 1 || count > kMaxSavedFiles) {
        ReadRegistryError();
        return;
    }

    // Every file and every value is checked before anything loaded is let go.
    std::vector<SSavedFile> saved;
    for (int k = 1; k <= count; ++k) {
        TFileRecordBytes record;
        if (!Attempt([&] {
                registry.ReadBinaryData(FileRecordName(k), record.data(), kFileRecordSize);
            })) {
            ReadRegistryError();
            return;
        }
        const SSavedFile file = DecodeFileRecord(record);
        std::uint32_t stamp = 0;
        if (GetFileStamp(file.path, stamp) != 0) {
            MessageBox("Error accessing file \n\"" + file.path + "\"", "State not restored",
                       MB_OK | MB_ICONEXCLAMATION);
            return;
        }
        if (stamp != file.stamp) {
            MessageBox("Error: file \"" + file.path +
                           "\"\nhas time and date stamps that do not correspond to those "
                           "stored when saving state\n",
                       "State not restored", MB_OK | MB_ICONEXCLAMATION);
            return;
        }
        saved.push_back(file);
    }
    TSelVarDataBytes selVarData;
    std::optional<std::uint8_t> timeUnit;
    std::optional<std::int32_t> xVarRow;
    if (!Attempt([&] {
            registry.ReadBinaryData(kSelVarDataValue, selVarData.data(), kSelVarDataSize);
            if (registry.ValueExists(kTimeUnitValue)) {
                std::uint8_t b = 0;
                registry.ReadBinaryData(kTimeUnitValue, &b, 1);
                timeUnit = b;
            }
            if (count == 1) xVarRow = registry.ReadInteger(kXVarRowValue);
        })) {
        ReadRegistryError();
        return;
    }
    const std::optional<SRestorePlan> plan =
        PlanRestore(count, DecodeSelVarData(selVarData), xVarRow, timeUnit);
    if (!plan) {
        ReadRegistryError();
        return;
    }

    if (compositeMode) SetOperatorMode(false);
    UnloadAllFiles();
    if (plan->multiFile != globals_.multiFileMode) {
        MultiFileBtn.SetDown(plan->multiFile);
        MultiFileBtnClick(&MultiFileBtn);
    }

    std::array<bool, kMaxFiles> reloaded{};
    bool anyReloaded = false;
    for (int k = 0; k < count; ++k) {
        const std::string& path = saved[static_cast<std::size_t>(k)].path;
        if (LoadFile(k, path, false, false) != 0) continue; // the loader has said why
        reloaded[static_cast<std::size_t>(k)] = anyReloaded = true;
        SetCurrentDir(ExtractFileDir(ExpandFileName(path)));
        ResetBtnClick(&ResetBtn);
        User1Click(User1);
    }
    if (!anyReloaded) {
        ClearSelectionForNoFiles();
        return;
    }
    const bool multi = globals_.multiFileMode;
    if (!multi)
        for (int c = 0; c < 2; ++c) {
            FileStringGrid.GetBrushCell(c, 1).SetColor(clBtnFace);
            FileStringGrid.GetFontCell(c, 1).SetColor(clBtnFace);
        }

    selectionRows = 1;
    ResetCurveColours();
    AllocCurveColour();
    for (const SRestoreRow& r : plan->rows) {
        // Rows of a file that did not reload, or naming no variable of it, are left out.
        const auto slot = static_cast<std::size_t>(r.slot);
        if (!reloaded[slot] || r.variable >= files[slot].nVars) continue;
        const int fileRow = FileRowOfSlot(r.slot);
        if (fileRow == 0) continue;
        SelectFileRow(fileRow);
        AddSelectedVariable(multi ? r.variable - 1 : r.variable, r.right);
    }
    if (!multi && plan->xRow > 1 && plan->xRow <= selectionRows && plan->xRow != xRow)
        ClickSelectedColumn1(plan->xRow);
    if (plan->timeUnit == 'm')
        smtimefactor1Click(smtimefactor1);
    else if (plan->timeUnit == 'h')
        shtimefactor1Click(shtimefactor1);
    if (selectionRows > 1) PlotBtnClick(&PlotBtn);
}

void TDataSelForm::UnloadAllFiles() {
    if (loadedFiles > 1 && !globals_.multiFileMode) {
        MultiFileBtn.SetDown(true);
        MultiFileBtnClick(&MultiFileBtn);
    }
    for (int row = FileStringGrid.RowCount() - 1; row >= 2; --row)
        if (!FileStringGrid.Cells(2, row).empty()) DoubleClickFileRow(row);

    // Row 1 is dropped, and with it every slot, whichever the rows held.
    for (int row = 1; row < FileStringGrid.RowCount(); ++row) {
        for (int c = 0; c < FileStringGrid.ColCount(); ++c)
            FileStringGrid.SetCells(c, row, "");
        FileStringGrid.SetHintCell(2, row, "");
    }
    freeSlots = 0xFF;
    for (auto& name : fileNames)
        name.clear();
    loadedFiles = 0;
    currentFileRow = previousFileRow = 0;
    curvesPerSlot.fill(0);
    ClearSelectionForNoFiles();
}

void TDataSelForm::ClearSelectionForNoFiles() {
    VarList.Clear();
    ResetBtnClick(&ResetBtn);
}

int TDataSelForm::FileRowOfSlot(int slot) const {
    const std::string number = std::to_string(slot + 1);
    for (int row = 1; row < FileStringGrid.RowCount(); ++row)
        if (FileStringGrid.Cells(1, row) == number && !FileStringGrid.Cells(2, row).empty())
            return row;
    return 0;
}

// The events a double click delivers: the first click's mouse-up, the double click, and
// the second mouse-up, which the double click tells the grid to ignore.
void TDataSelForm::DoubleClickFileRow(int row) {
    const TPoint p = CellCentre(FileStringGrid, 2, row);
    FileStringGridMouseUp(&FileStringGrid, mbLeft, 0, p.x, p.y);
    FileStringGridDblClick(&FileStringGrid);
    FileStringGridMouseUp(&FileStringGrid, mbLeft, 0, p.x, p.y);
}

void TDataSelForm::ClickSelectedColumn1(int row) {
    const TPoint p = CellCentre(SelectedGrid, 1, row);
    SelectedGridMouseUp(&SelectedGrid, mbLeft, 0, p.x, p.y);
}
