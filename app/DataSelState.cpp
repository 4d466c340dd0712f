// The saved working state: SS writes the loaded files (with their time stamps), the
// selection, the x row and the time unit to the registry; LS checks every saved file and
// every record against its file before it lets go of anything, then puts the files into
// their slots, restores the selection model and plots. The byte layouts are in
// SavedState.h.
#include "DataSelFF.h"

#include "MessageBox.h"
#include "PlotData.h"
#include "RegistryNames.h"
#include "SavedState.h"
#include "SlotTable.h"
#include "Startup.h"
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

void ReadRegistryError() {
    MessageBox("Error reading registry", "Severe Error", MB_OK);
}

// The saved state as one look at the store found it: a save by another instance at the
// same moment gives its state or the earlier one, never a mix of the two. Values are read
// up to the first that fails; the restore reports that one at its own step.
struct SStoredState {
    bool damaged = false; // the store was damaged: it has been set aside, the state is lost
    bool opened = false;
    std::optional<std::int32_t> count;
    std::vector<TFileRecordBytes> records; // "File N. 1" on, up to the first unreadable
    bool rest = false;                     // the selection, time unit and x row were read
    TSelVarDataBytes selVarData{};
    std::optional<std::uint8_t> timeUnit;
    std::optional<std::int32_t> xVarRow;
};

SStoredState ReadStoredState() {
    SStoredState s;
    TRegistry registry;
    try {
        registry.Snapshot([&] {
            if (!registry.OpenKey(SavedStateKey(), false)) return;
            s.opened = true;
            std::int32_t count = 0;
            if (!Attempt([&] { count = registry.ReadInteger(kNumberOfFilesValue); })) return;
            s.count = count;
            if (count < 1 || count > kMaxSavedFiles) return;
            for (int k = 1; k <= count; ++k) {
                TFileRecordBytes record;
                if (!Attempt([&] {
                        registry.ReadBinaryData(FileRecordName(k), record.data(), kFileRecordSize);
                    }))
                    return;
                s.records.push_back(record);
            }
            s.rest = Attempt([&] {
                registry.ReadBinaryData(kSelVarDataValue, s.selVarData.data(), kSelVarDataSize);
                if (registry.ValueExists(kTimeUnitValue)) {
                    std::uint8_t b = 0;
                    registry.ReadBinaryData(kTimeUnitValue, &b, 1);
                    s.timeUnit = b;
                }
                if (count == 1) s.xVarRow = registry.ReadInteger(kXVarRowValue);
            });
        });
    } catch (const ERegistryDamaged&) {
        s.damaged = true;
    } catch (const std::exception&) {
        // A store out of reach: no state to open.
    }
    return s;
}

} // namespace

void TDataSelForm::SSSpeedBtnClick(TObject*) {
    const bool multi = fileSlots.Multi();
    std::vector<int> saving; // in the order they are saved; the rank is the saved slot
    for (int s = 0; s < kMaxFiles; ++s)
        if (fileSlots.Loaded(s) && (multi || s == fileSlots.Current())) saving.push_back(s);
    if (saving.empty()) {
        MessageBox("No file is loaded: there is no state to save", "Invalid Operation",
                   MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    // Everything is checked before the first write, so a refused save keeps the old state
    // whole.
    std::vector<SSavedFile> saved;
    for (int s : saving) {
        const std::string& path = fileSlots.Name(s);
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
        saved.push_back({path, stamp});
    }

    const TSelVarDataBytes selVarData =
        EncodeSelVarData(BuildSavedSelection(selection.SavedList(), selection.RowCount(),
                                             selection.SavedMarks(), !multi, fileSlots.Ranks()));
    const int xRow = selection.XRow();
    const std::uint8_t timeUnitByte =
        TimeUnitByte(xRow <= selection.RowCount() ? selection.Row(xRow).factorText : "");

    // One update of the store: a save cut short anywhere, by a failure or a kill, leaves
    // the previous state whole, and of saves made at once by several instances the last
    // stands whole. A failure shows its step's message; the store itself is written after
    // the last step, so a failed write of it is the last step's.
    enum EStep { kOpen, kCount, kFiles, kRest };
    static constexpr struct {
        const char* text;
        unsigned flags;
    } kFailures[] = {{"Error opening registry", MB_OK | MB_ICONSTOP},
                     {"Error writing NumOfSelFiles in Registry", MB_OK},
                     {"Error writing registry", MB_OK},
                     {"Error writing registry", MB_OK | MB_ICONSTOP}};
    EStep step = kOpen;
    TRegistry registry;
    const auto save = [&] {
        step = kOpen;
        registry.Transaction([&] {
            registry.OpenKey(SavedStateKey(), true);
            step = kCount;
            registry.WriteInteger(kNumberOfFilesValue, static_cast<std::int32_t>(saved.size()));
            step = kFiles;
            for (std::size_t k = 0; k < saved.size(); ++k) {
                TFileRecordBytes record;
                EncodeFileRecord(saved[k], record);
                registry.WriteBinaryData(FileRecordName(static_cast<int>(k) + 1), record.data(),
                                         kFileRecordSize);
            }
            step = kRest;
            registry.WriteBinaryData(kSelVarDataValue, selVarData.data(), kSelVarDataSize);
            registry.WriteBinaryData(kTimeUnitValue, &timeUnitByte, 1);
            registry.WriteInteger(kXVarRowValue, xRow);
        });
    };
    try {
        try {
            save();
        } catch (const ERegistryDamaged&) {
            // Set aside by now: the state goes into a fresh store.
            ShowRegistryDamaged(MessageBox);
            save();
        }
    } catch (const std::exception&) {
        MessageBox(kFailures[step].text, "Severe Error", kFailures[step].flags);
        return;
    }
    MessageBox("State Saved", "Info", MB_OK | MB_ICONINFORMATION);
}

void TDataSelForm::LSSpeedBtnClick(TObject*) {
    EndCellEdits();
    const SStoredState stored = ReadStoredState();
    if (stored.damaged) {
        ShowRegistryDamaged(MessageBox);
        return;
    }
    if (!stored.opened) {
        MessageBox("Error: unable to open saved state on registry\nPossible reason: no state "
                   "previously saved",
                   "Error", MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (!stored.count) {
        MessageBox("Error: unable read NumOfSelFiles in Registry", "Severe Error",
                   MB_OK | MB_ICONSTOP);
        return;
    }
    const std::int32_t count = *stored.count;
    if (count < 1 || count > kMaxSavedFiles) {
        ReadRegistryError();
        return;
    }

    // Every file and every value is checked before anything loaded is let go.
    std::vector<SSavedFile> saved;
    for (int k = 1; k <= count; ++k) {
        if (static_cast<std::size_t>(k) > stored.records.size()) {
            ReadRegistryError();
            return;
        }
        const SSavedFile file = DecodeFileRecord(stored.records[static_cast<std::size_t>(k) - 1]);
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
    if (!stored.rest) {
        ReadRegistryError();
        return;
    }
    const TSelVarDataBytes& selVarData = stored.selVarData;
    const std::optional<std::uint8_t>& timeUnit = stored.timeUnit;
    const std::optional<std::int32_t>& xVarRow = stored.xVarRow;
    const std::optional<SRestorePlan> plan =
        PlanRestore(count, DecodeSelVarData(selVarData), xVarRow, timeUnit);
    if (!plan) {
        ReadRegistryError();
        return;
    }

    // Every file is read and every record checked against its file before anything
    // loaded is let go: a state that does not fit leaves the window as it was.
    std::vector<SimOut> fresh(static_cast<std::size_t>(count));
    std::vector<CSelection::SRestoreFile> reread(static_cast<std::size_t>(count));
    std::vector<std::string> xNames;
    for (int k = 0; k < count; ++k) {
        const auto i = static_cast<std::size_t>(k);
        if (!ReadFile(saved[i].path, false, fresh[i])) continue; // the reader has said why
        reread[i].slot = k;
        reread[i].names.assign(fresh[i].names.begin(), fresh[i].names.begin() + fresh[i].nVars);
        xNames.push_back(reread[i].names.front());
    }
    const std::string commonX = SharedXName(xNames);
    const char unit = static_cast<char>(plan->timeUnit);
    const bool associate = options_.Flag(poAssociateFO);
    if (!selection.Restored(DecodeSelVarData(selVarData), count, xVarRow, unit, reread, commonX,
                            associate)) {
        ReadRegistryError();
        return;
    }

    if (selection.CompositeMode()) SetOperatorMode(false);
    UnloadAllFiles();
    if (plan->multiFile != fileSlots.Multi()) SetLayout(plan->multiFile);

    bool anyReloaded = false;
    for (int k = 0; k < count; ++k) {
        const auto i = static_cast<std::size_t>(k);
        if (reread[i].names.empty()) continue;
        CommitFile(k, saved[i].path, std::move(fresh[i]), false, false);
        SetCurrentDir(ExtractFileDir(ExpandFileName(saved[i].path)));
        anyReloaded = true;
    }
    if (!anyReloaded) {
        ResetBtnClick(&ResetBtn);
        return;
    }
    // Built again now that the unload has remembered its factors and offsets.
    if (auto again = selection.Restored(DecodeSelVarData(selVarData), count, xVarRow, unit, reread,
                                        commonX, associate);
        again && again->RowCount() > 0)
        selection = std::move(*again);
    // The file of the last restored row is the current one, as if its row had been chosen.
    if (selection.RowCount() > 1) {
        const int last = selection.Row(selection.RowCount()).slot;
        if (last != fileSlots.Current()) SelectFileRow(fileSlots.RowOfSlot(last));
    }
    if (selection.RowCount() > 0) {
        const std::string& x = selection.Row(selection.XRow()).name;
        SetTimeFactorPopup(selection.XIsFirstVariable() &&
                           (x.rfind('t', 0) == 0 || x.rfind("%t", 0) == 0));
    }
    EnableForSelection();
    DrawFileTable();
    DrawSelection();
    if (selection.RowCount() > 1) PlotBtnClick(&PlotBtn);
}

void TDataSelForm::UnloadAllFiles() {
    const int rowsBefore = FileStringGrid.RowCount();
    fileSlots.ReleaseAll();
    VarList.Clear();
    DrawFileTable();
    ResetBtnClick(&ResetBtn);
    // The rows that files beyond the third added go with them.
    const int fewer = rowsBefore - FileStringGrid.RowCount();
    if (fewer > 0) GrowBelowTable(-fewer * (FileStringGrid.RowHeights(0) + 1));
}
