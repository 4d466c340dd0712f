#include "Slots.h"

#include "SlotTable.h"

#include <algorithm>
#include <utility>

namespace {
const std::string kNone;
bool Valid(int slot) {
    return slot >= 0 && slot < kMaxFiles;
}
} // namespace

void CSlots::SetMulti(bool on) {
    multi_ = on;
    if (on) return;
    const int row = CurrentRow();
    if (row > 1) std::swap(rows_[0], rows_[static_cast<std::size_t>(row - 1)]);
}

bool CSlots::Loaded(int slot) const {
    return Valid(slot) && (loaded_ & (1u << slot)) != 0;
}

int CSlots::LoadedCount() const {
    int n = 0;
    for (int k = 0; k < kMaxFiles; ++k)
        n += Loaded(k) ? 1 : 0;
    return n;
}

int CSlots::LowestFree() const {
    for (int k = 0; k < kMaxFiles; ++k)
        if (!Loaded(k)) return k;
    return -1;
}

const std::string& CSlots::Name(int slot) const {
    return Valid(slot) ? names_[static_cast<std::size_t>(slot)] : kNone;
}

int CSlots::LoadedSlotOf(const std::string& name) const {
    for (int k = 0; k < kMaxFiles; ++k)
        if (Loaded(k) && SameFile(Name(k), name)) return k;
    return -1;
}

std::array<int, kMaxFiles> CSlots::Ranks() const {
    std::array<int, kMaxFiles> ranks;
    ranks.fill(-1);
    int rank = 0;
    for (int k = 0; k < kMaxFiles; ++k)
        if (Loaded(k)) ranks[static_cast<std::size_t>(k)] = rank++;
    return ranks;
}

void CSlots::SetCurrent(int slot) {
    if (!Valid(slot)) return;
    previous_ = current_;
    current_ = slot;
}

int CSlots::SlotOfRow(int row) const {
    return row >= 1 && row <= RowCount() ? rows_[static_cast<std::size_t>(row - 1)] : -1;
}

int CSlots::RowOfSlot(int slot) const {
    const auto it = std::find(rows_.begin(), rows_.end(), slot);
    return it == rows_.end() ? 0 : static_cast<int>(it - rows_.begin()) + 1;
}

void CSlots::Occupy(int slot, const std::string& name) {
    if (!Valid(slot)) return;
    const auto i = static_cast<std::size_t>(slot);
    if (!Loaded(slot)) {
        loaded_ = static_cast<std::uint8_t>(loaded_ | (1u << slot));
        shifts_[i] = "0";
        if (RowOfSlot(slot) == 0) {
            // The single-file layout shows one row: the new file takes it.
            if (!multi_ && !rows_.empty() && !Loaded(rows_.front()))
                rows_.front() = slot;
            else if (!multi_)
                rows_.insert(rows_.begin(), slot);
            else
                rows_.push_back(slot);
        }
    }
    names_[i] = name;
    if (current_ != slot) SetCurrent(slot);
}

void CSlots::Release(int slot) {
    if (!Loaded(slot)) return;
    loaded_ = static_cast<std::uint8_t>(loaded_ & ~(1u << slot));
    names_[static_cast<std::size_t>(slot)].clear();
    rows_.erase(std::remove(rows_.begin(), rows_.end(), slot), rows_.end());
}

void CSlots::ReleaseAll() {
    loaded_ = 0;
    for (auto& n : names_)
        n.clear();
    rows_.clear();
    current_ = previous_ = 0;
}

const std::string& CSlots::Shift(int slot) const {
    return Valid(slot) ? shifts_[static_cast<std::size_t>(slot)] : kNone;
}

void CSlots::SetShift(int slot, const std::string& text) {
    if (Valid(slot)) shifts_[static_cast<std::size_t>(slot)] = text;
}
