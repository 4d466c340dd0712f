#include "CellWalk.h"

namespace {

// The cell where a walk in this order begins.
void FirstCell(const TWalkSizes& g, T_nextcell d, int& col, int& row) {
    const bool left = d == nc_leftdown || d == nc_downleft || d == nc_leftup || d == nc_upleft;
    const bool up = d == nc_leftup || d == nc_upleft || d == nc_rightup || d == nc_upright;
    col = left ? g.colCount - 1 : g.fixedCols;
    row = up ? g.rowCount - 1 : g.fixedRows;
}

TWalkStep Grow(const TWalkSizes& g, T_nextcell d) {
    TWalkStep s;
    const int cols = g.colCount + 1, rows = g.rowCount + 1; // after the insertion
    switch (d) {
    case nc_rightdown:
        s = {g.fixedCols, rows - 1, g.rowCount, -1};
        break;
    case nc_leftdown:
        s = {g.colCount - 1, rows - 1, g.rowCount, -1};
        break;
    case nc_rightup:
        s = {g.fixedCols, g.fixedRows, g.fixedRows, -1};
        break;
    case nc_leftup:
        s = {g.colCount - 1, g.fixedRows, g.fixedRows, -1};
        break;
    case nc_downright:
        s = {cols - 1, g.fixedRows, -1, g.colCount};
        break;
    case nc_upright:
        s = {cols - 1, g.rowCount - 1, -1, g.colCount};
        break;
    case nc_downleft:
        s = {g.fixedCols, g.fixedRows, -1, g.fixedCols};
        break;
    case nc_upleft:
        s = {g.fixedCols, g.rowCount - 1, -1, g.fixedCols};
        break;
    }
    return s;
}

} // namespace

T_nextcell ReverseDirection(T_nextcell direction) {
    return static_cast<T_nextcell>((direction + 4) % 8);
}

TWalkStep NextCellStep(const TWalkSizes& g, T_nextcell d, t_lastcell rule, int col, int row) {
    bool end = false;
    switch (d) {
    case nc_rightdown:
        if (++col >= g.colCount) col = g.fixedCols, ++row;
        end = row >= g.rowCount;
        break;
    case nc_downright:
        if (++row >= g.rowCount) row = g.fixedRows, ++col;
        end = col >= g.colCount;
        break;
    case nc_leftdown:
        if (--col < g.fixedCols) col = g.colCount - 1, ++row;
        end = row >= g.rowCount;
        break;
    case nc_downleft:
        if (++row >= g.rowCount) row = g.fixedRows, --col;
        end = col < g.fixedCols;
        break;
    case nc_leftup:
        if (--col < g.fixedCols) col = g.colCount - 1, --row;
        end = row < g.fixedRows;
        break;
    case nc_upleft:
        if (--row < g.fixedRows) row = g.rowCount - 1, --col;
        end = col < g.fixedCols;
        break;
    case nc_rightup:
        if (++col >= g.colCount) col = g.fixedCols, --row;
        end = row < g.fixedRows;
        break;
    case nc_upright:
        if (--row < g.fixedRows) row = g.rowCount - 1, ++col;
        end = col >= g.colCount;
        break;
    }
    if (!end) return {col, row, -1, -1};
    switch (rule) {
    case lc_stop:
        return {};
    case lc_first: {
        TWalkStep s;
        FirstCell(g, d, s.col, s.row);
        return s;
    }
    case lc_newcolrow:
        return Grow(g, d);
    }
    return {};
}
