#include "SavedState.h"
#include "HexBytes.h"

#include <gtest/gtest.h>
#include <string>

namespace {

TEST(SavedStateFileRecord, PathPaddedWithZerosThenStampLittleEndian) {
    TFileRecordBytes bytes;
    bytes.fill(0xAA);
    ASSERT_TRUE(EncodeFileRecord({"/d/a.adf", 0x585DBF7Du}, bytes));
    EXPECT_EQ(Hex(bytes.data(), 9), "2F 64 2F 61 2E 61 64 66 00");
    for (int i = 8; i < 256; ++i)
        ASSERT_EQ(bytes[static_cast<std::size_t>(i)], 0) << i;
    EXPECT_EQ(Hex(bytes.data() + 256, 4), "7D BF 5D 58");

    const SSavedFile back = DecodeFileRecord(bytes);
    EXPECT_EQ(back.path, "/d/a.adf");
    EXPECT_EQ(back.stamp, 0x585DBF7Du);
    EXPECT_EQ(FileRecordName(1), "File N. 1");
    EXPECT_EQ(FileRecordName(8), "File N. 8");
}

TEST(SavedStateFileRecord, PathOf256BytesIsRefusedAnd255StillEndsWithZero) {
    TFileRecordBytes bytes{};
    EXPECT_TRUE(EncodeFileRecord({std::string(255, 'p'), 1}, bytes));
    EXPECT_EQ(bytes[254], 'p');
    EXPECT_EQ(bytes[255], 0);
    EXPECT_EQ(DecodeFileRecord(bytes).path.size(), 255u);

    bytes.fill(0x11);
    EXPECT_FALSE(EncodeFileRecord({std::string(256, 'p'), 1}, bytes));
    EXPECT_FALSE(EncodeFileRecord({std::string(300, 'p'), 1}, bytes));
    EXPECT_EQ(bytes[0], 0x11); // nothing built

    // A record without a zero in its path field (another writer) is read as 256 bytes.
    bytes.fill('q');
    EXPECT_EQ(DecodeFileRecord(bytes).path, std::string(256, 'q'));
}

TEST(SavedStateSelVarData, TwentyByteRecordsLittleEndian) {
    TSavedSelection records{};
    records[0] = {0, 0, 0, -1, 0};
    records[1] = {1, 2, 5, -1, 0};
    records[2] = {0, 1, 3, 7, 4};
    records[3] = {0, -1, 0, -1, 0};
    for (int k = 4; k < 10; ++k)
        records[static_cast<std::size_t>(k)] = {0, 0x01020304, 0, 0, 0};
    const TSelVarDataBytes bytes = EncodeSelVarData(records);
    EXPECT_EQ(Hex(bytes.data(), 20), "00 00 00 00 00 00 00 00 00 00 00 00 FF FF FF FF 00 00 00 00");
    EXPECT_EQ(Hex(bytes.data() + 20, 20),
              "01 00 00 00 02 00 00 00 05 00 00 00 FF FF FF FF 00 00 00 00");
    EXPECT_EQ(Hex(bytes.data() + 40, 20),
              "00 00 00 00 01 00 00 00 03 00 00 00 07 00 00 00 04 00 00 00");
    EXPECT_EQ(Hex(bytes.data() + 60, 8), "00 00 00 00 FF FF FF FF");
    EXPECT_EQ(Hex(bytes.data() + 180, 8), "00 00 00 00 04 03 02 01");

    EXPECT_EQ(DecodeSelVarData(bytes)[2].operatorPos, 4);
    EXPECT_EQ(DecodeSelVarData(bytes)[1].second, -1);
}

TEST(SavedStateSelVarData, SavedSlotsAreFileRanksSoGapsRestoreTheRightFiles) {
    // Files in slots 0, 3 and 5 (slots 1, 2, 4 emptied by unloads) are saved as files 1-3.
    std::array<int, 8> rank{0, -1, -1, 1, -1, 2, -1, -1};
    TSavedSelection list{};
    list[0] = {0, 0, 0, -1, 0};
    list[1] = {0, 3, 2, -1, 0};
    list[2] = {0, 5, 1, -1, 0};
    list[3] = {0, 3, 4, 6, 2};
    list[4] = {0, 7, 9, -1, 0}; // stale, after the rows in use
    std::array<bool, 10> right{};
    right[0] = true; // record 0's mark is not taken from the grid
    right[2] = true;
    const TSavedSelection saved = BuildSavedSelection(list, 4, right, false, rank);
    const int slots[] = {0, 1, 2, 1, -1};
    const int marks[] = {0, 0, 1, 0, 0};
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(saved[static_cast<std::size_t>(k)].slot, slots[k]) << k;
        EXPECT_EQ(saved[static_cast<std::size_t>(k)].mark, marks[k]) << k;
    }
    EXPECT_EQ(saved[3].second, 6);
    EXPECT_EQ(saved[3].operatorPos, 2);
    EXPECT_EQ(saved[4].variable, 9); // after the end marker: whatever the list held

    // Single-file layout: every row's slot is 0, whichever slot the file is in.
    const TSavedSelection single = BuildSavedSelection(list, 3, right, true, rank);
    EXPECT_EQ(single[0].slot, 0);
    EXPECT_EQ(single[1].slot, 0);
    EXPECT_EQ(single[2].slot, 0);
    EXPECT_EQ(single[3].slot, -1);
    // Nine rows, the grid's most, end at record 9.
    EXPECT_EQ(BuildSavedSelection(list, 9, right, true, rank)[8].slot, 0);
    EXPECT_EQ(BuildSavedSelection(list, 9, right, true, rank)[9].slot, -1);
}

TSavedSelection Records(std::initializer_list<SSavedSelRecord> rs) {
    TSavedSelection out{};
    for (auto& r : out)
        r = {0, 4, 4, -1, 0}; // stale records after the end
    int k = 0;
    for (const auto& r : rs)
        out[static_cast<std::size_t>(k++)] = r;
    return out;
}

TEST(SavedStatePlan, ValuesReadBackAreCheckedBeforeAnythingIsUnloaded) {
    struct Case {
        const char* what;
        int count;
        TSavedSelection records;
        std::optional<std::int32_t> xVarRow;
        bool valid;
    };
    const Case cases[] = {
        {"count 0", 0, Records({{0, 0, 0}, {0, -1, 0}}), 1, false},
        {"count 9", 9, Records({{0, 0, 0}, {0, -1, 0}}), 1, false},
        {"count -3", -3, Records({{0, 0, 0}, {0, -1, 0}}), 1, false},
        {"multi, slot beyond count", 2, Records({{0, 0, 0}, {0, 2, 1}, {0, -1, 0}}), {}, false},
        {"multi, slot -2", 2, Records({{0, 0, 0}, {0, -2, 1}, {0, -1, 0}}), {}, false},
        {"multi, x variable as curve", 2, Records({{0, 0, 0}, {0, 1, 0}, {0, -1, 0}}), {}, false},
        {"multi, fine without XVarRow", 2, Records({{0, 0, 0}, {0, 1, 1}, {0, -1, 0}}), {}, true},
        {"single, slot 1", 1, Records({{0, 0, 0}, {0, 1, 1}, {0, -1, 0}}), 1, false},
        {"single, negative variable", 1, Records({{0, 0, 0}, {0, 0, -1}, {0, -1, 0}}), 1, false},
        {"single, XVarRow missing", 1, Records({{0, 0, 0}, {0, 0, 1}, {0, -1, 0}}), {}, false},
        {"single, XVarRow 0", 1, Records({{0, 0, 0}, {0, 0, 1}, {0, -1, 0}}), 0, false},
        {"single, XVarRow past rows", 1, Records({{0, 0, 0}, {0, 0, 1}, {0, -1, 0}}), 3, false},
        {"single, XVarRow on row 2", 1, Records({{0, 0, 0}, {0, 0, 1}, {0, -1, 0}}), 2, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlanRestore(c.count, c.records, c.xVarRow, std::nullopt).has_value(), c.valid)
            << c.what;
}

TEST(SavedStatePlan, RowsToRebuild) {
    // Multi-file: record 0 is the common x row; rows name their file's slot.
    auto multi = PlanRestore(3, Records({{0, 0, 0}, {0, 2, 5}, {1, 0, 1}, {0, -1, 0}}), {}, 'h');
    ASSERT_TRUE(multi);
    EXPECT_TRUE(multi->multiFile);
    EXPECT_FALSE(multi->firstRecordUsed);
    ASSERT_EQ(multi->rows.size(), 2u);
    EXPECT_EQ(multi->rows[0].slot, 2);
    EXPECT_EQ(multi->rows[0].variable, 5);
    EXPECT_FALSE(multi->rows[0].right);
    EXPECT_TRUE(multi->rows[1].right);
    EXPECT_EQ(multi->xRow, 0);
    EXPECT_EQ(multi->timeUnit, 'h');

    // Single-file with the x variable not first: record 0 adds a row, and the x row moves
    // down by one.
    auto xy = PlanRestore(1, Records({{0, 0, 3}, {1, 0, 0}, {0, 0, 2}, {0, -1, 0}}), 1, 'q');
    ASSERT_TRUE(xy);
    EXPECT_TRUE(xy->firstRecordUsed);
    ASSERT_EQ(xy->rows.size(), 3u);
    EXPECT_EQ(xy->rows[0].variable, 3);
    EXPECT_EQ(xy->rows[1].variable, 0);
    EXPECT_TRUE(xy->rows[1].right);
    EXPECT_EQ(xy->xRow, 2);
    EXPECT_EQ(xy->timeUnit, 0);

    // Only the x row: nothing to add.
    auto one = PlanRestore(1, Records({{0, 0, 0}, {0, -1, 0}}), 1, 'm');
    ASSERT_TRUE(one);
    EXPECT_TRUE(one->rows.empty());
    EXPECT_EQ(one->xRow, 1);
    EXPECT_EQ(one->timeUnit, 'm');
}

TEST(SavedStatePlan, NoEndMarkerReadsUpToRecord9AndKeepsToNineRows) {
    TSavedSelection full{};
    for (int k = 0; k < 10; ++k)
        full[static_cast<std::size_t>(k)] = {0, 0, k + 1, -1, 0};
    auto plan = PlanRestore(1, full, 9, std::nullopt);
    ASSERT_TRUE(plan);
    EXPECT_TRUE(plan->firstRecordUsed);
    ASSERT_EQ(plan->rows.size(), 8u); // with the x row from the reload: 9 rows
    EXPECT_EQ(plan->rows.back().variable, 8);
    EXPECT_EQ(plan->xRow, 0); // row 10 does not exist

    full[0].variable = 0;
    plan = PlanRestore(1, full, 4, std::nullopt);
    ASSERT_TRUE(plan);
    EXPECT_EQ(plan->rows.size(), 8u);
    EXPECT_EQ(plan->rows.front().variable, 2);
    EXPECT_EQ(plan->xRow, 4);
}

} // namespace
