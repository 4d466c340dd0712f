#pragma once
// A grid that keeps a text and an object pointer per cell. Shrinking a count keeps the
// texts of the hidden rows and columns; they show again when it grows.

#include "Grid.h"

#include <string>
#include <vector>

class TStringGrid : public TCustomGrid {
public:
    using TCustomGrid::TCustomGrid;

    std::string Cells(int col, int row) const;
    void SetCells(int col, int row, const std::string& value);
    void* Objects(int col, int row) const;
    void SetObjects(int col, int row, void* value);
    // Empties the texts and objects of one row (column) within the counts.
    void ClearRow(int row);
    void ClearCol(int col);

    std::string GetEditText(int col, int row) override;
    void SetEditText(int col, int row, const std::string& value) override;
    void DrawCell(int col, int row, TRect rect, TGridDrawState state) override;
    // Moves the texts and objects, repaints, then the base step (OnRowMoved).
    void RowMoved(int from, int to) override;
    void ColumnMoved(int from, int to) override;

private:
    struct Cell {
        std::string text;
        void* object = nullptr;
    };
    Cell& At(int col, int row);
    const Cell* Find(int col, int row) const;
    void StoreText(int col, int row, const std::string& value);
    std::vector<std::vector<Cell>> rows_; // [row][col], grown on demand
};
