// The selection turned into plot arrays, without any window: arithmetic, curve order,
// units, time units, chart kinds and the refusals with the cell they point at.
#include "NumericText.h"
#include "PlotData.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using Floats = std::vector<float>;

std::unique_ptr<SimOut> File(std::vector<std::string> names, std::vector<Floats> rows) {
    auto f = std::make_unique<SimOut>();
    f->names = std::move(names);
    f->nVars = static_cast<int>(rows.size());
    f->nPoints = static_cast<int>(rows[0].size());
    f->data = FMatrix(f->nVars, f->nPoints);
    for (int r = 0; r < f->nVars; ++r)
        std::copy(rows[r].begin(), rows[r].end(), f->data[r]);
    return f;
}

SPlotRow Row(int slot, int var, std::string name, std::string k = "1", std::string o = "0") {
    SPlotRow r;
    r.slot = slot;
    r.variable = var;
    r.name = std::move(name);
    r.factorText = std::move(k);
    r.offsetText = std::move(o);
    return r;
}

SPlotRow Composite(int slot, int a, int b, std::string first, char op, std::string second,
                   std::string k = "1", std::string o = "0") {
    SPlotRow r = Row(slot, a, first + op + second, std::move(k), std::move(o));
    r.second = b;
    r.operatorPos = static_cast<int>(first.size()) + 1;
    return r;
}

Floats X(const SPlotSnapshot& p, int f) {
    return Floats(p.xPtr[f], p.xPtr[f] + p.nPoints[f]);
}
Floats Y(const SPlotSnapshot& p, int f, int c) {
    return Floats(p.yPtr[f][c], p.yPtr[f][c] + p.nPoints[f]);
}

class PlotDataTest : public ::testing::Test {
protected:
    void SetUp() override { SetDecimalSeparator('.'); }

    // t, v:a, c:b, four points.
    std::unique_ptr<SimOut> one = File({"t", "v:a", "c:b"}, {{0, 1, 2, 3}, {1, 2, 3, 4}, {10, 20, 30, 40}});

    SPlotRequest SingleFile(std::vector<SPlotRow> rows, std::string shift = "0") {
        SPlotRequest q;
        q.rows = std::move(rows);
        q.files[0] = {one.get(), "/data/one.adf", true, std::move(shift)};
        return q;
    }
};

TEST_F(PlotDataTest, FactorsOffsetsShiftAndEachCompositeGiveTheHandComputedValues) {
    SPlotRequest q = SingleFile({Row(0, 0, "t", "2", "0.5"), Row(0, 1, "v:a", "3", "1"),
                                 Composite(0, 1, 2, "v:a", '+', "c:b", "2"),
                                 Composite(0, 1, 2, "v:a", '-', "c:b", "1", "-1"),
                                 Composite(0, 1, 2, "v:a", '*', "c:b", "0.5")},
                                "0.25");
    q.rows[1].rightAxis = true;
    q.rows[1].colour = 0x0000FF;
    const SPlotOutcome out = BuildPlotData(q);
    ASSERT_TRUE(out.plot) << out.message.text;
    const SPlotSnapshot& p = *out.plot;
    ASSERT_EQ(p.nFiles, 1);
    EXPECT_EQ(p.nCurves[0], 4);
    EXPECT_EQ(p.totalCurves, 4);
    EXPECT_EQ(X(p, 0), (Floats{0.75f, 2.75f, 4.75f, 6.75f})); // t * 2 + 0.5 + 0.25
    EXPECT_EQ(Y(p, 0, 0), (Floats{4, 7, 10, 13}));            // 3a + 1, no shift on y
    EXPECT_EQ(Y(p, 0, 1), (Floats{22, 44, 66, 88}));          // 2 (a + b)
    EXPECT_EQ(Y(p, 0, 2), (Floats{-10, -19, -28, -37}));      // a - b - 1
    EXPECT_EQ(Y(p, 0, 3), (Floats{5, 20, 45, 80}));           // a * b * 0.5
    EXPECT_EQ(p.curves[0].unitChar, 'V');
    EXPECT_EQ(p.curves[1].unitChar, 0); // volts plus amperes
    EXPECT_EQ(p.curves[2].unitChar, 0);
    EXPECT_EQ(p.curves[3].unitChar, 'W');
    EXPECT_EQ(p.curves[0].axis, 1);
    EXPECT_EQ(p.curves[0].color, 0x0000FFu);
    EXPECT_EQ(p.curves[1].axis, 0);
    EXPECT_EQ(p.varNames[2], "v:a-c:b");
    EXPECT_EQ(p.varNames[4], "t");
    EXPECT_EQ(p.factors[0], 3.0f);
    EXPECT_EQ(p.offsets[2], -1.0f);
    EXPECT_EQ(p.factors[4], 2.0f); // the x pair follows the curves
    EXPECT_EQ(p.offsets[4], 0.5f);
    EXPECT_EQ(p.legendNames[0], "one.adf");
    EXPECT_EQ(p.timeUnit, "s");
    EXPECT_TRUE(p.xParam.xIsTime);
    EXPECT_EQ(p.xParam.unitChar, 's');
    EXPECT_EQ(p.chartKind, 0);
}

TEST_F(PlotDataTest, CurvesComeInSlotOrderThenGridOrderAndEachFileHasItsOwnShift) {
    auto third = File({"t", "v:p", "v:q"}, {{0, 1, 2}, {5, 6, 7}, {-1, -2, -3}});
    SPlotRequest q;
    q.multiFile = true;
    q.rows = {Row(0, 0, "t", "1", "0"), Row(2, 1, "v:p"), Row(0, 1, "v:a", "1", "2"),
              Row(2, 2, "v:q", "10")};
    q.files[0] = {one.get(), "/x/one.adf", true, "0"};
    q.files[2] = {third.get(), "/y/third.pl4", true, "100"};
    const SPlotOutcome out = BuildPlotData(q);
    ASSERT_TRUE(out.plot) << out.message.text;
    const SPlotSnapshot& p = *out.plot;
    ASSERT_EQ(p.nFiles, 2);
    EXPECT_EQ(p.slot[0], 0);
    EXPECT_EQ(p.slot[1], 2);
    EXPECT_EQ(p.nCurves[0], 1);
    EXPECT_EQ(p.nCurves[1], 2);
    EXPECT_EQ(p.legendNames[1], "third.pl4");
    EXPECT_EQ(p.varNames[0], "v:a");
    EXPECT_EQ(p.varNames[1], "v:p");
    EXPECT_EQ(p.varNames[2], "v:q");
    EXPECT_EQ(p.varNames[3], "t");
    EXPECT_EQ(X(p, 0), (Floats{0, 1, 2, 3}));
    EXPECT_EQ(X(p, 1), (Floats{100, 101, 102}));
    EXPECT_EQ(Y(p, 0, 0), (Floats{3, 4, 5, 6}));
    EXPECT_EQ(Y(p, 1, 0), (Floats{5, 6, 7}));
    EXPECT_EQ(Y(p, 1, 1), (Floats{-10, -20, -30}));
}

TEST_F(PlotDataTest, RefusalsNameTheirMessageAndTheCellToPaint) {
    auto single = File({"t", "v:a"}, {{0}, {1}});
    struct Case {
        const char* what;
        SPlotRequest q;
        std::string text, title;
        SPlotBadCell::EGrid grid;
        int col = 0, row = 0, slot = 0;
    };
    auto rows = [&](std::vector<SPlotRow> r, std::string shift = "0") {
        return SingleFile(std::move(r), std::move(shift));
    };
    SPlotRequest onePoint = rows({Row(0, 0, "t"), Row(0, 1, "v:a")});
    onePoint.files[0].file = single.get();
    SPlotRequest badOp = rows({Row(0, 0, "t"), Composite(0, 1, 2, "v:a", '/', "c:b")});
    SPlotRequest compositeX = rows({Composite(0, 1, 2, "v:a", '+', "c:b"), Row(0, 1, "v:a")});
    SPlotRequest lost = rows({Row(0, 0, "t"), Row(0, 3, "v:gone")});
    const std::string invalid = "Invalid number in the evidenced Cell";
    Case cases[] = {
        {"nothing", rows({}), "No variable Selected", "Invalid input", SPlotBadCell::none},
        {"x only", rows({Row(0, 0, "t")}), "No Y variable Selected", "Invalid input",
         SPlotBadCell::none},
        {"comma factor", rows({Row(0, 0, "t"), Row(0, 1, "v:a", "1,5")}), invalid, "Error",
         SPlotBadCell::selection, 2, 2},
        {"bad offset", rows({Row(0, 0, "t"), Row(0, 1, "v:a"), Row(0, 2, "c:b", "1", "s->m")}),
         invalid, "Error", SPlotBadCell::selection, 3, 3},
        {"empty factor", rows({Row(0, 0, "t"), Row(0, 1, "v:a", "")}), invalid, "Error",
         SPlotBadCell::selection, 2, 2},
        {"bad shift", rows({Row(0, 0, "t"), Row(0, 1, "v:a")}, "1e"), invalid, "Error",
         SPlotBadCell::shift, 0, 0, 0},
        {"null x", rows({Row(0, 0, "t", "0"), Row(0, 1, "v:a")}),
         "Null Factor not allowed on X variable", "Error", SPlotBadCell::selection, 2, 1},
        {"one point", std::move(onePoint), "The number of plot points must be greater than 1",
         "Error", SPlotBadCell::none},
        {"operator", std::move(badOp),
         "Error \"Invalid Operator in DataSelFF\"\nPlease report it to the program's author "
         "(address in the program's documentation)",
         "Error", SPlotBadCell::none},
        {"composite x", std::move(compositeX),
         "Error \"Operator in x-var\"\nPlease report it to the program's author (address in "
         "the program's documentation)",
         "Error", SPlotBadCell::none},
        {"lost variable", std::move(lost), "The variable \"v:gone\" is no longer in its file",
         "Error", SPlotBadCell::none},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const SPlotOutcome out = BuildPlotData(c.q);
        EXPECT_FALSE(out.plot);
        EXPECT_EQ(out.message.text, c.text);
        EXPECT_EQ(out.message.title, c.title);
        EXPECT_EQ(out.message.icon, c.title == "Error" ? EPlotIcon::stop : EPlotIcon::exclamation);
        EXPECT_EQ(out.message.cell.grid, c.grid);
        if (c.grid == SPlotBadCell::selection) {
            EXPECT_EQ(out.message.cell.col, c.col);
            EXPECT_EQ(out.message.cell.row, c.row);
        }
        if (c.grid == SPlotBadCell::shift) {
            EXPECT_EQ(out.message.cell.slot, c.slot);
        }
    }
}

TEST_F(PlotDataTest, BarsOnlyForOneScanCurveWhenTheOptionAllowsThem) {
    struct Case {
        std::uint8_t runKind;
        bool fs, hfs, points;
        int curves;
        int kind;
    };
    const Case cases[] = {
        {rkFrequencyScan, true, false, false, 1, 1},  {rkFrequencyScan, true, false, false, 2, 0},
        {rkFrequencyScan, false, true, false, 1, 0},  {rkHarmonicScan, false, true, false, 1, 1},
        {rkHarmonicScan, true, false, true, 1, 2},    {rkTimeRun, true, true, false, 1, 0},
        {rkFrequencyScan, true, false, true, 2, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.runKind) + " curves " + std::to_string(c.curves));
        one->pl4RunKind = c.runKind;
        SPlotRequest q = SingleFile({Row(0, 0, "t"), Row(0, 1, "v:a")});
        if (c.curves == 2) q.rows.push_back(Row(0, 2, "c:b"));
        q.barsForFS = c.fs;
        q.barsForHFS = c.hfs;
        q.pointsOnly = c.points;
        const SPlotOutcome out = BuildPlotData(q);
        ASSERT_TRUE(out.plot);
        EXPECT_EQ(out.plot->chartKind, c.kind);
    }
}

TEST_F(PlotDataTest, TimeFactorsDivideTheAbscissaAndNameItsUnit) {
    SPlotRequest q = SingleFile({Row(0, 0, "t", "s->m"), Row(0, 1, "v:a")});
    one->data[0][1] = 60;
    one->data[0][2] = 90;
    one->data[0][3] = 3600;
    SPlotOutcome out = BuildPlotData(q);
    ASSERT_TRUE(out.plot);
    const Floats minutes = X(*out.plot, 0), expected{0, 1, 1.5f, 60};
    for (int j = 0; j < 4; ++j)
        EXPECT_FLOAT_EQ(minutes[j], expected[j]); // 1/60 has no exact single-precision value
    EXPECT_EQ(out.plot->timeUnit, "m");
    EXPECT_EQ(out.plot->xParam.unitChar, 'm');
    EXPECT_EQ(out.plot->xParam.unitChar2, 0);

    q.rows[0].factorText = "s->h";
    out = BuildPlotData(q);
    ASSERT_TRUE(out.plot);
    EXPECT_FLOAT_EQ(X(*out.plot, 0)[3], 1.0f);
    EXPECT_EQ(out.plot->timeUnit, "h");

    struct Case {
        const char *factor, *fileX, *xName, *unit;
    };
    const Case units[] = {{"1", "t", "t", "s"},   {"1", "f", "f", "Hz"}, {"1", "t", "%t1", "s"},
                          {"1", "t", "v:a", ""},  {"2", "x", "x", ""},   {"s->m", "f", "f", "m"}};
    for (const Case& c : units) {
        SCOPED_TRACE(c.xName);
        EXPECT_EQ(PlotTimeUnit(c.factor, c.fileX, c.xName), c.unit);
    }
}

TEST_F(PlotDataTest, UnitsFollowTheTypeLetters) {
    struct Case {
        const char* first;
        char op;
        const char* second;
        std::uint8_t unit;
    };
    const Case cases[] = {
        {"v:x", '*', "c:y", 'W'}, {"c:y", '*', "v:x", 'W'}, {"i:y", '*', "v:x", 'W'},
        {"v:x", '*', "v:y", 0},   {"v:x", '+', "c:y", 0},   {"v:x", '-', "v:y", 'V'},
        {"i:x", '+', "c:y", 'A'}, {"a:x", '+', "a:y", 0xB0}, {"p:x", '-', "e:y", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.first) + c.op + c.second);
        EXPECT_EQ(CompositeUnit(c.first, c.op, c.second), c.unit);
    }
    EXPECT_EQ(UnitOfName("e:w"), 'J');
    EXPECT_EQ(UnitOfName("p:w"), 'W');
    EXPECT_EQ(UnitOfName("x"), 0);
    EXPECT_EQ(UnitOfName(""), 0);
}

TEST_F(PlotDataTest, EverySnapshotIsNewSoTheOneOnScreenStaysAsItWas) {
    SPlotRequest q = SingleFile({Row(0, 0, "t"), Row(0, 1, "v:a")});
    const PlotSnapshotPtr first = BuildPlotData(q).plot;
    ASSERT_TRUE(first);
    q.rows[1].factorText = "2";
    const PlotSnapshotPtr second = BuildPlotData(q).plot;
    ASSERT_TRUE(second);
    EXPECT_NE(first->yPtr[0], second->yPtr[0]);
    EXPECT_EQ(Y(*first, 0, 0), (Floats{1, 2, 3, 4}));
    EXPECT_EQ(Y(*second, 0, 0), (Floats{2, 4, 6, 8}));
}

} // namespace
