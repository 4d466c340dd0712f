#pragma once
// The main window's file slots: which file is in which of the eight slots, the order of
// the file table's rows, the current file, the time shift typed for each file and the
// layout (multi-file, or single-file showing only the current file). The file table only
// draws this; a row's slot is always found here.

#include "PlotSnapshot.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class CSlots {
public:
    bool Multi() const { return multi_; }
    // Going to the single-file layout brings the current file's row to the top.
    void SetMulti(bool on);

    bool Loaded(int slot) const;
    int LoadedCount() const;
    int LowestFree() const; // -1 when every slot is taken
    const std::string& Name(int slot) const;
    // The loaded slot whose file is `name` (the same file, whatever the spelling); -1 none.
    int LoadedSlotOf(const std::string& name) const;
    // Rank of each loaded slot among the loaded ones, lowest slot first; -1 for a free one.
    std::array<int, kMaxFiles> Ranks() const;

    int Current() const { return current_; }
    // The slot current before the last change of the current file.
    int Previous() const { return previous_; }
    void SetCurrent(int slot);

    // File table rows, 1-based: the slots in their rows, top first.
    int RowCount() const { return static_cast<int>(rows_.size()); }
    int SlotOfRow(int row) const;  // -1 when the row shows no file
    int RowOfSlot(int slot) const; // 0 when no row shows it
    // The row the current file is in; 0 when it is in none.
    int CurrentRow() const { return RowOfSlot(current_); }

    // A file read into `slot`: a slot that was free gets the first empty row and a time
    // shift of "0"; it becomes the current slot either way.
    void Occupy(int slot, const std::string& name);
    // The slot is free again and its row leaves the table.
    void Release(int slot);
    void ReleaseAll();

    const std::string& Shift(int slot) const;
    void SetShift(int slot, const std::string& text);

private:
    bool multi_ = true;
    std::array<std::string, kMaxFiles> names_;
    std::uint8_t loaded_ = 0; // bit k set: slot k holds a file
    std::array<std::string, kMaxFiles> shifts_;
    std::vector<int> rows_;
    int current_ = 0;
    int previous_ = 0;
};
