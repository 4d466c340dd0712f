#include "Selection.h"

#include "NumericText.h"
#include "SlotTable.h"

#include <algorithm>

namespace {
constexpr std::array<std::uint32_t, kMaxCurves> kPalette = {
    0x000000, 0x0000FF, 0x008000, 0xFF0000, 0xFF00FF, 0x000080, 0x808080, 0xCCCC00, 0x00CCCC};
constexpr std::size_t kMaxDefaultFO = 20;
} // namespace

std::string TimeFactorText(char unit) {
    return unit == 'm' ? kMinutesFactorText : unit == 'h' ? kHoursFactorText : "";
}

bool IsTimeFactorText(const std::string& text) {
    return text == kMinutesFactorText || text == kHoursFactorText;
}

bool CSelection::XIsFirstVariable() const {
    return xRow_ < 1 || xRow_ > RowCount() || Row(xRow_).variable == 0;
}

bool CSelection::FromOneFile(bool multi) const {
    if (!multi) return RowCount() > 1;
    if (RowCount() < 2) return false;
    for (int r = 3; r <= RowCount(); ++r)
        if (Row(r).slot != Row(2).slot) return false;
    return true;
}

int CSelection::CurveSlot(bool multi, int fallback) const {
    const int r = multi && RowCount() >= 2 ? 2 : 1;
    if (r > RowCount()) return fallback;
    const int slot = Row(r).slot;
    return slot >= 0 && slot < kMaxFiles ? slot : fallback;
}

bool CSelection::Scaled(int r) const {
    double k = 0, o = 0;
    const SSelRow& row = Row(r);
    return ReadPlotFactor(row.factorText, k) && TextToDouble(o, row.offsetText) == 0 &&
           (k != 1 || o != 0);
}

EAddResult CSelection::AddVariable(int slot, int variable, const std::string& name, bool right,
                                   bool associateFO) {
    if (RowCount() >= kMaxRows) return EAddResult::refused;
    if (compositeMode_ && !pending_) {
        SSelRow first;
        first.name = name;
        first.slot = slot;
        first.variable = variable;
        first.rightAxis = right;
        first.colour = AllocColour();
        pending_ = first;
        return EAddResult::pending;
    }
    if (compositeMode_) {
        SSelRow row = *pending_;
        pending_.reset();
        row.second = variable;
        row.operatorPos = static_cast<int>(row.name.size()) + 1;
        row.name += operator_;
        row.name += name;
        row.hint = row.name;
        // a composite row is plotted like any other, so it starts unscaled
        row.factorText = "1";
        row.offsetText = "0";
        rows_.push_back(std::move(row));
    } else {
        SSelRow row;
        row.name = name;
        row.slot = slot;
        row.variable = variable;
        row.rightAxis = right;
        row.colour = AllocColour();
        rows_.push_back(std::move(row));
        if (associateFO) ApplyDefaultFO(RowCount());
    }
    if ((timeUnit_ == 'm' || timeUnit_ == 'h') && xRow_ <= RowCount())
        rows_[static_cast<std::size_t>(xRow_ - 1)].factorText = TimeFactorText(timeUnit_);
    return EAddResult::added;
}

void CSelection::RemoveRow(int r, bool associateFO) {
    if (r < 1 || r > RowCount()) return;
    FreeColour(Row(r).colour);
    if (associateFO && Scaled(r)) StoreDefaultFO(r);
    rows_.erase(rows_.begin() + (r - 1));
    if (xRow_ > r) --xRow_;
}

void CSelection::MakeX(int r) {
    if (r < 1 || r > RowCount() || r == xRow_) return;
    SSelRow& now = rows_[static_cast<std::size_t>(r - 1)];
    if (xRow_ >= 1 && xRow_ <= RowCount())
        rows_[static_cast<std::size_t>(xRow_ - 1)].colour = now.colour;
    now.colour = 0x000000; // the x row is drawn black
    xRow_ = r;
}

void CSelection::Clear(bool associateFO) {
    if (associateFO)
        for (int r = 1; r <= RowCount(); ++r) {
            if (r == xRow_ && IsTimeFactorText(Row(r).factorText)) continue;
            if (Scaled(r)) StoreDefaultFO(r);
        }
    rows_.clear();
    pending_.reset();
    xRow_ = 1;
    ResetColours();
}

void CSelection::SetCommonXRow(const std::string& name, bool takeColour) {
    SSelRow row;
    row.name = name;
    row.colour = takeColour ? AllocColour() : 0x000000;
    const std::string timeText = TimeFactorText(timeUnit_);
    row.factorText = timeText.empty() ? std::string("1") : timeText;
    rows_.assign(1, row);
    xRow_ = 1;
}

void CSelection::SetRowName(int r, const std::string& name) {
    if (r >= 1 && r <= RowCount()) rows_[static_cast<std::size_t>(r - 1)].name = name;
}

void CSelection::SetFactorText(int r, const std::string& text) {
    if (r >= 1 && r <= RowCount()) rows_[static_cast<std::size_t>(r - 1)].factorText = text;
}

void CSelection::SetOffsetText(int r, const std::string& text) {
    if (r >= 1 && r <= RowCount()) rows_[static_cast<std::size_t>(r - 1)].offsetText = text;
}

void CSelection::EndComposite() {
    compositeMode_ = false;
    if (pending_) FreeColour(pending_->colour);
    pending_.reset();
}

void CSelection::SetTimeUnit(char unit) {
    timeUnit_ = unit == 'm' || unit == 'h' ? unit : 's';
    if (xRow_ > RowCount()) return;
    const std::string text = TimeFactorText(timeUnit_);
    rows_[static_cast<std::size_t>(xRow_ - 1)].factorText = text.empty() ? std::string("1") : text;
}

std::uint32_t CSelection::AllocColour() {
    for (std::size_t i = 0; i < kPalette.size(); ++i)
        if (!colourInUse_[i]) {
            colourInUse_[i] = true;
            return kPalette[i];
        }
    return 0x000000;
}

void CSelection::FreeColour(std::uint32_t colour) {
    for (std::size_t i = 0; i < kPalette.size(); ++i)
        if (kPalette[i] == colour) {
            colourInUse_[i] = false;
            return;
        }
}

void CSelection::ResetColours() {
    colourInUse_.fill(false);
}

void CSelection::StoreDefaultFO(int r) {
    if (r < 1 || r > RowCount()) return;
    const SSelRow& row = Row(r);
    double k = 0, o = 0;
    if (!ReadPlotFactor(row.factorText, k)) return; // no number: left to the plot's check
    if (TextToDouble(o, row.offsetText) != 0) return;
    auto it = std::find_if(defaultFO_.begin(), defaultFO_.end(),
                           [&](const SDefaultFO& e) { return e.name == row.name; });
    if (it == defaultFO_.end()) {
        if (defaultFO_.size() >= kMaxDefaultFO) return;
        it = defaultFO_.insert(defaultFO_.end(), SDefaultFO{row.name, 1, 0});
    }
    it->factor = static_cast<float>(k);
    it->offset = static_cast<float>(o);
}

void CSelection::ApplyDefaultFO(int r) {
    if (r < 1 || r > RowCount()) return;
    SSelRow& row = rows_[static_cast<std::size_t>(r - 1)];
    const auto it = std::find_if(defaultFO_.begin(), defaultFO_.end(),
                                 [&](const SDefaultFO& e) { return e.name == row.name; });
    if (it == defaultFO_.end()) return;
    row.factorText = FormatNumber(it->factor, 4);
    row.offsetText = FormatNumber(it->offset, 4);
}

void CSelection::Refind(int slot, const std::vector<std::string>& listed, int indexOffset,
                        bool allRows, bool multi, bool associateFO) {
    std::vector<SRefindRow> rows;
    for (int r = 1; r <= RowCount(); ++r) {
        const SSelRow& s = Row(r);
        SRefindRow row;
        row.name = s.name;
        row.slot = s.slot;
        row.variable = s.variable;
        row.second = s.second;
        row.operatorPos = s.operatorPos;
        row.isCommonX = multi && r == 1;
        row.isXRow = !multi && r == xRow_;
        rows.push_back(row);
    }
    const std::vector<int> remove = RefindSelection(rows, listed, indexOffset, slot, allRows);
    for (std::size_t k = 0; k < rows.size(); ++k) {
        rows_[k].variable = rows[k].variable;
        rows_[k].second = rows[k].second;
        rows_[k].name = rows[k].name;
    }
    for (int k : remove)
        RemoveRow(k + 1, associateFO);
}

void CSelection::FillPlotRequest(SPlotRequest& q) const {
    q.rows.clear();
    for (int r = 1; r <= RowCount() && r <= kMaxCurves; ++r) {
        const SSelRow& s = Row(r);
        SPlotRow row;
        row.slot = s.slot;
        row.variable = s.variable;
        row.second = s.second;
        row.operatorPos = s.operatorPos;
        row.name = s.name;
        row.factorText = s.factorText;
        row.offsetText = s.offsetText;
        row.rightAxis = s.rightAxis;
        row.colour = s.colour;
        q.rows.push_back(std::move(row));
    }
    q.xRow = xRow_;
    q.xIsFirstVariable = XIsFirstVariable();
}

TSavedSelection CSelection::SavedList() const {
    TSavedSelection list;
    for (int r = 1; r <= RowCount() && r <= kSelRecordCount; ++r) {
        const SSelRow& s = Row(r);
        list[static_cast<std::size_t>(r - 1)] = {0, s.slot, s.variable, s.second, s.operatorPos};
    }
    return list;
}

std::array<bool, kSelRecordCount> CSelection::SavedMarks() const {
    std::array<bool, kSelRecordCount> marks{};
    for (int r = 1; r <= RowCount() && r <= kSelRecordCount; ++r)
        marks[static_cast<std::size_t>(r - 1)] = Row(r).rightAxis;
    return marks;
}

std::optional<CSelection> CSelection::Restored(const TSavedSelection& records, int fileCount,
                                               std::optional<std::int32_t> xVarRow, char timeUnit,
                                               const std::vector<SRestoreFile>& files,
                                               const std::string& commonX, bool associateFO) const {
    if (fileCount < 1 || fileCount > kMaxSavedFiles || static_cast<int>(files.size()) < fileCount)
        return std::nullopt;
    const bool multi = fileCount > 1;
    int savedRows = kSelRecordCount; // records before the end marker
    for (int k = 0; k < kSelRecordCount; ++k)
        if (records[static_cast<std::size_t>(k)].slot == -1) {
            savedRows = k;
            break;
        }

    CSelection out;
    out.defaultFO_ = defaultFO_;
    if (multi) out.SetCommonXRow(commonX, true);
    const int lowest = multi ? 1 : 0;
    // The multi-file layout's record 0 is the common-x row, rebuilt above.
    for (int k = multi ? 1 : 0; k < savedRows; ++k) {
        const SSavedSelRecord& r = records[static_cast<std::size_t>(k)];
        if (r.slot < 0 || r.slot >= fileCount) return std::nullopt;
        const SRestoreFile& file = files[static_cast<std::size_t>(r.slot)];
        if (file.names.empty()) continue; // the file did not reload
        if (r.variable < lowest || r.variable >= static_cast<int>(file.names.size()))
            return std::nullopt;
        if (out.RowCount() >= kMaxRows) break;
        out.AddVariable(file.slot, r.variable, file.names[static_cast<std::size_t>(r.variable)],
                        r.mark != 0, associateFO);
    }
    if (!multi && savedRows > 0) {
        if (!xVarRow || *xVarRow < 1 || *xVarRow > savedRows || *xVarRow > kMaxRows)
            return std::nullopt;
        if (*xVarRow <= out.RowCount()) out.MakeX(*xVarRow);
    }
    if (timeUnit == 'm' || timeUnit == 'h') out.SetTimeUnit(timeUnit);
    return out;
}
