// The file table's rules without a window: shared abscissa names, headers, last-x texts,
// file identity and the selection found again after a refresh.
#include "SlotTable.h"
#include "NumericText.h"
#include "ScratchFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(SlotTable, SharedXNameIsTheNameThenTheFirstLetterThenX) {
    const struct {
        std::vector<std::string> names;
        const char* shared;
        const char* header;
    } cases[] = {
        {{"t"}, "t", "Tmax"},
        {{"t", "t", "t"}, "t", "Tmax"},
        {{"time", "time"}, "time", "Xmax"}, // only a one-letter "t" or "f" names the column
        {{"time", "t"}, "t", "Tmax"},
        {{"freq", "f"}, "f", "Fmax"},
        {{"t", "f"}, "x", "Xmax"},
        {{"IT", "DPMAX"}, "x", "Xmax"},
        {{"T", "t"}, "x", "Xmax"}, // letters compare exactly
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SharedXName(c.names), c.shared) << c.names.front();
        EXPECT_EQ(MaxHeaderForSharedName(SharedXName(c.names)), c.header) << c.names.front();
    }
    EXPECT_EQ(MaxHeaderForXName("time"), "Tmax");
    EXPECT_EQ(MaxHeaderForXName("frequency"), "Fmax");
    EXPECT_EQ(MaxHeaderForXName("X_(auto)"), "Xmax");
    EXPECT_EQ(MaxHeaderForXName("Time"), "Xmax");
}

TEST(SlotTable, LastXInGeneralFormatWithFiveDigits) {
    const std::pair<float, const char*> cases[] = {
        {2.0f, "2"},     {0.05995f, "0.05995"}, {1.999f, "1.999"},   {12.345678f, "12.346"},
        {-0.5f, "-0.5"}, {0.0f, "0"},           {99999.0f, "99999"}, {0.0001f, "0.0001"},
    };
    for (const auto& [v, text] : cases)
        EXPECT_EQ(LastXText(v), text) << v;
    EXPECT_EQ(LastXText(123456.0f), "1.2346E+0005"); // beyond 5 digits: exponent form
    // The user's decimal separator, as every number the windows show.
    const char old = DecimalSeparator();
    SetDecimalSeparator(',');
    EXPECT_EQ(LastXText(0.05995f), "0,05995");
    EXPECT_EQ(LastXText(123456.0f), "1,2346E+0005");
    SetDecimalSeparator(old);
}

TEST(SlotTable, SameFileComparesCanonicalPathsExactly) {
    testsupport::ScratchDir dir;
    testsupport::writeFile(dir.file("run.adf"), "x");
    testsupport::writeFile(dir.file("RUN.adf"), "x");
    std::filesystem::create_directory(dir.path() / "sub");
    EXPECT_TRUE(SameFile(dir.file("run.adf"), dir.file("sub/../run.adf")));
    EXPECT_TRUE(SameFile(dir.file("run.adf"), dir.file("./run.adf")));
    EXPECT_FALSE(SameFile(dir.file("run.adf"), dir.file("RUN.adf")));
    std::filesystem::create_symlink(dir.file("run.adf"), dir.file("link.adf"));
    EXPECT_TRUE(SameFile(dir.file("link.adf"), dir.file("run.adf")));
}

SRefindRow Plain(const char* name, int slot, int variable) {
    SRefindRow r;
    r.name = name;
    r.slot = slot;
    r.variable = variable;
    return r;
}

SRefindRow Composite(const char* name, int slot, int a, int b, int opPos) {
    SRefindRow r = Plain(name, slot, a);
    r.second = b;
    r.operatorPos = opPos;
    return r;
}

TEST(RefindSelection, MultiFileTouchesOnlyTheRefreshedSlotByName) {
    // File in slot 0 was "t v1 v2 v3", now "t v2 v3 v1"; the list starts at name 1.
    SRefindRow common = Plain("t", 0, 0);
    common.isCommonX = true;
    std::vector<SRefindRow> rows = {common,
                                    Plain("v2", 0, 2),
                                    Plain("v2", 1, 2), // same name, another file
                                    Composite("v1*v3", 0, 1, 3, 3),
                                    Plain("gone", 0, 4),
                                    Composite("v1+gone", 0, 1, 4, 3),
                                    Plain("gone", 1, 4)};
    const std::vector<int> remove = RefindSelection(rows, {"v2", "v3", "v1"}, 1, 0, false);
    EXPECT_EQ(remove, (std::vector<int>{5, 4})); // last first; the other file's row stays
    EXPECT_EQ(rows[0].variable, 0);
    EXPECT_EQ(rows[0].name, "t");
    EXPECT_EQ(rows[1].variable, 1);
    EXPECT_EQ(rows[2].variable, 2);
    EXPECT_EQ(rows[3].variable, 3);
    EXPECT_EQ(rows[3].second, 2);
    EXPECT_EQ(rows[6].variable, 4);
}

TEST(RefindSelection, SingleFileXRowTakesTheFirstNameAndItsIndex) {
    SRefindRow x = Plain("time", 0, 0);
    x.isXRow = true;
    std::vector<SRefindRow> rows = {Plain("b", 0, 2), x, Plain("a", 0, 1)};
    const std::vector<int> remove = RefindSelection(rows, {"t", "a", "c"}, 0, 0, true);
    EXPECT_EQ(remove, (std::vector<int>{0}));
    EXPECT_EQ(rows[1].name, "t");
    EXPECT_EQ(rows[1].variable, 0);
    EXPECT_EQ(rows[2].variable, 1);
    // An x row still listed keeps its name and takes its new place.
    x = Plain("a", 0, 1);
    x.isXRow = true;
    rows = {x};
    EXPECT_TRUE(RefindSelection(rows, {"t", "b", "a"}, 0, 0, true).empty());
    EXPECT_EQ(rows[0].name, "a");
    EXPECT_EQ(rows[0].variable, 2);
}

TEST(RefindSelection, CompositeWithAnOperatorInsideANameSplitsAtItsPosition) {
    // "a-b" is one variable; the composite is (a-b) - c with the operator at position 4.
    std::vector<SRefindRow> rows = {Composite("a-b-c", 0, 0, 1, 4)};
    EXPECT_TRUE(RefindSelection(rows, {"t", "c", "a-b"}, 0, 0, true).empty());
    EXPECT_EQ(rows[0].variable, 2);
    EXPECT_EQ(rows[0].second, 1);
    rows = {Composite("a-b-c", 0, 0, 1, 9)}; // a position beyond the name is no composite
    EXPECT_EQ(RefindSelection(rows, {"a-b", "c"}, 0, 0, true), (std::vector<int>{0}));
}

} // namespace
