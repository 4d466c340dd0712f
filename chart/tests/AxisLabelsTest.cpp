#include "AxisLabels.h"
#include "AxisScale.h"
#include "FixedMetrics.h"
#include "ChartNumbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

SAxis LinearAxis(std::uint8_t kind, int engExponent) {
    SAxis a;
    a.kind = kind;
    a.engExponent = engExponent;
    a.factor = static_cast<float>(std::pow(10.0, engExponent));
    return a;
}

struct UnitCase {
    const char* name;
    std::uint8_t kind;
    int engExponent;
    std::vector<SCurveParam> curves;
    SXVarParam xVar;
    const char* unit;
    const char* exponent;
};

} // namespace

TEST(UnitLabel, BracketsPrefixesAndFactors) {
    const std::vector<SCurveParam> volts{{0, 0, 'V'}, {0, 0, 'V'}, {0, 1, 'A'}};
    const std::vector<SCurveParam> mixed{{0, 0, 'V'}, {0, 0, 'A'}};
    const std::vector<SCurveParam> unknown{{0, 0, 'V'}, {0, 0, 0}};
    const std::vector<SCurveParam> degrees{{0, 0, 0xB0}};
    const SXVarParam seconds{true, 's', 0}, millis{true, 'm', 's'}, notTime{false, 's', 0};
    const UnitCase cases[] = {
        {"volts", 1, 0, volts, seconds, "[V]", ""},
        {"kilovolts", 1, 3, volts, seconds, "[kV]", ""},
        {"right axis amperes", 2, -3, volts, seconds, "[mA]", ""},
        {"micro", 1, -6, volts, seconds, "[uV]", ""},
        {"tera", 1, 12, volts, seconds, "[TV]", ""},
        {"mixed units, factor 1", 1, 0, mixed, seconds, "", ""},
        {"mixed units, factor", 1, 3, mixed, seconds, "*10", "3"},
        {"a curve without unit", 1, 0, unknown, seconds, "", ""},
        {"exponent beyond SI prefixes", 1, 15, volts, seconds, "*10", "15"},
        {"degree sign", 1, 0, degrees, seconds, "[\xB0]", ""},
        {"x seconds", 0, 0, volts, seconds, "[s]", ""},
        {"x milliseconds", 0, -3, volts, seconds, "[ms]", ""},
        {"x two-letter unit", 0, 0, volts, millis, "[ms]", ""},
        {"x two-letter unit, thousands", 0, 3, volts, millis, "[kms]", ""},
        {"x not time", 0, 3, volts, notTime, "*10", "3"},
    };
    for (const UnitCase& c : cases) {
        SLabelEnv env;
        env.autoLabel = true;
        env.curves = c.curves;
        env.xVar = c.xVar;
        SUnitText t{"old", "old"};
        BuildUnitTexts(LinearAxis(c.kind, c.engExponent), env, t);
        EXPECT_EQ(t.unit, c.unit) << c.name;
        EXPECT_EQ(t.exponent, c.exponent) << c.name;
    }
}

TEST(UnitLabel, UserTextsAndLogAxesKeepTheirUnitText) {
    SLabelEnv env;
    env.autoLabel = true;
    SUnitText t{"[Hz]", "x"};
    env.userLabel = true;
    BuildUnitTexts(LinearAxis(0, 3), env, t);
    EXPECT_EQ(t.unit, "[Hz]");
    EXPECT_EQ(t.exponent, "x");

    env.userLabel = false;
    SAxis log;
    log.scaleType = stLog;
    BuildUnitTexts(log, env, t);
    EXPECT_EQ(t.unit, "[Hz]");
    EXPECT_EQ(t.exponent, "");

    SAxis db;
    db.scaleType = stDB;
    EXPECT_TRUE(BuildUnitTexts(db, env, t));
    EXPECT_EQ(t.unit, "dB");
}

TEST(UnitLabel, MeasuredWidthIsTextPlusRaisedPlusOne) {
    FixedMetrics m;
    SLabelEnv env = TestEnv(m);
    SUnitText t;
    EXPECT_EQ(MeasureUnitLabel(LinearAxis(1, 6), env, t), 3 * 5 + 1 * 4 + 1); // "*10" "6"
}

TEST(UnitLabel, SecondsAxisScaledToFiveMillisecondsShowsMs) {
    FixedMetrics m;
    SLabelEnv env = TestEnv(m);
    env.autoLabel = true;
    env.xVar = {true, 's', 0};
    SAxis x;
    SUnitText t;
    ASSERT_EQ(ScaleAxis(x, 0, 0.005f, 4, false, env, t).error, 0);
    BuildUnitTexts(x, env, t);
    EXPECT_EQ(x.engExponent, -3);
    EXPECT_EQ(t.unit, "[ms]");
}

TEST(TickLabels, FixedPointWithPrecisionFive) {
    EXPECT_EQ(TickLabel(0.30000001f, 1), "0.3");
    EXPECT_EQ(TickLabel(-1.49e-8f, 1), "0.0"); // accumulated error at zero is not "-0.0"
    EXPECT_EQ(TickLabel(100, 0), "100");
    EXPECT_EQ(TickLabel(12.5f, 2), "12.50");
    EXPECT_EQ(TickLabel(-2.5f, -1), "-3"); // negative decimals count as 0
    EXPECT_EQ(TickLabel(0.1234567f, 6), "0.123460");
}

TEST(TickLabels, LegendNumbers) {
    EXPECT_EQ(chartnum::MyFloatToStrF(0.0f, 4), "0");
    EXPECT_EQ(chartnum::MyFloatToStrF(0.005f, 4), "5.000E-03");
    EXPECT_EQ(chartnum::MyFloatToStrF(0.5f, 4), "0.5");
    EXPECT_EQ(chartnum::MyFloatToStrF(-2.25f, 4), "-2.25");
    EXPECT_EQ(chartnum::MyFloatToStrF(123.456f, 4), "123.5");
    EXPECT_EQ(chartnum::MyFloatToStrF(1e-7f, 3), "1.00E-07");
}

TEST(LinearTicks, EveryOtherTickLabelledAllDrawn) {
    SAxis a;
    a.lower = 0;
    a.spacing = 10;
    a.everyOther = true;
    const auto ticks = LinearYTicks(a, 100, 200, 20);
    ASSERT_EQ(ticks.size(), 6u); // rows 200, 180, ..., 100
    EXPECT_EQ(ticks[0].pos, 200);
    EXPECT_EQ(ticks[5].pos, 100);
    std::vector<std::string> labels;
    for (const STick& t : ticks)
        labels.push_back(t.labelled ? t.text : "-");
    EXPECT_EQ(labels, (std::vector<std::string>{"0", "-", "20", "-", "40", "-"}));
}

TEST(LinearTicks, XColumnsStayInsideTheBarMargins) {
    SAxis a;
    a.lower = 0.1f;
    a.spacing = 0.1f;
    a.decimals = 1;
    const auto ticks = LinearXTicks(a, 50, 450, 10, 47.5f);
    ASSERT_EQ(ticks.size(), 9u);
    EXPECT_EQ(ticks.front().pos, 60);
    EXPECT_EQ(ticks.back().pos, 440);
    EXPECT_EQ(ticks.back().text, "0.9");
    EXPECT_EQ(LinearXGridColumns(60, 380, 47.5f),
              (std::vector<int>{108, 155, 203, 250, 298, 345, 393}));
    EXPECT_EQ(LinearYGridRows(100, 200, 25), (std::vector<int>{175, 150, 125}));
}

TEST(LinearTicks, UnusableSpacingDrawsNoTicksAndTinySpacingIsBounded) {
    SAxis a;
    a.spacing = 1;
    for (float px : {0.0f, -3.0f, NAN, INFINITY}) {
        EXPECT_TRUE(LinearYTicks(a, 0, 100, px).empty());
        EXPECT_TRUE(LinearXTicks(a, 0, 100, 0, px).empty());
        EXPECT_TRUE(LinearYGridRows(0, 100, px).empty());
        EXPECT_TRUE(LinearXGridColumns(0, 100, px).empty());
    }
    EXPECT_EQ(LinearYTicks(a, 0, 100, 1e-6f).size(), static_cast<std::size_t>(kMaxTicks));
}

TEST(DecadeTicks, DBDensityFollowsTheRoomPerDecade) {
    SAxis a;
    a.scaleType = stDB;
    a.lowDecade = -3;
    a.highDecade = 3;
    const SDecadeTicks tall = DBTicks(a, 0, 599, true, 14);
    EXPECT_EQ(tall.density, 3);
    ASSERT_EQ(tall.ticks.size(), 13u);
    EXPECT_EQ(tall.ticks.front().text, "-60"); // from the bottom up
    EXPECT_EQ(tall.ticks.front().pos, 599);
    EXPECT_EQ(tall.ticks[1].text, "-50");
    EXPECT_EQ(tall.ticks.back().text, "60");
    EXPECT_EQ(tall.ticks.back().pos, 0);

    const SDecadeTicks mid = DBTicks(a, 0, 299, false, 14);
    EXPECT_EQ(mid.density, 2);
    ASSERT_EQ(mid.ticks.size(), 7u);
    EXPECT_EQ(mid.ticks[1].pos, 50);
    EXPECT_EQ(mid.ticks[1].text, "-40");

    const SDecadeTicks shortAxis = DBTicks(a, 0, 150, true, 14);
    EXPECT_EQ(shortAxis.density, 1);
    ASSERT_EQ(shortAxis.ticks.size(), 2u);
    EXPECT_EQ(shortAxis.ticks[0].text, "-60");
    EXPECT_EQ(shortAxis.ticks[1].text, "60");
}

TEST(DecadeTicks, LogMinorTicksAndExactLastDecade) {
    SAxis a;
    a.scaleType = stLog;
    a.lowDecade = 0;
    a.highDecade = 2;
    const SDecadeTicks t = LogTicks(a, 100, 500, false, 12);
    EXPECT_EQ(t.density, 3);
    std::vector<int> decades, minors;
    for (const STick& k : t.ticks)
        (k.minor ? minors : decades).push_back(k.pos);
    EXPECT_EQ(decades, (std::vector<int>{100, 300, 500}));
    // log10(2, 4, 6, 8) x 200.5 pixels per decade
    EXPECT_EQ(minors, (std::vector<int>{160, 220, 256, 281, 360, 420, 456, 481}));
    EXPECT_EQ(t.ticks[0].text, "10");
    EXPECT_EQ(t.ticks[0].raised, "0");

    const SDecadeTicks y = LogTicks(a, 100, 140, true, 12); // 20 px per decade: ends only
    EXPECT_EQ(y.density, 1);
    ASSERT_EQ(y.ticks.size(), 2u);
    EXPECT_EQ(y.ticks[0].pos, 140); // 10^0 at the bottom
    EXPECT_EQ(y.ticks[1].pos, 100);
    EXPECT_EQ(y.ticks[1].raised, "2");
}

TEST(DecadeTicks, EmptySpanOrSingleDecadeNeverDivideByZero) {
    SAxis a;
    a.lowDecade = a.highDecade = 0;
    EXPECT_TRUE(LogTicks(a, 100, 100, true, 12).ticks.empty());
    EXPECT_TRUE(DBTicks(a, 100, 50, false, 12).ticks.empty());
    EXPECT_EQ(LogTicks(a, 0, 300, false, 12).ticks.front().raised, "0");
    EXPECT_FALSE(DBTicks(a, 0, 300, false, 0).ticks.empty());
}
