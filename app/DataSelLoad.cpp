// File slots: loading by the Load button, the command line and dropped files, reading a
// file again, unloading, and the two layouts of the file table.
#include "DataSelFF.h"

#include "MessageBox.h"
#include "OptionsFF.h"
#include "Screen.h"
#include "SlotTable.h"
#include "services/FileNames.h"

#include <algorithm>
#include <array>

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

// Loading stays possible while a slot is free; the single-file layout always replaces
// the file it shows.
void TDataSelForm::UpdateLoadEnabled() {
    const bool on = !fileSlots.Multi() || fileSlots.LowestFree() >= 0;
    LoadBtn.SetEnabled(on);
    DragAcceptFiles(on);
}

void TDataSelForm::FillVarList() {
    TStrings& items = VarList.Items();
    items.Clear();
    const int slot = fileSlots.Current();
    if (!fileSlots.Loaded(slot)) return;
    const SimOut& f = files[static_cast<std::size_t>(slot)];
    for (int i = fileSlots.Multi() ? 1 : 0; i < f.nVars; ++i)
        items.Add(f.names[static_cast<std::size_t>(i)]);
}

void TDataSelForm::ShowMaxHeader() {
    if (fileSlots.Multi()) {
        if (fileSlots.LoadedCount() > 0)
            FileStringGrid.SetCells(5, 0, MaxHeaderForSharedName(CommonXName()));
    } else if (fileSlots.Loaded(fileSlots.Current())) {
        FileStringGrid.SetCells(
            5, 0, MaxHeaderForXName(files[static_cast<std::size_t>(fileSlots.Current())].names[0]));
    }
}

int TDataSelForm::FileRowAt(int y, int firstRow) const {
    int bottom = 0;
    for (int r = 0; r < FileStringGrid.RowCount(); ++r) {
        bottom += FileStringGrid.RowHeights(r) + 1;
        if (r >= firstRow && bottom > y) return r;
    }
    return -1;
}

void TDataSelForm::DrawFileTable() {
    const bool multi = fileSlots.Multi();
    const int rows = multi ? std::max(fileSlots.LoadedCount() + 1, 4) : 2;
    if (FileStringGrid.RowCount() != rows) FileStringGrid.SetRowCount(rows);
    for (int r = 1; r < rows; ++r) {
        const int slot = fileSlots.SlotOfRow(r);
        std::array<std::string, 7> text;
        std::string hint;
        if (slot >= 0) {
            const SimOut& f = files[static_cast<std::size_t>(slot)];
            const std::string& name = fileSlots.Name(slot);
            text = {slot == fileSlots.Current() ? "x" : "",
                    std::to_string(slot + 1),
                    ExtractFileName(name),
                    std::to_string(f.nVars),
                    std::to_string(f.nPoints),
                    f.nPoints > 0 ? LastXText(LastX(f)) : std::string(),
                    fileSlots.Shift(slot)};
            hint = name;
        }
        for (int c = 0; c < 7; ++c)
            FileStringGrid.SetCells(c, r, text[static_cast<std::size_t>(c)]);
        FileStringGrid.SetHintCell(2, r, hint);
        for (int c = 2; c < 7; ++c)
            FileStringGrid.ResetBrushCell(c, r);
    }
    // The single-file layout hides the mark and number of its one row in the button face.
    for (int c = 0; c <= 1; ++c) {
        if (multi) {
            FileStringGrid.ResetBrushCell(c, 1);
            FileStringGrid.GetFontCell(c, 1).SetColor(FileStringGrid.Font().Color());
        } else {
            FileStringGrid.GetBrushCell(c, 1).SetColor(kButtonFace);
            FileStringGrid.GetFontCell(c, 1).SetColor(kButtonFace);
        }
    }
    FileStringGrid.Invalidate();
}

void TDataSelForm::FileCellEdited(int col, int row, const std::string& text) {
    if (col == 6) fileSlots.SetShift(fileSlots.SlotOfRow(row), text);
}

bool TDataSelForm::ReadFile(const std::string& name, bool refresh, SimOut& fresh) {
    THourGlass hourGlass;
    const std::string ext = LowerCase(ExtractFileExt(name));
    const Reader read = ReaderFor(ext);
    if (!read) {
        Screen->SetCursor(crDefault);
        MessageBox("Input file \"" + name + "\" has not a valid extension", "Error",
                   MB_OK | MB_ICONSTOP);
        return false;
    }
    fresh.commaSeparators = options_.Flag(poCommaSeparators);
    fresh.warn = [this](const std::string& title, const std::string& text) {
        WarnFromReader(title, text);
    };
    std::string reason = (fresh.*read)(name);
    if (reason.empty()) reason = CheckRecord(fresh);
    if (!reason.empty()) {
        Screen->SetCursor(crDefault);
        MessageBox(std::string(refresh ? "Unable to re-read file " : "Unable to read file ") +
                       "\"" + name + "\"\nReason: " + reason,
                   "Error", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    for (int i = 0; i < fresh.nVars; ++i)
        fresh.names[static_cast<std::size_t>(i)] =
            TrimNameRight(fresh.names[static_cast<std::size_t>(i)]);
    return true;
}

void TDataSelForm::CommitFile(int slot, const std::string& nameArg, SimOut&& fresh,
                              bool fixedScaleArg, bool refresh) {
    const std::string name = nameArg; // may be the slot's own stored name
    const int step = FileStringGrid.RowHeights(0) + 1;
    SimOut& f = files[static_cast<std::size_t>(slot)];
    f = std::move(fresh);

    globals_.timeMax[static_cast<std::size_t>(slot)] = LastX(f);
    globals_.fourierStart[static_cast<std::size_t>(slot)] =
        globals_.timeMax[static_cast<std::size_t>(slot)] - 1.0f / options_.Frequency();
    const bool wasLoaded = fileSlots.Loaded(slot);
    fileSlots.Occupy(slot, name);
    if (!refresh) fileSlots.SetShift(slot, "0");
    RefreshBtn.SetEnabled(true);
    RefUpdBtn.SetEnabled(RefreshBtn.Enabled());
    for (TControl* c : {static_cast<TControl*>(&TimesBtn), static_cast<TControl*>(&MinusBtn),
                        static_cast<TControl*>(&PlusBtn)})
        c->SetEnabled(true);
    if (!fixedScaleArg) SetUpdatable(false);

    const bool multi = fileSlots.Multi();
    DrawFileTable();
    if (multi && !wasLoaded && fileSlots.LoadedCount() >= 4) {
        GrowBelowTable(step);
        if (Screen->Height() < Height()) SetHeight(Height() - step);
    }

    FillVarList();

    if (refresh) {
        RefindSelectionAfterRefresh(slot);
        // Too few points for a plot: the bookkeeping above stands, only the replot waits.
        if (selection.RowCount() > 1 && f.nPoints >= 2) {
            if (fixedScaleArg)
                UpdateBtnClick(this);
            else
                PlotBtnClick(this);
        }
    } else if (!multi) {
        ResetBtnClick(this);
    }

    if (multi) selection.SetRowName(selection.XRow(), CommonXName());
    DrawSelection();
    ShowMaxHeader();
    listTop[static_cast<std::size_t>(slot)] = 0;
    Screen->SetCursor(crDefault);
}

int TDataSelForm::LoadFile(int slot, const std::string& name, bool fixedScaleArg, bool refresh) {
    EndCellEdits();
    if (slot < 0 || slot >= kMaxFiles) return 1;
    // The file is read into a record of its own: a failure leaves the slot, the table,
    // the list and the selection describing the file they showed.
    SimOut fresh;
    if (!ReadFile(name, refresh, fresh)) return 1;
    CommitFile(slot, name, std::move(fresh), fixedScaleArg, refresh);
    return 0;
}

// A refresh finds again only the rows of its own slot, by name; the common-x row stays.
void TDataSelForm::RefindSelectionAfterRefresh(int slot) {
    const bool multi = fileSlots.Multi();
    // The names the list shows: the file's, from the first variable in the multi-file layout.
    const SimOut& f = files[static_cast<std::size_t>(slot)];
    const std::vector<std::string> listed(f.names.begin() + (multi ? 1 : 0),
                                          f.names.begin() + f.nVars);
    selection.Refind(slot, listed, multi ? 1 : 0, !multi, multi, options_.Flag(poAssociateFO));
    PlotBtn.SetEnabled(selection.RowCount() > 1);
    SaveVarBtn.SetEnabled(SelectionFromOneFile());
    DrawSelection();
}

std::vector<int> TDataSelForm::LoadFiles(const std::vector<std::string>& names) {
    std::vector<int> loaded(names.size(), -1);
    for (std::size_t k = 0; k < names.size(); ++k) {
        const std::string& name = names[k];
        int slot = fileSlots.Current();
        if (fileSlots.Multi()) {
            slot = fileSlots.LowestFree();
            if (slot < 0) break;
            const int in = fileSlots.LoadedSlotOf(name);
            if (in >= 0) {
                MessageBox("Cannot load file " + fileSlots.Name(in) +
                               ".\nReason: file already in memory",
                           "Invalid Operation", MB_OK | MB_ICONEXCLAMATION);
                continue;
            }
        }
        if (LoadFile(slot, name, false, false) == 0) loaded[k] = slot;
    }
    return loaded;
}

void TDataSelForm::LoadBtnClick(TObject*) {
    OpenDialog1.Options = ofFileMustExist | (fileSlots.Multi() ? ofAllowMultiSelect : 0u);
    if (!OpenDialog1.Execute()) return;
    const bool hadFiles = fileSlots.LoadedCount() > 0;
    std::vector<std::string> chosen = OpenDialog1.Files;
    if (chosen.empty() && !OpenDialog1.FileName.empty()) chosen.push_back(OpenDialog1.FileName);
    // The chosen files from the last to the first.
    LoadFiles({chosen.rbegin(), chosen.rend()});
    FinishLoading(hadFiles);
}

void TDataSelForm::FinishLoading(bool hadFiles) {
    selection.SetTimeUnitOnly('s');
    if (fileSlots.Multi() && selection.RowCount() < 2) {
        // The common-x row, once a file gives it a name.
        if (fileSlots.LoadedCount() > 0) selection.SetCommonXRow(CommonXName(), !hadFiles);
    } else {
        ShowMaxHeader();
    }
    DrawSelection();
    UpdateLoadEnabled();
    fixedScale = false;
    listTop.fill(0);
}

void TDataSelForm::DropFiles(const std::vector<std::string>& names) {
    if (names.empty()) return;
    if (names.size() > 1 && !fileSlots.Multi()) SetLayout(true);
    const bool hadFiles = fileSlots.LoadedCount() > 0;
    // The dropped files from the last to the first; the dialog opens where they came from.
    const std::vector<std::string> order(names.rbegin(), names.rend());
    const std::vector<int> loaded = LoadFiles(order);
    for (std::size_t k = 0; k < order.size(); ++k)
        if (loaded[k] >= 0) OpenDialog1.InitialDir = ExtractFileDir(order[k]);
    FinishLoading(hadFiles);
}

void TDataSelForm::RefreshBtnClick(TObject*) {
    EndCellEdits();
    THourGlass hourGlass;
    const int slot = fileSlots.Current();
    if (!fileSlots.Loaded(slot)) return;
    if (LoadFile(slot, fileSlots.Name(slot), fixedScale, true) != 0)
        MessageBox("Error refreshing file", "Error", MB_OK | MB_ICONEXCLAMATION);
    const bool timeX =
        selection.RowCount() > 0 && selection.Row(selection.XRow()).name.rfind('t', 0) == 0;
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
    const int before = fileSlots.Current();
    SelectFileRow(row);
    lastClickChangedRow_ = fileSlots.Current() != before;
}

void TDataSelForm::SelectFileRow(int row) {
    EndCellEdits();
    if (row < 1 || row >= FileStringGrid.RowCount()) return;
    const int slot = fileSlots.SlotOfRow(row);
    if (!fileSlots.Loaded(slot)) return;
    listTop[static_cast<std::size_t>(fileSlots.Current())] = VarList.TopIndex();
    fileSlots.SetCurrent(slot);
    FillVarList();
    VarList.SetTopIndex(listTop[static_cast<std::size_t>(slot)]);
    DrawFileTable();
}

// Unloads the file of the row under the double click. Only a data row holding a file
// counts: the header, empty rows and points below the rows do nothing.
void TDataSelForm::FileStringGridDblClick(TObject*) {
    EndCellEdits();
    if (!fileSlots.Multi() || fileSlots.LoadedCount() <= 1) return;
    doubleClickPending = true;
    const int row = FileRowAt(lastMouseY, 0);
    // The first click of the pair may have chosen another file; that choice is undone.
    if (lastClickChangedRow_ && fileSlots.Loaded(fileSlots.Previous()))
        SelectFileRow(fileSlots.RowOfSlot(fileSlots.Previous()));
    lastClickChangedRow_ = false;
    if (row < 1 || row > kMaxFiles) return;
    const int slot = fileSlots.SlotOfRow(row);
    if (fileSlots.Loaded(slot)) UnloadSlot(slot);
}

void TDataSelForm::UnloadSlot(int slot) {
    const int row = fileSlots.RowOfSlot(slot);
    if (row == fileSlots.CurrentRow()) SelectFileRow(row == 1 ? 2 : row - 1);
    fileSlots.Release(slot);
    for (int r = selection.RowCount(); r >= 2; --r)
        if (selection.Row(r).slot == slot) selection.RemoveRow(r, options_.Flag(poAssociateFO));
    PlotBtn.SetEnabled(selection.RowCount() > 1);
    SaveVarBtn.SetEnabled(SelectionFromOneFile());
    UpdateLoadEnabled();
    if (fileSlots.LoadedCount() > 0) selection.SetRowName(selection.XRow(), CommonXName());
    ShowMaxHeader();
    DrawFileTable();
    DrawSelection();
    if (fileSlots.LoadedCount() > 2) GrowBelowTable(-(FileStringGrid.RowHeights(0) + 1));
}

void TDataSelForm::MultiFileBtnClick(TObject*) {
    SetLayout(MultiFileBtn.Down());
}

void TDataSelForm::SetLayout(bool multi) {
    EndCellEdits();
    const int loaded = fileSlots.LoadedCount();
    const int a =
        (FileStringGrid.RowHeights(1) + 1) * (std::max(loaded, 3) - FileStringGrid.FixedRows());
    fileSlots.SetMulti(multi);
    MultiFileBtn.SetDown(fileSlots.Multi());
    globals_.multiFileMode = fileSlots.Multi();
    if (fileSlots.Multi()) {
        SaveVarBtn.SetEnabled(false);
        DrawFileTable();
        GrowBelowTable(a);
        OpenDialog1.Options |= ofAllowMultiSelect;
        SelectedGrid.SetCells(1, 0, "#");
        SelectedGrid.SetHintCell(1, 0, "File Number");
        UpdateLoadEnabled();
        if (loaded > 0) FileStringGrid.SetCells(5, 0, UpperCase(CommonXName()) + "max");
    } else {
        MultiFileBtn.SetEnabled(true);
        SaveVarBtn.SetEnabled(true);
        LoadBtn.SetEnabled(true);
        DragAcceptFiles(true);
        DrawFileTable();
        GrowBelowTable(-a);
        OpenDialog1.Options &= ~static_cast<unsigned>(ofAllowMultiSelect);
        SelectedGrid.SetCells(1, 0, "X");
        SelectedGrid.SetHintCell(1, 0, "X Variable");
        ShowMaxHeader();
    }
    FillVarList();
    ResetBtnClick(this);
}

std::string TDataSelForm::CommonXName() {
    std::vector<std::string> xNames;
    for (int k = 0; k < kMaxFiles; ++k)
        if (fileSlots.Loaded(k)) {
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
        if (fileSlots.Loaded(k)) {
            const auto i = static_cast<std::size_t>(k);
            globals_.timeMax[i] = LastX(files[i]);
            globals_.fourierStart[i] = globals_.timeMax[i] - 1.0f / hz;
        }
}
