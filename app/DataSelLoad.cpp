// File slots: loading by the Load button, the command line and dropped files, reading a
// file again, unloading, and the two layouts of the file table.
#include "DataSelFF.h"

#include "MessageBox.h"
#include "OptionsFF.h"
#include "Screen.h"
#include "SlotTable.h"
#include "services/FileNames.h"

#include <algorithm>

namespace {
constexpr TColor kButtonFace = static_cast<TColor>(0x8000000F);

using Reader = std::string (SimOut::*)(const std::string&);

Reader ReaderFor(const std::string& lowerExt) {
    if (lowerExt == ".pl4") return &SimOut::LoadFromPl4File;
    // The solvers' voltage histories (.vol) are ADF files too.
    if (lowerExt == ".adf" || lowerExt == ".vol") return &SimOut::LoadFromAdfFile;
    if (lowerExt == ".cfg") return &SimOut::LoadFromComtradeFile;
    if (lowerExt == ".mat") return &SimOut::LoadFromMatFile;
    return nullptr;
}

// What a reader's success must hold before the window uses the record.
std::string CheckRecord(const SimOut& s) {
    if (s.nVars <= 0) return "the file holds no variables";
    if (static_cast<int>(s.names.size()) < s.nVars) return "fewer names than variables";
    if (s.nPoints < 0) return "negative number of points";
    if (s.nPoints > 0 && !s.data) return "no samples";
    return {};
}

float LastX(const SimOut& s) {
    return s.nPoints > 0 && s.data ? s.data[0][s.nPoints - 1] : 0.0f;
}
} // namespace

void TDataSelForm::WarnFromReader(const std::string& title, const std::string& text) {
    MessageBox(text, title, MB_OK | MB_ICONWARNING);
}

int TDataSelForm::LowestFreeSlot() const {
    for (int k = 0; k < kMaxFiles; ++k)
        if (!SlotLoaded(k)) return k;
    return -1;
}

// Loading stays possible while a slot is free; the single-file layout always replaces
// the file it shows.
void TDataSelForm::UpdateLoadEnabled() {
    const bool on = !MultiFileBtn.Down() || LowestFreeSlot() >= 0;
    LoadBtn.SetEnabled(on);
    DragAcceptFiles(on);
}

void TDataSelForm::FillVarList() {
    TStrings& items = VarList.Items();
    items.Clear();
    if (!SlotLoaded(currentSlot)) return;
    const SimOut& f = files[static_cast<std::size_t>(currentSlot)];
    for (int i = MultiFileBtn.Down() ? 1 : 0; i < f.nVars; ++i)
        items.Add(f.names[static_cast<std::size_t>(i)]);
}

void TDataSelForm::ShowMaxHeader() {
    if (MultiFileBtn.Down()) {
        if (loadedFiles > 0) FileStringGrid.SetCells(5, 0, MaxHeaderForSharedName(CommonXName()));
    } else if (SlotLoaded(currentSlot)) {
        FileStringGrid.SetCells(
            5, 0, MaxHeaderForXName(files[static_cast<std::size_t>(currentSlot)].names[0]));
    }
}

int TDataSelForm::LoadedSlotOf(const std::string& name) const {
    for (int k = 0; k < kMaxFiles; ++k)
        if (SlotLoaded(k) && SameFile(fileNames[static_cast<std::size_t>(k)], name)) return k;
    return -1;
}

int TDataSelForm::FileRowAt(int y, int firstRow) const {
    int bottom = 0;
    for (int r = 0; r < FileStringGrid.RowCount(); ++r) {
        bottom += FileStringGrid.RowHeights(r) + 1;
        if (r >= firstRow && bottom > y) return r;
    }
    return -1;
}

void TDataSelForm::WriteFileRow(int row, int slot) {
    const SimOut& f = files[static_cast<std::size_t>(slot)];
    const std::string& name = fileNames[static_cast<std::size_t>(slot)];
    FileStringGrid.SetCells(1, row, std::to_string(slot + 1));
    FileStringGrid.SetCells(2, row, ExtractFileName(name));
    FileStringGrid.SetHintCell(2, row, name);
    FileStringGrid.SetCells(3, row, std::to_string(f.nVars));
    FileStringGrid.SetCells(4, row, std::to_string(f.nPoints));
    FileStringGrid.SetCells(5, row, f.nPoints > 0 ? LastXText(LastX(f)) : std::string());
}

int TDataSelForm::LoadFile(int slot, const std::string& name, bool fixedScaleArg, bool refresh) {
    if (slot < 0 || slot >= kMaxFiles) return 1;
    const int step = FileStringGrid.RowHeights(0) + 1;
    THourGlass hourGlass;

    // The file is read into a record of its own: a failure leaves the slot, the table,
    // the list and the selection describing the file they showed.
    const std::string ext = LowerCase(ExtractFileExt(name));
    const Reader read = ReaderFor(ext);
    if (!read) {
        Screen->SetCursor(crDefault);
        MessageBox("Input file \"" + name + "\" has not a valid extension", "Error",
                   MB_OK | MB_ICONSTOP);
        return 1;
    }
    SimOut fresh;
    fresh.commaSeparators = options_.Flag(poCommaSeparators);
    fresh.warn = files[static_cast<std::size_t>(slot)].warn;
    std::string reason = (fresh.*read)(name);
    if (reason.empty()) reason = CheckRecord(fresh);
    if (!reason.empty()) {
        Screen->SetCursor(crDefault);
        MessageBox(std::string(refresh ? "Unable to re-read file " : "Unable to read file ") +
                       "\"" + name + "\"\nReason: " + reason,
                   "Error", MB_OK | MB_ICONEXCLAMATION);
        return 1;
    }
    SimOut& f = files[static_cast<std::size_t>(slot)];
    f = std::move(fresh);

    globals_.timeMax[static_cast<std::size_t>(slot)] = LastX(f);
    globals_.fourierStart[static_cast<std::size_t>(slot)] =
        globals_.timeMax[static_cast<std::size_t>(slot)] - 1.0f / options_.Frequency();
    freeSlots &= static_cast<std::uint8_t>(~(1u << slot));
    fileNames[static_cast<std::size_t>(slot)] = name;
    RefreshBtn.SetEnabled(true);
    RefUpdBtn.SetEnabled(RefreshBtn.Enabled());
    for (TControl* c : {static_cast<TControl*>(&TimesBtn), static_cast<TControl*>(&MinusBtn),
                        static_cast<TControl*>(&PlusBtn)})
        c->SetEnabled(true);
    if (!fixedScaleArg) UpdateBtn.SetEnabled(false);

    const bool multi = MultiFileBtn.Down();
    if (refresh) {
        const int found = FileRowOfSlot(slot);
        const int row = found > 0 ? found : currentFileRow;
        if (row > 0) {
            FileStringGrid.SetCells(3, row, std::to_string(f.nVars));
            FileStringGrid.SetCells(4, row, std::to_string(f.nPoints));
            FileStringGrid.SetCells(5, row, f.nPoints > 0 ? LastXText(LastX(f)) : std::string());
        }
    } else {
        if (multi && loadedFiles >= 3 && loadedFiles < kMaxFiles) {
            const int newRow = FileStringGrid.RowCount();
            FileStringGrid.SetRowCount(newRow + 1);
            FileStringGrid.ClearRow(newRow);
            FileStringGrid.SetHintCell(2, newRow, "");
        }
        int target = 1;
        if (multi)
            for (int r = 1; r <= kMaxFiles && r < FileStringGrid.RowCount(); ++r)
                if (FileStringGrid.Cells(2, r).empty()) {
                    target = r;
                    break;
                }
        if (currentFileRow > 0) FileStringGrid.SetCells(0, currentFileRow, "");
        currentFileRow = target;
        currentSlot = slot;
        FileStringGrid.SetCells(0, target, "x");
        WriteFileRow(target, slot);
        FileStringGrid.SetCells(6, target, "0");
    }

    for (int i = 0; i < f.nVars; ++i)
        f.names[static_cast<std::size_t>(i)] = TrimNameRight(f.names[static_cast<std::size_t>(i)]);

    if (!multi || refresh) {
        loadedFiles = std::max(loadedFiles, 1);
    } else {
        ++loadedFiles;
        if (loadedFiles >= 4) {
            GrowBelowTable(step);
            if (Screen->Height() < Height()) SetHeight(Height() - step);
        }
    }

    currentSlot = slot;
    FillVarList();

    if (refresh) {
        RefindSelectionAfterRefresh(slot);
        // Too few points for a plot: the bookkeeping above stands, only the replot waits.
        if (PlotBtn.Enabled() && f.nPoints >= 2) {
            if (fixedScaleArg)
                UpdateBtnClick(this);
            else
                PlotBtnClick(this);
        }
    } else if (!multi) {
        ResetBtnClick(this);
    }

    if (multi) SelectedGrid.SetCells(0, xRow, CommonXName());
    ShowMaxHeader();
    listTop[static_cast<std::size_t>(slot)] = 0;
    Screen->SetCursor(crDefault);
    return 0;
}

// A refresh finds again only the rows of its own slot, by name; the common-x row stays.
void TDataSelForm::RefindSelectionAfterRefresh(int slot) {
    const bool multi = MultiFileBtn.Down();
    std::vector<SRefindRow> rows;
    for (int r = 1; r <= selectionRows && r < SelectedGrid.RowCount(); ++r) {
        const SSelRecord& rec = selRecords[static_cast<std::size_t>(r - 1)];
        SRefindRow row;
        row.name = SelectedGrid.Cells(0, r);
        row.slot = rec.slot;
        row.variable = rec.variable;
        row.second = rec.second;
        row.operatorPos = rec.operatorPos;
        row.isCommonX = multi && r == 1;
        row.isXRow = !multi && r == xRow;
        rows.push_back(row);
    }
    std::vector<std::string> listed;
    for (int i = 0; i < VarList.Items().Count(); ++i)
        listed.push_back(VarList.Items()[i]);
    const std::vector<int> remove = RefindSelection(rows, listed, multi ? 1 : 0, slot, !multi);
    for (std::size_t k = 0; k < rows.size(); ++k) {
        SSelRecord& rec = selRecords[k];
        rec.variable = rows[k].variable;
        rec.second = rows[k].second;
        const int r = static_cast<int>(k) + 1;
        if (SelectedGrid.Cells(0, r) != rows[k].name) SelectedGrid.SetCells(0, r, rows[k].name);
    }
    for (int k : remove)
        RemoveSelectedRow(k + 1);
}

void TDataSelForm::LoadBtnClick(TObject*) {
    const bool multi = MultiFileBtn.Down();
    OpenDialog1.Options = ofFileMustExist | (multi ? ofAllowMultiSelect : 0u);
    if (!OpenDialog1.Execute()) return;
    const bool hadFiles = loadedFiles > 0;
    std::vector<std::string> chosen = OpenDialog1.Files;
    if (chosen.empty() && !OpenDialog1.FileName.empty()) chosen.push_back(OpenDialog1.FileName);
    for (auto it = chosen.rbegin(); it != chosen.rend(); ++it) {
        const std::string& name = *it;
        int slot = currentSlot;
        if (multi) {
            slot = LowestFreeSlot();
            if (slot < 0) break;
            const int loaded = LoadedSlotOf(name);
            if (loaded >= 0) {
                MessageBox("Cannot load file " + fileNames[static_cast<std::size_t>(loaded)] +
                               ".\nReason: file already in memory",
                           "Invalid Operation", MB_OK | MB_ICONEXCLAMATION);
                continue;
            }
        }
        LoadFile(slot, name, false, false);
        if (loadedFiles > 0)
            for (TControl* c :
                 {static_cast<TControl*>(&TimesBtn), static_cast<TControl*>(&MinusBtn),
                  static_cast<TControl*>(&PlusBtn)})
                c->SetEnabled(true);
    }
    FinishLoading(hadFiles);
}

void TDataSelForm::FinishLoading(bool hadFiles) {
    if (MultiFileBtn.Down() && selectionRows < 2) {
        // The common-x row, once a file gives it a name.
        if (loadedFiles > 0) {
            selectionRows = 1;
            xRow = 1;
            SelectedGrid.SetCells(0, 1, CommonXName());
            SelectedGrid.SetCells(1, 1, "a");
            SelectedGrid.SetCells(2, 1, "1");
            SelectedGrid.SetCells(3, 1, "0");
            SelectedGrid.GetFontRow(1).SetColor(clBlack);
            SelectedGrid.GetFontFixedRow(1).SetColor(clBlack);
            if (!hadFiles) AllocCurveColour();
        }
    } else {
        ShowMaxHeader();
    }
    timeUnit = "s";
    UpdateLoadEnabled();
    fixedScale = false;
    listTop.fill(0);
}

void TDataSelForm::DropFiles(const std::vector<std::string>& names) {
    if (names.empty()) return;
    if (names.size() > 1 && !MultiFileBtn.Down()) {
        MultiFileBtn.SetDown(true);
        MultiFileBtnClick(&MultiFileBtn);
    }
    const bool multi = MultiFileBtn.Down();
    const bool hadFiles = loadedFiles > 0;
    for (auto it = names.rbegin(); it != names.rend(); ++it) {
        const std::string& name = *it;
        int slot = currentSlot;
        if (multi) {
            slot = LowestFreeSlot();
            if (slot < 0) break;
            if (LoadedSlotOf(name) >= 0) {
                MessageBox("Cannot load file " + name + ".\nReason: file already in memory",
                           "Invalid Operation", MB_OK | MB_ICONEXCLAMATION);
                continue;
            }
        }
        THourGlass hourGlass;
        if (LoadFile(slot, name, false, false) == 0) OpenDialog1.InitialDir = ExtractFileDir(name);
    }
    // As after the Load button: two files dropped on an empty window get their common x.
    FinishLoading(hadFiles);
}

void TDataSelForm::RefreshBtnClick(TObject*) {
    THourGlass hourGlass;
    if (!SlotLoaded(currentSlot)) return;
    if (LoadFile(currentSlot, fileNames[static_cast<std::size_t>(currentSlot)], fixedScale, true) !=
        0)
        MessageBox("Error refreshing file", "Error", MB_OK | MB_ICONEXCLAMATION);
    const std::string xName = SelectedGrid.Cells(0, xRow);
    const bool timeX = !xName.empty() && xName[0] == 't';
    SetTimeFactorPopup(timeX);
    if (!timeX) User1Click(this);
}

void TDataSelForm::RefUpdBtnClick(TObject*) {
    fixedScale = RefUpdBtn.Down();
}

void TDataSelForm::FileStringGridMouseUp(TObject*, TMouseButton, TShiftState, int, int Y) {
    lastClickChangedRow_ = false;
    if (doubleClickPending) {
        doubleClickPending = false;
        return;
    }
    lastMouseY = Y;
    if (Y < FileStringGrid.RowHeights(0) + 1) return;
    const int row = FileRowAt(Y, 1);
    if (row < 0 || row > kMaxFiles) return;
    const int before = currentFileRow;
    SelectFileRow(row);
    lastClickChangedRow_ = currentFileRow != before;
}

void TDataSelForm::SelectFileRow(int row) {
    if (row < 1 || row >= FileStringGrid.RowCount()) return;
    const std::string number = FileStringGrid.Cells(1, row);
    if (number.empty()) return;
    int slot = -1;
    try {
        slot = std::stoi(number) - 1;
    } catch (const std::exception&) {
        return;
    }
    if (slot < 0 || slot >= kMaxFiles || !SlotLoaded(slot)) return;
    if (currentFileRow > 0) FileStringGrid.SetCells(0, currentFileRow, "");
    listTop[static_cast<std::size_t>(currentSlot)] = VarList.TopIndex();
    currentSlot = slot;
    FileStringGrid.SetCells(0, row, "x");
    previousFileRow = currentFileRow;
    currentFileRow = row;
    FillVarList();
    VarList.SetTopIndex(listTop[static_cast<std::size_t>(slot)]);
}

// Unloads the file of the row under the double click. Only a data row holding a file
// counts: the header, empty rows and points below the rows do nothing.
void TDataSelForm::FileStringGridDblClick(TObject*) {
    if (!MultiFileBtn.Down() || loadedFiles <= 1) return;
    doubleClickPending = true;
    const int row = FileRowAt(lastMouseY, 0);
    // The first click of the pair may have chosen another file; that choice is undone.
    if (lastClickChangedRow_ && previousFileRow > 0) SelectFileRow(previousFileRow);
    lastClickChangedRow_ = false;
    if (row < 1 || row > kMaxFiles || FileStringGrid.Cells(2, row).empty()) return;
    int slot = -1;
    try {
        slot = std::stoi(FileStringGrid.Cells(1, row)) - 1;
    } catch (const std::exception&) {
        return;
    }
    if (slot < 0 || slot >= kMaxFiles || !SlotLoaded(slot)) return;

    if (row == currentFileRow) SelectFileRow(row == 1 ? 2 : row - 1);
    if (currentFileRow >= row) --currentFileRow;
    previousFileRow = currentFileRow;

    freeSlots |= static_cast<std::uint8_t>(1u << slot);
    fileNames[static_cast<std::size_t>(slot)].clear();
    FileStringGrid.RemoveRow(row);
    if (loadedFiles < 4) {
        const int newRow = FileStringGrid.RowCount();
        FileStringGrid.SetRowCount(newRow + 1);
        FileStringGrid.ClearRow(newRow);
        FileStringGrid.SetHintCell(2, newRow, "");
    }

    for (int r = selectionRows; r >= 2; --r)
        if (selRecords[static_cast<std::size_t>(r - 1)].slot == slot) RemoveSelectedRow(r);

    --loadedFiles;
    UpdateLoadEnabled();
    SelectedGrid.SetCells(0, xRow, CommonXName());
    ShowMaxHeader();
    if (loadedFiles > 2) GrowBelowTable(-(FileStringGrid.RowHeights(0) + 1));
}

void TDataSelForm::MultiFileBtnClick(TObject*) {
    const int a = (FileStringGrid.RowHeights(1) + 1) *
                  (std::max(loadedFiles, 3) - FileStringGrid.FixedRows());
    if (MultiFileBtn.Down()) {
        FileStringGrid.SetRowCount(std::max(loadedFiles + 1, 4));
        globals_.multiFileMode = true;
        SaveVarBtn.SetEnabled(false);
        for (int c = 0; c <= 1; ++c) {
            FileStringGrid.ResetBrushCell(c, 1);
            FileStringGrid.GetFontCell(c, 1).SetColor(FileStringGrid.Font().Color());
        }
        GrowBelowTable(a);
        OpenDialog1.Options |= ofAllowMultiSelect;
        SelectedGrid.SetCells(1, 0, "#");
        SelectedGrid.SetHintCell(1, 0, "File Number");
        UpdateLoadEnabled();
        if (loadedFiles > 0) {
            const std::string common = CommonXName();
            SelectedGrid.SetCells(0, xRow, common);
            FileStringGrid.SetCells(5, 0, UpperCase(common) + "max");
        }
        if (VarList.Items().Count() > 0) VarList.Items().Delete(0);
    } else {
        FileStringGrid.SetRowCount(2);
        globals_.multiFileMode = false;
        MultiFileBtn.SetEnabled(true);
        SaveVarBtn.SetEnabled(true);
        LoadBtn.SetEnabled(true);
        DragAcceptFiles(true);
        if (currentFileRow > 1) {
            SwapGridRows(FileStringGrid, currentFileRow, 1);
            currentFileRow = 1;
        }
        for (int c = 0; c <= 1; ++c) {
            FileStringGrid.GetBrushCell(c, 1).SetColor(kButtonFace);
            FileStringGrid.GetFontCell(c, 1).SetColor(kButtonFace);
        }
        if (currentFileRow > 0 && SlotLoaded(currentSlot)) {
            const SimOut& f = files[static_cast<std::size_t>(currentSlot)];
            FileStringGrid.SetCells(3, 1, std::to_string(f.nVars));
            FileStringGrid.SetCells(4, 1, std::to_string(f.nPoints));
        }
        GrowBelowTable(-a);
        OpenDialog1.Options &= ~static_cast<unsigned>(ofAllowMultiSelect);
        SelectedGrid.SetCells(1, 0, "X");
        SelectedGrid.SetHintCell(1, 0, "X Variable");
        SelectedGrid.SetCells(2, xRow, "1");
        SelectedGrid.SetCells(3, xRow, "0");
        SelectedGrid.GetFontRow(xRow).SetColor(clBlack);
        ShowMaxHeader();
        if (SlotLoaded(currentSlot))
            VarList.Items().Insert(0, files[static_cast<std::size_t>(currentSlot)].names[0]);
    }
    ResetBtnClick(this);
}

std::string TDataSelForm::CommonXName() {
    std::vector<std::string> xNames;
    for (int k = 0; k < kMaxFiles; ++k)
        if (SlotLoaded(k)) {
            const SimOut& f = files[static_cast<std::size_t>(k)];
            xNames.push_back(f.names.empty() ? std::string() : f.names[0]);
        }
    if (xNames.empty() || xNames.front().empty()) {
        MessageBox("Error \"CommonX\" in DataSelFF.cpp", "Unexpected Error", MB_OK | MB_ICONSTOP);
        return "??";
    }
    return SharedXName(xNames);
}

void TDataSelForm::OptionsBtnClick(TObject*) {
    if (ctx_.windows.Options) ctx_.windows.Options->LoadOptions();
    // Whatever the dialog's result, the default base periods follow the frequency.
    const float hz = options_.Frequency();
    for (int k = 0; k < kMaxFiles; ++k)
        if (SlotLoaded(k)) {
            const auto i = static_cast<std::size_t>(k);
            globals_.timeMax[i] = LastX(files[i]);
            globals_.fourierStart[i] = globals_.timeMax[i] - 1.0f / hz;
        }
}
