// The walk step in all eight orders with the three last-cell rules, and the
// bounded walks of the real grid.
#include "CellWalk.h"
#include "AligridFixture.h"

namespace {

// 4 x 4, one fixed row and column: the walk covers columns and rows 1 to 3.
const TWalkSizes k4x4{4, 4, 1, 1};

struct StepCase {
    T_nextcell d;
    int col, row; // an inner start
    int nextCol, nextRow;
    int lastCol, lastRow;   // the walk's last cell
    int firstCol, firstRow; // where lc_first resumes
    int insRow, insCol;     // lc_newcolrow's insertion
    int newCol, newRow;     // and its new cell
};

const StepCase kCases[] = {
    {nc_rightdown, 3, 1, 1, 2, 3, 3, 1, 1, 4, -1, 1, 4},
    {nc_downright, 1, 3, 2, 1, 3, 3, 1, 1, -1, 4, 4, 1},
    {nc_leftdown, 1, 1, 3, 2, 1, 3, 3, 1, 4, -1, 3, 4},
    {nc_downleft, 3, 3, 2, 1, 1, 3, 3, 1, -1, 1, 1, 1},
    {nc_leftup, 1, 3, 3, 2, 1, 1, 3, 3, 1, -1, 3, 1},
    {nc_upleft, 3, 1, 2, 3, 1, 1, 3, 3, -1, 1, 1, 3},
    {nc_rightup, 3, 3, 1, 2, 3, 1, 1, 3, 1, -1, 1, 1},
    {nc_upright, 1, 1, 2, 3, 3, 1, 1, 3, -1, 4, 4, 3},
};

TEST(CellWalk, EveryOrderWrapsAndEveryRuleEndsAsDefined) {
    for (const StepCase& c : kCases) {
        SCOPED_TRACE(static_cast<int>(c.d));
        const TWalkStep wrap = NextCellStep(k4x4, c.d, lc_stop, c.col, c.row);
        EXPECT_EQ(wrap.col, c.nextCol);
        EXPECT_EQ(wrap.row, c.nextRow);

        const TWalkStep stop = NextCellStep(k4x4, c.d, lc_stop, c.lastCol, c.lastRow);
        EXPECT_EQ(stop.col, -1);
        EXPECT_EQ(stop.row, -1);

        const TWalkStep first = NextCellStep(k4x4, c.d, lc_first, c.lastCol, c.lastRow);
        EXPECT_EQ(first.col, c.firstCol);
        EXPECT_EQ(first.row, c.firstRow);
        EXPECT_EQ(first.insertRow, -1);
        EXPECT_EQ(first.insertCol, -1);

        const TWalkStep grow = NextCellStep(k4x4, c.d, lc_newcolrow, c.lastCol, c.lastRow);
        EXPECT_EQ(grow.insertRow, c.insRow);
        EXPECT_EQ(grow.insertCol, c.insCol);
        EXPECT_EQ(grow.col, c.newCol);
        EXPECT_EQ(grow.row, c.newRow);
    }
}

TEST(CellWalk, ShiftReversesEachOrder) {
    EXPECT_EQ(ReverseDirection(nc_rightdown), nc_leftup);
    EXPECT_EQ(ReverseDirection(nc_downright), nc_upleft);
    EXPECT_EQ(ReverseDirection(nc_leftdown), nc_rightup);
    EXPECT_EQ(ReverseDirection(nc_downleft), nc_upright);
    EXPECT_EQ(ReverseDirection(nc_upright), nc_downleft);
}

TEST(CellWalk, AFullWalkVisitsEveryInnerCellOnceBeforeComingBack) {
    for (const StepCase& c : kCases) {
        int col = c.firstCol, row = c.firstRow, steps = 0;
        do {
            const TWalkStep s = NextCellStep(k4x4, c.d, lc_first, col, row);
            col = s.col;
            row = s.row;
            ASSERT_TRUE(col >= 1 && col <= 3 && row >= 1 && row <= 3);
            ++steps;
        } while (col != c.firstCol || row != c.firstRow);
        EXPECT_EQ(steps, 9) << static_cast<int>(c.d);
    }
}

using GridWalk = AligridFixture;

TEST_F(GridWalk, TabWithNoTabStopsAndGrowingRuleStopsAtTheStart) {
    grid.SetAfterLastCellTab(lc_newcolrow);
    for (int c = 0; c < grid.ColCount(); ++c)
        grid.SetTabStops(c, false);
    grid.SetCol(2);
    grid.SetRow(3);
    EXPECT_EQ(grid.NextTabCell(false), (TGridCoord{2, 3}));
    EXPECT_LE(grid.RowCount(), 6);
}

TEST_F(GridWalk, NextEditableCellSkipsReadOnlyCellsAndReturnsTheStartWhenAlone) {
    grid.SetEditable(false);
    grid.SetEditRow(3, true);
    grid.SetAfterLastCellEdit(lc_first);
    EXPECT_EQ(grid.NextEditableCell(), (TGridCoord{1, 3}));
    grid.SetEditRow(3, false);
    EXPECT_EQ(grid.NextEditableCell(), (TGridCoord{1, 1}));
    grid.SetAfterLastCellEdit(lc_stop);
    EXPECT_EQ(grid.NextEditableCell(), (TGridCoord{-1, -1}));
}

TEST_F(GridWalk, GrowingStepInsertsThroughTheGridWithItsAttributes) {
    grid.GetBrushRow(4).SetColor(clRed);
    const TGridCoord c = grid.NextCell(nc_rightup, lc_newcolrow, 4, 1);
    EXPECT_EQ(c, (TGridCoord{1, 1}));
    EXPECT_EQ(grid.RowCount(), 6);
    EXPECT_EQ(grid.GetColorCell(2, 5), clRed); // row 4 moved down with its brush
}
} // namespace
