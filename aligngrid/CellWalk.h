#pragma once
// One step of the cell walk used by Tab and by the automatic move after Enter:
// eight walking orders over the non-fixed cells and three rules for the step
// past the last cell. Pure: the grid performs the insertion a step asks for.

#include "AlignTypes.h"

struct TWalkSizes {
    int colCount = 0;
    int rowCount = 0;
    int fixedCols = 0;
    int fixedRows = 0;
};

struct TWalkStep {
    int col = -1;
    int row = -1;
    // lc_newcolrow past the end: insert a row (column) at this index first;
    // col and row are then counted in the grown grid. -1: nothing to insert.
    int insertRow = -1;
    int insertCol = -1;
};

// (-1, -1) with lc_stop past the end.
TWalkStep NextCellStep(const TWalkSizes& grid, T_nextcell direction, t_lastcell rule, int col,
                       int row);

// Shift+Tab walks the opposite order: d becomes (d + 4) mod 8.
T_nextcell ReverseDirection(T_nextcell direction);
