#pragma once
// Sparse attribute tables. An index with no entry reads as "no value", so a
// table behaves like an unbounded list of mostly empty slots; inserting,
// deleting and moving an index renumbers the entries after it the way a list
// would. Entries are owned values (bytes, colours, texts, font and brush
// objects held by unique_ptr).

#include "ListError.h"

#include <climits>
#include <map>
#include <utility>

template <class E> class TIndexedList {
public:
    using Map = std::map<int, E>;

    const E* Find(int index) const {
        const auto it = entries_.find(index);
        return it == entries_.end() ? nullptr : &it->second;
    }
    E* Find(int index) {
        const auto it = entries_.find(index);
        return it == entries_.end() ? nullptr : &it->second;
    }

    // Stores a value, releasing the one there before; a negative index is
    // rejected before anything changes.
    E& Put(int index, E value) {
        if (index < 0) throw EListError(index);
        return entries_.insert_or_assign(index, std::move(value)).first->second;
    }

    // The entry at index, made with `make` when missing.
    template <class Make> E& FindOrMake(int index, Make make) {
        if (index < 0) throw EListError(index);
        if (E* found = Find(index)) return *found;
        return entries_.emplace(index, make()).first->second;
    }

    bool Erase(int index) { return entries_.erase(index) > 0; }

    // Deletes the index: its entry is released, the entries after it move up.
    void DeleteIndex(int index) {
        entries_.erase(index);
        if (index < INT_MAX) ShiftRange(index + 1, INT_MAX, -1);
    }

    // Inserts an empty index: the entries from index on move down by one.
    void InsertIndex(int index) { ShiftRange(index, INT_MAX, +1); }

    // Moves the entry at `from` to `to` (an empty one moves as empty); the
    // entries in between close the gap.
    void MoveIndex(int from, int to) {
        if (from == to) return;
        auto node = entries_.extract(from);
        if (from < to)
            ShiftRange(from + 1, to, -1);
        else
            ShiftRange(to, from - 1, +1);
        if (!node.empty()) {
            node.key() = to;
            entries_.insert(std::move(node));
        }
    }

    bool Empty() const { return entries_.empty(); }
    void Clear() { entries_.clear(); }
    typename Map::const_iterator begin() const { return entries_.begin(); }
    typename Map::const_iterator end() const { return entries_.end(); }
    typename Map::iterator begin() { return entries_.begin(); }
    typename Map::iterator end() { return entries_.end(); }

private:
    // Renumbers the keys in [first, last] by delta (+1 or -1). The caller has
    // made the target keys free. A key pushed past INT_MAX lies beyond any
    // grid and is dropped.
    void ShiftRange(int first, int last, int delta) {
        if (first > last) return;
        Map moved;
        auto it = entries_.lower_bound(first);
        while (it != entries_.end() && it->first <= last) {
            auto node = entries_.extract(it++);
            if (delta > 0 && node.key() == INT_MAX) continue;
            node.key() += delta;
            moved.insert(std::move(node));
        }
        entries_.merge(moved);
    }

    Map entries_;
};

// A column or row table with the flag that decides whether a form stores it.
template <class E> struct TLineTable : TIndexedList<E> { bool stored = false; };

// A cell table: column-indexed lists of row-indexed entries.
template <class E> class TCellTable {
public:
    using Column = TIndexedList<E>;

    const E* Find(int col, int row) const {
        const Column* column = columns_.Find(col);
        return column ? column->Find(row) : nullptr;
    }
    E* Find(int col, int row) {
        Column* column = columns_.Find(col);
        return column ? column->Find(row) : nullptr;
    }
    E& Put(int col, int row, E value) {
        if (col < 0) throw EListError(col);
        if (row < 0) throw EListError(row);
        return columns_.FindOrMake(col, [] { return Column(); }).Put(row, std::move(value));
    }
    template <class Make> E& FindOrMake(int col, int row, Make make) {
        if (col < 0) throw EListError(col);
        if (row < 0) throw EListError(row);
        return columns_.FindOrMake(col, [] { return Column(); }).FindOrMake(row, make);
    }
    bool Erase(int col, int row) {
        Column* column = columns_.Find(col);
        return column && column->Erase(row);
    }

    void DeleteRow(int row) {
        for (auto& [col, column] : columns_)
            column.DeleteIndex(row);
    }
    void InsertRow(int row) {
        for (auto& [col, column] : columns_)
            column.InsertIndex(row);
    }
    void MoveRow(int from, int to) {
        for (auto& [col, column] : columns_)
            column.MoveIndex(from, to);
    }
    void InsertCol(int col) { columns_.InsertIndex(col); }
    void MoveCol(int from, int to) { columns_.MoveIndex(from, to); }

    bool Empty() const {
        for (const auto& [col, column] : columns_)
            if (!column.Empty()) return false;
        return true;
    }
    void Clear() { columns_.Clear(); }
    const TIndexedList<Column>& Columns() const { return columns_; }

    bool stored = false;

private:
    TIndexedList<Column> columns_;
};
