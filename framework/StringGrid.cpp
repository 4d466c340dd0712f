#include "StringGrid.h"

#include <algorithm>

TStringGrid::Cell& TStringGrid::At(int col, int row) {
    if (static_cast<int>(rows_.size()) <= row) rows_.resize(static_cast<std::size_t>(row) + 1);
    auto& line = rows_[static_cast<std::size_t>(row)];
    if (static_cast<int>(line.size()) <= col) line.resize(static_cast<std::size_t>(col) + 1);
    return line[static_cast<std::size_t>(col)];
}

const TStringGrid::Cell* TStringGrid::Find(int col, int row) const {
    if (col < 0 || row < 0 || row >= static_cast<int>(rows_.size())) return nullptr;
    const auto& line = rows_[static_cast<std::size_t>(row)];
    if (col >= static_cast<int>(line.size())) return nullptr;
    return &line[static_cast<std::size_t>(col)];
}

std::string TStringGrid::Cells(int col, int row) const {
    const Cell* c = Find(col, row);
    return c ? c->text : std::string();
}

void TStringGrid::SetCells(int col, int row, const std::string& value) {
    // The editor's text must not land on what code writes here afterwards.
    if (EditorCell() == TGridCoord{col, row}) EndEditForChange();
    StoreText(col, row, value);
}

void* TStringGrid::Objects(int col, int row) const {
    const Cell* c = Find(col, row);
    return c ? c->object : nullptr;
}
void TStringGrid::SetObjects(int col, int row, void* value) {
    if (col < 0 || row < 0) return;
    At(col, row).object = value;
}

void TStringGrid::ClearRow(int row) {
    if (EditorCell().Y == row) EndEditForChange();
    for (int c = 0; c < ColCount(); ++c)
        if (Find(c, row)) At(c, row) = Cell{};
    Invalidate();
}
void TStringGrid::ClearCol(int col) {
    if (EditorCell().X == col) EndEditForChange();
    for (int r = 0; r < RowCount(); ++r)
        if (Find(col, r)) At(col, r) = Cell{};
    Invalidate();
}

std::string TStringGrid::GetEditText(int col, int row) {
    return Cells(col, row);
}
// What the editor hands back goes straight to its own cell: it ends no edit.
void TStringGrid::SetEditText(int col, int row, const std::string& value) {
    StoreText(col, row, value);
}

void TStringGrid::StoreText(int col, int row, const std::string& value) {
    if (col < 0 || row < 0) return;
    At(col, row).text = value;
    InvalidateCell(col, row);
}

void TStringGrid::DrawCell(int col, int row, TRect rect, TGridDrawState state) {
    if (DefaultDrawing()) {
        TCanvas& canvas = Canvas();
        canvas.Brush().SetStyle(bsClear);
        canvas.TextRect(rect, rect.Left + 2, rect.Top + 2, Cells(col, row));
        canvas.Brush().SetStyle(bsSolid);
    }
    TCustomGrid::DrawCell(col, row, rect, state);
}

void TStringGrid::RowMoved(int from, int to) {
    const int last = std::max(from, to);
    if (last < RowCount()) {
        At(0, last); // both rows exist in the table
        const auto f = rows_.begin() + from, t = rows_.begin() + to;
        if (from < to)
            std::rotate(f, f + 1, t + 1);
        else
            std::rotate(t, f, f + 1);
        Invalidate();
    }
    TCustomGrid::RowMoved(from, to);
}

void TStringGrid::ColumnMoved(int from, int to) {
    const int last = std::max(from, to);
    if (last < ColCount()) {
        for (int r = 0; r < static_cast<int>(rows_.size()); ++r) {
            auto& line = rows_[static_cast<std::size_t>(r)];
            if (static_cast<int>(line.size()) <= last)
                line.resize(static_cast<std::size_t>(last) + 1);
            const auto f = line.begin() + from, t = line.begin() + to;
            if (from < to)
                std::rotate(f, f + 1, t + 1);
            else
                std::rotate(t, f, f + 1);
        }
        Invalidate();
    }
    TCustomGrid::ColumnMoved(from, to);
}
