// The main window's models without a window: the selection's rows, colours, composites and
// restore, and the file slots' rows and layouts.
#include "SavedState.h"
#include "Selection.h"
#include "Slots.h"

#include <gtest/gtest.h>

namespace {

constexpr std::uint32_t kBlack = 0x000000, kBlue = 0x0000FF, kGreen = 0x008000;

// "t" as x, then the file's variables 1 and 2 ("v:a", "c:b"), single-file layout.
CSelection ThreeRows() {
    CSelection s;
    s.AddVariable(0, 0, "t", false, false);
    s.AddVariable(0, 1, "v:a", true, false);
    s.AddVariable(0, 2, "c:b", false, false);
    return s;
}

TEST(SelectionModel, CompositeWaitsForItsSecondOperandAndCancellingFreesItsColour) {
    CSelection s = ThreeRows();
    s.SetOperator('-');
    s.StartComposite();
    EXPECT_EQ(s.AddVariable(0, 2, "c:b", true, false), EAddResult::pending);
    EXPECT_EQ(s.RowCount(), 3);
    ASSERT_TRUE(s.Pending());
    EXPECT_EQ(s.Pending()->colour, 0xFF0000u);
    s.EndComposite();
    EXPECT_FALSE(s.Pending());
    EXPECT_EQ(s.AllocColour(), 0xFF0000u); // given back

    s.StartComposite();
    s.AddVariable(0, 1, "v:a", true, false);
    EXPECT_EQ(s.AddVariable(0, 2, "c:b", false, false), EAddResult::added);
    ASSERT_EQ(s.RowCount(), 4);
    const SSelRow& row = s.Row(4);
    EXPECT_EQ(row.name, "v:a-c:b");
    EXPECT_EQ(row.hint, "v:a-c:b");
    EXPECT_EQ(row.variable, 1);
    EXPECT_EQ(row.second, 2);
    EXPECT_EQ(row.operatorPos, 4);
    EXPECT_TRUE(row.rightAxis); // the first operand's axis
    EXPECT_EQ(row.colour, 0xFF00FFu);
}

TEST(SelectionModel, TheXRowGivesItsColourAwayAndStaysOnItsVariableWhenRowsGo) {
    CSelection s = ThreeRows();
    EXPECT_EQ(s.Row(1).colour, kBlack);
    s.SetTimeUnit('h');
    EXPECT_EQ(s.Row(1).factorText, "s->h");
    s.SetTimeUnit('s');
    s.MakeX(3);
    EXPECT_EQ(s.XRow(), 3);
    EXPECT_EQ(s.Row(3).colour, kBlack);
    EXPECT_EQ(s.Row(1).colour, kGreen);
    EXPECT_EQ(s.Row(2).colour, kBlue);
    EXPECT_FALSE(s.XIsFirstVariable());
    s.RemoveRow(1, false);
    EXPECT_EQ(s.XRow(), 2);
    EXPECT_EQ(s.Row(2).name, "c:b");
}

TEST(SelectionModel, RestoreGivesTheSavedRowsOrNothing) {
    CSelection s = ThreeRows();
    s.MakeX(3);
    s.RemoveRow(1, false); // "v:a" (right axis), then "c:b" as x
    std::array<int, kMaxFiles> ranks;
    ranks.fill(-1);
    ranks[0] = 0;
    const TSavedSelection saved =
        BuildSavedSelection(s.SavedList(), s.RowCount(), s.SavedMarks(), true, ranks);
    const std::vector<CSelection::SRestoreFile> file = {{0, {"t", "v:a", "c:b"}}};

    const std::optional<CSelection> back =
        CSelection().Restored(saved, 1, s.XRow(), 'm', file, "", false);
    ASSERT_TRUE(back);
    ASSERT_EQ(back->RowCount(), 2);
    EXPECT_EQ(back->Row(1).name, "v:a");
    EXPECT_EQ(back->Row(2).name, "c:b");
    EXPECT_EQ(back->XRow(), 2);
    EXPECT_EQ(back->Row(2).factorText, "s->m");
    EXPECT_EQ(back->TimeUnit(), 'm');

    // The file has lost c:b: nothing is built.
    const std::vector<CSelection::SRestoreFile> shorter = {{0, {"t", "v:a"}}};
    EXPECT_FALSE(CSelection().Restored(saved, 1, s.XRow(), 0, shorter, "", false));
    // An x row beyond the saved rows.
    EXPECT_FALSE(CSelection().Restored(saved, 1, 3, 0, file, "", false));

    // The multi-file layout: row 1 is the common x, rows of a file that did not reload go.
    TSavedSelection two{};
    two[0] = {0, 0, 0, -1, 0};
    two[1] = {1, 1, 2, -1, 0};
    two[2] = {0, 0, 1, -1, 0};
    two[3].slot = -1;
    const std::vector<CSelection::SRestoreFile> files = {{0, {"t", "a"}}, {1, {}}};
    const std::optional<CSelection> multi =
        CSelection().Restored(two, 2, std::nullopt, 0, files, "t", false);
    ASSERT_TRUE(multi);
    ASSERT_EQ(multi->RowCount(), 2);
    EXPECT_EQ(multi->Row(1).name, "t");
    EXPECT_EQ(multi->Row(2).name, "a");
    EXPECT_EQ(multi->Row(2).colour, kBlue);
}

TEST(SlotsModel, RowsFollowLoadsUnloadsAndTheSingleFileLayout) {
    CSlots s;
    s.Occupy(0, "/data/a.adf");
    s.Occupy(1, "/data/b.adf");
    s.Occupy(2, "/data/c.adf");
    s.SetShift(2, "0.5");
    s.Release(1);
    EXPECT_EQ(s.LoadedCount(), 2);
    EXPECT_EQ(s.LowestFree(), 1);
    EXPECT_EQ(s.SlotOfRow(2), 2); // c.adf moved up a row
    EXPECT_EQ(s.RowOfSlot(1), 0);
    EXPECT_EQ(s.Ranks()[2], 1);
    EXPECT_EQ(s.LoadedSlotOf("/data/./c.adf"), 2);
    EXPECT_EQ(s.LoadedSlotOf("/data/C.adf"), -1);
    EXPECT_EQ(s.Current(), 2);

    s.SetMulti(false); // the current file's row comes to the top
    EXPECT_EQ(s.SlotOfRow(1), 2);
    EXPECT_EQ(s.SlotOfRow(2), 0);
    s.Occupy(2, "/data/d.adf"); // replaces the shown file, keeps its row
    EXPECT_EQ(s.SlotOfRow(1), 2);
    EXPECT_EQ(s.Shift(2), "0.5");
    s.SetMulti(true);
    s.Occupy(1, "/data/e.adf"); // a new file takes the first empty row
    EXPECT_EQ(s.RowOfSlot(1), 3);
    EXPECT_EQ(s.Shift(1), "0");
}

} // namespace
