// Rows and columns: every attribute table follows its cells when rows are
// removed or inserted and when rows or columns are moved. The stored form
// texts are not touched; they belong to the form, not to the cells.

#include "AlignAttributes.h"

#include <algorithm>

template <class F> void TAlignAttributes::ForEachRowTable(F f) {
    f(alignRow_), f(fixedAlignRow_), f(editRow_), f(selectedColorRow_), f(selectedFontColorRow_),
        f(fontRow_), f(fontFixedRow_), f(brushRow_), f(brushFixedRow_);
}

template <class F> void TAlignAttributes::ForEachColTable(F f) {
    f(alignCol_), f(fixedAlignCol_), f(editCol_), f(selectedColorCol_), f(selectedFontColorCol_),
        f(fontCol_), f(fontFixedCol_), f(brushCol_), f(brushFixedCol_);
}

template <class F> void TAlignAttributes::ForEachCellTable(F f) {
    f(alignCell_), f(editCell_), f(selectedColorCell_), f(selectedFontColorCell_), f(fontCell_),
        f(brushCell_), f(hintCell_);
}

// Deleting an index only where a table holds it: a table that ends before the
// row has nothing to delete (a list of exactly `row` entries is left alone
// instead of failing half-way through the tables).
void TAlignAttributes::RemoveRow(int row) {
    const int rows = host_.RowCount();
    if (row < host_.FixedRows() || row >= rows) return;
    ForEachRowTable([row](auto& table) { table.DeleteIndex(row); });
    ForEachCellTable([row](auto& table) { table.DeleteRow(row); });
    for (int i = row; i <= rows - 2; ++i)
        host_.BaseRowMoved(i, i + 1);
    for (int c = 0; c < host_.ColCount(); ++c)
        host_.SetCell(c, rows - 1, std::string());
    host_.SetRowCount(rows - 1);
    host_.Invalidate();
}

void TAlignAttributes::InsertRow(int row) {
    row = std::max(row, host_.FixedRows());
    host_.SetRowCount(host_.RowCount() + 1);
    ForEachRowTable([row](auto& table) { table.InsertIndex(row); });
    ForEachCellTable([row](auto& table) { table.InsertRow(row); });
    const int last = host_.RowCount() - 1;
    for (int c = 0; c < host_.ColCount(); ++c)
        host_.SetCell(c, last, std::string());
    for (int i = last; i >= row + 1; --i)
        host_.BaseRowMoved(i, i - 1);
    host_.Invalidate();
}

void TAlignAttributes::InsertCol(int col) {
    col = std::max(col, host_.FixedCols());
    host_.SetColCount(host_.ColCount() + 1);
    ForEachColTable([col](auto& table) { table.InsertIndex(col); });
    ForEachCellTable([col](auto& table) { table.InsertCol(col); });
    const int last = host_.ColCount() - 1;
    for (int r = 0; r < host_.RowCount(); ++r)
        host_.SetCell(last, r, std::string());
    for (int i = last; i >= col + 1; --i)
        host_.BaseColumnMoved(i, i - 1);
    host_.Invalidate();
}

void TAlignAttributes::MoveRowAttributes(int from, int to) {
    ForEachRowTable([=](auto& table) { table.MoveIndex(from, to); });
    ForEachCellTable([=](auto& table) { table.MoveRow(from, to); });
}

void TAlignAttributes::MoveColAttributes(int from, int to) {
    ForEachColTable([=](auto& table) { table.MoveIndex(from, to); });
    ForEachCellTable([=](auto& table) { table.MoveCol(from, to); });
}

void TAlignAttributes::RowMoved(int from, int to) {
    if (from == to) return;
    if (from < 0) throw EListError(from);
    if (to < 0) throw EListError(to);
    MoveRowAttributes(from, to);
    host_.BaseRowMoved(from, to);
}

void TAlignAttributes::ColumnMoved(int from, int to) {
    if (from == to) return;
    if (from < 0) throw EListError(from);
    if (to < 0) throw EListError(to);
    MoveColAttributes(from, to);
    host_.BaseColumnMoved(from, to);
}
