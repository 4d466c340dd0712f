// Plot data without a window: the refusals and the cell they point at, chart kinds and
// units. The arrays and the other refusals are checked through the main window
// (PlotAndSaveTest).
#include "PlotData.h"
#include "NumericText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

namespace {

SPlotRow Row(int var, std::string name, std::string k = "1", std::string o = "0") {
    return SPlotRow{0, var, -1, 0, std::move(name), std::move(k), std::move(o), false, 0};
}
SPlotRow Composite(int a, int b, std::string first, char op, std::string second) {
    SPlotRow r = Row(a, first + op + second);
    r.second = b;
    r.operatorPos = static_cast<int>(first.size()) + 1;
    return r;
}

class PlotData : public ::testing::Test {
protected:
    PlotData() {
        SetDecimalSeparator('.');
        file.names = {"t", "v:a", "c:b"};
        file.nVars = 3;
        file.nPoints = 4;
        file.data = FMatrix(3, 4);
    }
    SimOut file;
    SPlotRequest Request(std::vector<SPlotRow> rows, std::string shift = "0") {
        SPlotRequest q;
        q.rows = std::move(rows);
        q.files[0] = {&file, "/d/f.pl4", true, std::move(shift)};
        return q;
    }
};

TEST_F(PlotData, RefusalsGiveTheirMessageAndTheCellToPaint) {
    const std::string invalid = "Invalid number in the evidenced Cell";
    const std::string contact =
        "\nPlease report it to the program's author (address in the program's documentation)";
    struct Case {
        SPlotRequest q;
        std::string text;
        SPlotBadCell::EGrid grid = SPlotBadCell::none;
        int col = 0, row = 0, points = 4;
    };
    Case cases[] = {
        {Request({}), "No variable Selected"},
        {Request({Row(0, "t"), Row(1, "v:a", "")}), invalid, SPlotBadCell::selection, 2, 2},
        {Request({Row(0, "t"), Row(1, "v:a"), Row(2, "c:b", "2", "s->m")}), invalid,
         SPlotBadCell::selection, 3, 3},
        {Request({Row(0, "t"), Row(1, "v:a")}, "1e"), invalid, SPlotBadCell::shift},
        // Beyond single precision: the curve would be all infinities.
        {Request({Row(0, "t"), Row(1, "v:a", "1e39")}), invalid, SPlotBadCell::selection, 2, 2},
        {Request({Row(0, "t"), Row(1, "v:a", "1", "-1e39")}), invalid, SPlotBadCell::selection, 3,
         2},
        {Request({Row(0, "t"), Row(1, "v:a")}, "1e39"), invalid, SPlotBadCell::shift},
        {Request({Row(0, "t", "0"), Row(1, "v:a")}), "Null Factor not allowed on X variable",
         SPlotBadCell::selection, 2, 1},
        {Request({Row(0, "t"), Composite(1, 2, "v:a", '/', "c:b")}),
         "Error \"Invalid Operator in DataSelFF\"" + contact},
        {Request({Composite(1, 2, "v:a", '+', "c:b"), Row(1, "v:a")}),
         "Error \"Operator in x-var\"" + contact},
        {Request({Row(0, "t"), Row(3, "v:gone")}),
         "The variable \"v:gone\" is no longer in its file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        file.nPoints = c.points;
        const SPlotOutcome out = BuildPlotData(c.q);
        EXPECT_FALSE(out.plot);
        EXPECT_EQ(out.message.text, c.text);
        const bool input = c.text.rfind("No ", 0) == 0;
        EXPECT_EQ(out.message.title, input ? "Invalid input" : "Error");
        EXPECT_EQ(out.message.icon, input ? EPlotIcon::exclamation : EPlotIcon::stop);
        EXPECT_EQ(out.message.cell.grid, c.grid);
        EXPECT_EQ(out.message.cell.col, c.col);
        EXPECT_EQ(out.message.cell.row, c.row);
        EXPECT_EQ(out.message.cell.slot, 0);
    }
}

TEST_F(PlotData, BarsOnlyForOneScanCurveWhenTheOptionAllowsThem) {
    struct Case {
        std::uint8_t runKind;
        bool fs, hfs, points;
        int curves, kind;
    };
    const Case cases[] = {
        {rkFrequencyScan, true, false, false, 1, 1}, {rkFrequencyScan, true, false, false, 2, 0},
        {rkFrequencyScan, false, true, false, 1, 0}, {rkHarmonicScan, false, true, false, 1, 1},
        {rkHarmonicScan, true, false, true, 1, 2},   {rkTimeRun, true, true, false, 1, 0},
        {rkFrequencyScan, true, false, true, 2, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.runKind) + " curves " + std::to_string(c.curves));
        file.pl4RunKind = c.runKind;
        SPlotRequest q = Request({Row(0, "t"), Row(1, "v:a")});
        if (c.curves == 2) q.rows.push_back(Row(2, "c:b"));
        q.barsForFS = c.fs;
        q.barsForHFS = c.hfs;
        q.pointsOnly = c.points;
        const SPlotOutcome out = BuildPlotData(q);
        ASSERT_TRUE(out.plot);
        EXPECT_EQ(out.plot->chartKind, c.kind);
    }
}

TEST_F(PlotData, TimeFactorsDivideTheAbscissaBySixtyOrThirtySixHundred) {
    const float t[] = {0, 90, 1800, 7200};
    std::copy(std::begin(t), std::end(t), file.data[0]);
    const std::pair<const char*, std::vector<float>> cases[] = {
        {"s->m", {0, 1.5f, 30, 120}},
        {"s->h", {0, 0.025f, 0.5f, 2}},
    };
    for (const auto& [factor, x] : cases) {
        SCOPED_TRACE(factor);
        const SPlotOutcome out = BuildPlotData(Request({Row(0, "t", factor), Row(1, "v:a")}));
        ASSERT_TRUE(out.plot);
        ASSERT_EQ(out.plot->xData[0].size(), 4u);
        for (std::size_t j = 0; j < 4; ++j)
            EXPECT_FLOAT_EQ(out.plot->xData[0][j], x[j]) << j;
    }
}

TEST(PlotUnits, TypeLettersAndTimeFactorsNameTheUnits) {
    struct Case {
        const char* first;
        char op;
        const char* second;
        std::uint8_t unit;
    };
    const Case cases[] = {
        {"v:x", '*', "c:y", 'W'}, {"c:y", '*', "v:x", 'W'},  {"i:y", '*', "v:x", 'W'},
        {"v:x", '*', "v:y", 0},   {"v:x", '+', "c:y", 0},    {"v:x", '-', "v:y", 'V'},
        {"i:x", '+', "c:y", 'A'}, {"a:x", '+', "a:y", 0xB0}, {"p:x", '-', "e:y", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CompositeUnit(c.first, c.op, c.second), c.unit) << c.first << c.op << c.second;
    EXPECT_EQ(UnitOfName("e:w"), 'J');
    EXPECT_EQ(UnitOfName("p:w"), 'W');
    EXPECT_EQ(UnitOfName("x"), 0);

    const char* times[][4] = {{"1", "t", "t", "s"},    {"s->m", "f", "f", "m"},
                              {"s->h", "t", "t", "h"}, {"1", "f", "f", "Hz"},
                              {"1", "t", "%t1", "s"},  {"1", "t", "v:a", ""},
                              {"2", "x", "x", ""}};
    for (const auto& t : times)
        EXPECT_EQ(PlotTimeUnit(t[0], t[1], t[2]), t[3]) << t[0] << " " << t[2];
}

} // namespace
