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

TEST(SelectionModel, NineRowsTakeThePaletteInOrderAndATenthIsRefused) {
    CSelection s;
    s.AddVariable(0, 0, "t", false, false);
    s.AddVariable(0, 1, "v:a", true, false);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(s.AddVariable(0, i % 2 ? 1 : 2, i % 2 ? "v:a" : "c:b", false, false),
                  EAddResult::added);
    ASSERT_EQ(s.RowCount(), 9);
    EXPECT_EQ(s.AddVariable(0, 1, "v:a", false, false), EAddResult::refused);
    EXPECT_EQ(s.RowCount(), 9);
    // Black for the x row, then the eight curve colours.
    const std::uint32_t palette[] = {0x000000, 0x0000FF, 0x008000, 0xFF0000, 0xFF00FF,
                                     0x000080, 0x808080, 0xCCCC00, 0x00CCCC};
    for (int r = 1; r <= 9; ++r) {
        EXPECT_EQ(s.Row(r).colour, palette[r - 1]) << r;
        EXPECT_EQ(s.Row(r).rightAxis, r == 2) << r;
    }
    EXPECT_EQ(s.AllocColour(), kBlack); // a tenth colour is black
    s.FreeColour(0xFF0000);
    EXPECT_EQ(s.AllocColour(), 0xFF0000u);

    // Cancelling a composite drops only its waiting operand.
    CSelection c = ThreeRows();
    c.RemoveRow(3, false);
    c.StartComposite();
    c.AddVariable(0, 2, "c:b", false, false);
    c.EndComposite();
    EXPECT_EQ(c.RowCount(), 2);
    EXPECT_FALSE(c.CompositeMode());
}

TEST(SelectionModel, RowsBelowAndAboveTheXRowGoAndTheXRowFollows) {
    CSelection s = ThreeRows();
    s.SetOperator('+');
    s.StartComposite();
    s.AddVariable(0, 1, "v:a", false, false);
    s.AddVariable(0, 2, "c:b", false, false);
    s.EndComposite();
    ASSERT_EQ(s.RowCount(), 4);
    EXPECT_GT(s.Row(4).operatorPos, 0); // what the window refuses as x
    EXPECT_EQ(s.Row(1).operatorPos, 0);
    s.MakeX(2);
    EXPECT_EQ(s.XRow(), 2);
    s.RemoveRow(3, false); // below x: x stays
    EXPECT_EQ(s.XRow(), 2);
    s.RemoveRow(1, false); // above x: x moves up
    EXPECT_EQ(s.XRow(), 1);
    EXPECT_EQ(s.Row(1).name, "v:a");
    EXPECT_EQ(s.RowCount(), 2);
}

TEST(SelectionModel, RememberedFactorsComeBackAndABadCellIsNotRemembered) {
    CSelection s;
    s.AddVariable(0, 0, "t", false, true);
    s.AddVariable(0, 1, "v:a", false, true);
    s.SetFactorText(2, "2");
    s.AddVariable(0, 2, "c:b", false, true);
    s.SetFactorText(3, "abc"); // no number
    s.RemoveRow(2, true);
    s.AddVariable(0, 1, "v:a", false, true);
    ASSERT_EQ(s.Row(3).name, "v:a");
    EXPECT_EQ(s.Row(3).factorText, "2");
    s.SetOffsetText(3, "0.25");
    s.Clear(true);
    EXPECT_EQ(s.RowCount(), 0);
    s.AddVariable(0, 0, "t", false, true);
    s.AddVariable(0, 1, "v:a", false, true);
    s.AddVariable(0, 2, "c:b", false, true);
    EXPECT_EQ(s.Row(1).colour, kBlack); // the colours start again
    EXPECT_EQ(s.Row(2).colour, kBlue);
    EXPECT_EQ(s.Row(3).colour, kGreen);
    EXPECT_EQ(s.Row(2).factorText, "2");
    EXPECT_EQ(s.Row(2).offsetText, "0.25");
    EXPECT_EQ(s.Row(3).factorText, "1");
    EXPECT_EQ(s.Row(3).offsetText, "0");
}

TEST(SelectionModel, TheCommonXRowTakesTheTimeFactorAndComesBackPlainAfterAClear) {
    CSelection s;
    s.SetCommonXRow("t", false);
    s.AddVariable(1, 1, "v:a", false, false);
    s.SetTimeUnit('m');
    EXPECT_EQ(s.XRow(), 1);
    EXPECT_EQ(s.Row(1).factorText, "s->m");
    EXPECT_EQ(s.Row(2).factorText, "1");
    EXPECT_TRUE(s.FromOneFile(true));
    s.AddVariable(0, 2, "c:b", false, false);
    EXPECT_FALSE(s.FromOneFile(true)); // curves of two files
    s.RemoveRow(3, false);
    EXPECT_TRUE(s.FromOneFile(true));

    s.StartComposite();
    s.AddVariable(1, 1, "v:a", false, false);
    s.AddVariable(1, 2, "c:b", false, false);
    s.EndComposite();
    s.MakeX(3);
    s.Clear(false);
    s.SetCommonXRow("t", false);
    ASSERT_EQ(s.RowCount(), 1);
    EXPECT_EQ(s.XRow(), 1);
    const SSelRow& x = s.Row(1);
    EXPECT_EQ(x.name, "t");
    EXPECT_EQ(x.slot, 0);
    EXPECT_EQ(x.variable, 0);
    EXPECT_EQ(x.second, -1);
    EXPECT_EQ(x.operatorPos, 0);
}

TEST(SelectionModel, RefreshFindsOnlyTheRowsOfItsFileAgainByName) {
    // Multi-file: common x, v2 of slot 0, v2 of slot 1, v1*v3 of slot 0.
    CSelection s;
    s.SetCommonXRow("t", false);
    s.AddVariable(0, 2, "v2", false, false);
    s.AddVariable(1, 2, "v2", false, false);
    s.SetOperator('*');
    s.StartComposite();
    s.AddVariable(0, 1, "v1", false, false);
    s.AddVariable(0, 3, "v3", false, false);
    s.EndComposite();
    ASSERT_EQ(s.Row(4).name, "v1*v3");
    // Slot 0 now lists v2, v3, v1 after its x variable; v9 of no row is new.
    s.Refind(0, {"v2", "v3", "v1", "v9"}, 1, false, true, false);
    ASSERT_EQ(s.RowCount(), 4);
    EXPECT_EQ(s.Row(1).name, "t");
    EXPECT_EQ(s.Row(2).variable, 1);
    EXPECT_EQ(s.Row(3).variable, 2); // the other file's row is untouched
    EXPECT_EQ(s.Row(4).variable, 3);
    EXPECT_EQ(s.Row(4).second, 2);
    EXPECT_EQ(s.Row(4).name, "v1*v3");
    // v2 is gone from slot 0: only its row goes.
    s.Refind(0, {"v3", "v1"}, 1, false, true, false);
    ASSERT_EQ(s.RowCount(), 3);
    EXPECT_EQ(s.Row(2).slot, 1);
    EXPECT_EQ(s.Row(3).variable, 2);
    EXPECT_EQ(s.Row(3).second, 1);
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

TEST(SlotsModel, EightSlotsFillAndAReleasedOneIsTakenAgain) {
    CSlots s;
    for (int k = 0; k < kMaxFiles; ++k) {
        EXPECT_EQ(s.LowestFree(), k);
        s.Occupy(k, "/d/f" + std::to_string(8 - k) + ".adf");
    }
    EXPECT_EQ(s.LoadedCount(), 8);
    EXPECT_EQ(s.LowestFree(), -1);
    EXPECT_EQ(s.RowCount(), 8);
    EXPECT_EQ(s.SlotOfRow(8), 7);
    EXPECT_EQ(s.Name(7), "/d/f1.adf");
    s.Release(2);
    EXPECT_EQ(s.LoadedCount(), 7);
    EXPECT_EQ(s.Name(2), "");
    EXPECT_FALSE(s.Loaded(2));
    EXPECT_EQ(s.RowOfSlot(2), 0);
    EXPECT_EQ(s.SlotOfRow(3), 3);
    EXPECT_EQ(s.LowestFree(), 2);
    EXPECT_EQ(s.Ranks()[3], 2);
    EXPECT_EQ(s.Ranks()[2], -1);
    s.Occupy(2, "/d/f6.adf");
    EXPECT_EQ(s.LowestFree(), -1);
    EXPECT_EQ(s.RowOfSlot(2), 8);
}

TEST(SlotsModel, LayoutSwitchesKeepEveryFileAndTheSameFileIsFoundHoweverNamed) {
    CSlots s;
    s.Occupy(0, "/d/a.adf");
    s.Occupy(1, "/d/b.adf");
    s.Occupy(2, "/d/c.adf");
    s.SetCurrent(1);
    s.SetMulti(false);
    EXPECT_EQ(s.CurrentRow(), 1);
    EXPECT_EQ(s.LoadedCount(), 3);
    s.Occupy(1, "/d/d.adf"); // the shown file is replaced
    EXPECT_EQ(s.LoadedCount(), 3);
    EXPECT_EQ(s.Current(), 1);
    EXPECT_EQ(s.Name(1), "/d/d.adf");
    EXPECT_EQ(s.CurrentRow(), 1);
    s.SetMulti(true);
    EXPECT_EQ(s.RowCount(), 3);
    for (int k = 0; k < kMaxFiles; ++k)
        EXPECT_EQ(s.Loaded(k), k < 3) << k;
    EXPECT_EQ(s.LoadedSlotOf("/d/sub/../a.adf"), 0);
    EXPECT_EQ(s.LoadedSlotOf("/d/A.adf"), -1); // another file on this system
}

} // namespace
