#include "AxisScale.h"
#include "FixedMetrics.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct Scaled {
    SAxis axis;
    SAxisResult result;
};

Scaled Linear(float a, float b, int budget, bool keep = false, std::uint8_t kind = 1) {
    static const FixedMetrics metrics;
    Scaled s;
    s.axis.kind = kind;
    SUnitText texts;
    s.result = ScaleAxis(s.axis, a, b, budget, keep, TestEnv(metrics), texts);
    return s;
}

Scaled Decades(EScaleType type, float a, float b, std::uint8_t kind = 1) {
    static const FixedMetrics metrics;
    Scaled s;
    s.axis.kind = kind;
    s.axis.scaleType = type;
    SUnitText texts;
    s.result = ScaleAxis(s.axis, a, b, 4, false, TestEnv(metrics), texts);
    return s;
}

int Intervals(const SAxis& a) {
    return static_cast<int>(std::lround((a.upper - a.lower) / a.spacing));
}

} // namespace

// Ranges in, ends, spacing, tick mode, decimals and factor out.
struct LinearCase {
    float a, b;
    int budget;
    float lowerData, upperData, spacing; // spacing in units of the factor
    int tickMode, decimals, engExponent;
    bool everyOther;
};

class LinearAxis : public testing::TestWithParam<LinearCase> {};

TEST_P(LinearAxis, RoundsEndsAndChoosesTicks) {
    const LinearCase& c = GetParam();
    const Scaled s = Linear(c.a, c.b, c.budget);
    ASSERT_EQ(s.result.error, 0);
    EXPECT_FLOAT_EQ(s.axis.lowerData, c.lowerData);
    EXPECT_FLOAT_EQ(s.axis.upperData, c.upperData);
    EXPECT_FLOAT_EQ(s.axis.spacing, c.spacing);
    EXPECT_EQ(s.axis.tickMode, c.tickMode);
    EXPECT_EQ(s.axis.decimals, c.decimals);
    EXPECT_EQ(s.axis.engExponent, c.engExponent);
    EXPECT_EQ(s.axis.everyOther, c.everyOther);
}

INSTANTIATE_TEST_SUITE_P(Examples, LinearAxis,
                         testing::Values(
                             // position 1, step 1 gives 0.1..0.9; 7 inner ticks of 0.1
                             LinearCase{0.13f, 0.87f, 4, 0.1f, 0.9f, 0.1f, 2, 1, 0, false},
                             // flat ranges
                             LinearCase{5, 5, 4, 0, 10, 5, 0, 0, 0, false},
                             LinearCase{-5, -5, 4, -10, 0, 5, 0, 0, 0, false},
                             LinearCase{0, 0, 4, -1, 1, 1, 0, 0, 0, false},
                             // mantissas 1.2 apart keep their ends
                             LinearCase{0.5f, 1.7f, 4, 0.5f, 1.7f, 0.2f, 2, 1, 0, false},
                             // budget reached: every other tick labelled, thousands
                             LinearCase{1500, 98000, 4, 0, 100000, 10, 2, 0, 3, true},
                             // x in seconds, milliseconds shown
                             LinearCase{0, 0.005f, 4, 0, 0.005f, 0.5f, 2, 0, -3, true},
                             // both ends negative: upper rounded toward zero, lower away from it
                             LinearCase{-8.7f, -3.3f, 4, -9, -3, 1, 2, 0, 0, false}));

TEST(LinearAxis, KeptEndsAreExactWhateverTheirDigits) {
    const Scaled s = Linear(1.2345678f, 3.4567891f, 4, true);
    EXPECT_EQ(s.axis.lowerData, 1.2345678f);
    EXPECT_EQ(s.axis.upperData, 3.4567891f);
    EXPECT_EQ(s.axis.tickMode, 2);
}

TEST(LinearAxis, KeptEndsAreNotTrimmedOnNarrowRanges) {
    // 1000..1000.5 is just wide enough for searched ticks; the trim's 0.01 %
    // tolerance must not move a kept end.
    const Scaled s = Linear(1000, 1000.5f, 4, true);
    EXPECT_EQ(s.axis.tickMode, 2);
    EXPECT_EQ(s.axis.lowerData, 1000.0f);
    EXPECT_EQ(s.axis.upperData, 1000.5f);
}

TEST(LinearAxis, NegativeBudgetGivesOneInterval) {
    const Scaled rounded = Linear(0.13f, 0.87f, -1);
    EXPECT_EQ(Intervals(rounded.axis), 1);
    const Scaled kept = Linear(0.13f, 0.87f, -5, true);
    EXPECT_GT(kept.axis.spacing, 0);
    EXPECT_EQ(Intervals(kept.axis), 1);
}

TEST(LinearAxis, NonFiniteEndIsAnErrorNotAHang) {
    EXPECT_EQ(Linear(NAN, 1, 4).result.error, 1);
    EXPECT_EQ(Linear(0, INFINITY, 4).result.message, EScaleMsg::NotFinite);
}

TEST(LinearAxis, LabelWidthIsTheWidestTickLabel) {
    // 0.1 .. 0.9: labels "0.1" .. "0.9", 3 characters at 5 px; the unit label
    // of a y axis without units is narrower.
    const Scaled s = Linear(0.13f, 0.87f, 4, false, 0);
    EXPECT_EQ(s.axis.labelWidth, 15);
    EXPECT_EQ(s.result.message, EScaleMsg::None);
}

TEST(LinearAxis, MoreThanNineLabelsApologises) {
    const Scaled s = Linear(0, 13, 10, true);
    EXPECT_EQ(s.result.error, 0);
    EXPECT_EQ(s.result.message, EScaleMsg::NoBetterScales);
}

TEST(LinearAxis, UnknownAxisKindIsFatal) {
    const Scaled s = Linear(0, 1, 4, false, 3);
    EXPECT_EQ(s.result.error, 1);
    EXPECT_TRUE(ScaleMessage(s.result.message).fatal);
}

TEST(DecadeAxis, RunsFromDecadeToDecade) {
    const Scaled a = Decades(stLog, 0.02f, 350);
    EXPECT_EQ(a.axis.lowDecade, -2);
    EXPECT_EQ(a.axis.highDecade, 3);
    EXPECT_FLOAT_EQ(a.axis.lowerData, 0.01f);
    EXPECT_FLOAT_EQ(a.axis.upperData, 1000);
    const Scaled b = Decades(stLog, 1, 100); // "+1.000" adds no decade
    EXPECT_EQ(b.axis.lowDecade, 0);
    EXPECT_EQ(b.axis.highDecade, 2);
    EXPECT_EQ(b.axis.tickMode, 1);
    EXPECT_EQ(b.axis.factor, 1);
}

TEST(DecadeAxis, ConstantOneSpansAWholeDecade) {
    for (EScaleType t : {stLog, stDB}) {
        const Scaled s = Decades(t, 1, 1);
        ASSERT_EQ(s.result.error, 0);
        EXPECT_EQ(s.axis.lowDecade, 0);
        EXPECT_EQ(s.axis.highDecade, 1);
    }
}

TEST(DecadeAxis, NonPositiveRangeIsRefusedWithTheAxisNamed) {
    const Scaled y = Decades(stLog, 0, 10);
    EXPECT_EQ(y.result.error, 1);
    EXPECT_EQ(y.result.message, EScaleMsg::LogRangeY);
    const Scaled x = Decades(stDB, -1, 10, 0);
    EXPECT_EQ(x.result.message, EScaleMsg::LogRangeX);
    const SScaleMessage m = ScaleMessage(EScaleMsg::LogRangeX);
    EXPECT_EQ(m.title, "Invalid Request");
    EXPECT_EQ(m.text, "Cannot create a log scale on the x-axis\nbecause the range contains null or "
                      "negative values\n\nPlease change the variable to be plot, or the x-axis "
                      "range or choose a linear scale");
    EXPECT_NE(ScaleMessage(EScaleMsg::LogRangeY).text.find("the y-axis range"), std::string::npos);
}

TEST(DecadeAxis, LabelWidths) {
    // dB: "-40" and "60" at 5 px a character; log: "10" plus the decade in the exponent font.
    EXPECT_EQ(Decades(stDB, 0.01f, 999).axis.labelWidth, 15);
    EXPECT_EQ(Decades(stLog, 0.01f, 999).axis.labelWidth, 10 + 8);
}

TEST(RoundingDigits, PlusAndMinusRoundTheMantissa) {
    SDigits lo, up;
    BeginRounding(lo, up, 1.237f, 1.3f);
    EXPECT_FLOAT_EQ(Plus(up, 1, 1), 2);
    EXPECT_FLOAT_EQ(Plus(up, 1, 2), 1.5f);
    EXPECT_FLOAT_EQ(Plus(up, 1, 5), 1.4f);
    EXPECT_FLOAT_EQ(Minus(up, 1, 5), 1.2f);
    EXPECT_FLOAT_EQ(Plus(up, 2, 1), 1.3f); // already a multiple
    EXPECT_FLOAT_EQ(Minus(lo, 3, 1), 1.23f);
    EXPECT_FLOAT_EQ(Plus(lo, 2, 2), 1.25f);
    EXPECT_FLOAT_EQ(Plus(lo, 3, 1), 1.24f);

    BeginRounding(lo, up, -9.99f, 9.991f);
    EXPECT_FLOAT_EQ(Plus(up, 3, 1), 10); // carry into the next decade
    EXPECT_FLOAT_EQ(Plus(lo, 1, 1), -10);
    EXPECT_FLOAT_EQ(Minus(lo, 1, 1), -9);
}

TEST(RoundingDigits, BeginRoundingAlignsExponents) {
    SDigits lo, up;
    BeginRounding(lo, up, 1500, 98000);
    EXPECT_EQ(lo.exponent, 4);
    EXPECT_EQ(lo.lead, 0u);
    EXPECT_EQ(lo.d1, 1u);
    EXPECT_EQ(lo.d2, 5u);
    EXPECT_EQ(up.lead, 9u);

    BeginRounding(lo, up, 870, 13); // upper moves to the lower's exponent
    EXPECT_EQ(up.exponent, 2);
    EXPECT_EQ(up.d1, 1u);
    EXPECT_EQ(up.d2, 3u);

    BeginRounding(lo, up, 0.001f, 5000); // too far apart: the small end becomes 0
    EXPECT_EQ(lo.exponent, 3);
    EXPECT_EQ(lo.lead + lo.d1 + lo.d2 + lo.d3, 0u);
    EXPECT_EQ(up.sign, '+');

    BeginRounding(lo, up, -250, 3);
    EXPECT_EQ(lo.sign, '-');
    EXPECT_EQ(up.exponent, 2);
    EXPECT_EQ(up.d2, 3u);
}

TEST(TickCount, PrefersRoundStepsAndZero) {
    EXPECT_EQ(ComputeTic(0.1f, 0.9f, 4), 7);
    EXPECT_EQ(ComputeTic(0, 100000, 4), 4);
    // same range of 80: positive, the 10-step wins; across zero the count
    // that puts a tick on 0 wins.
    EXPECT_EQ(ComputeTic(16, 96, 4), 7);
    EXPECT_EQ(ComputeTic(-16, 64, 4), 4);
    EXPECT_EQ(ComputeTic(0, 1, -1), 0);
    EXPECT_EQ(ComputeTic(1, 1, 4), 4); // no range: the budget
    EXPECT_TRUE(AllowsZero(-16, 64, 4));
    EXPECT_FALSE(AllowsZero(-16, 64, 7));
    EXPECT_FALSE(AllowsZero(-1, 1, 0));
}

TEST(TickCount, Decimals) {
    EXPECT_EQ(ComputeDecimals(0.1f, 0.1f, false), 1);
    EXPECT_EQ(ComputeDecimals(0, 10, true), 0);
    EXPECT_EQ(ComputeDecimals(100, 0.25f, false), 2);
    EXPECT_EQ(ComputeDecimals(1000, 0.125f, false), 2); // long labels keep 2 decimals
    EXPECT_EQ(ComputeDecimals(0, 0.0005f, false), 4);
}

TEST(TickCount, EngineeringExponents) {
    const int in[] = {-7, -6, -5, -4, -3, -2, -1, 0, 3, 4, 5, 6, 8, 9};
    const int out[] = {-6, -6, -6, -3, -3, -3, 0, 0, 0, 3, 3, 6, 6, 9};
    for (int i = 0; i < 14; ++i)
        EXPECT_EQ(EngineeringExponent(in[i]), out[i]) << in[i];
}

TEST(ScaleXY, UpdatesTheDisplayedRectangleUnlessEndsAreKept) {
    FixedMetrics metrics;
    SAxisSet axes;
    SScaleSettings s;
    s.env = TestEnv(metrics);
    FloatRect2 displayed{};
    const FloatRect2 data{0.13f, 0.87f, 98000, 1500, 0, 0};
    SScaleOutcome r = ScaleXY(axes, displayed, data, false, s);
    EXPECT_EQ(r.errors, 0);
    EXPECT_FLOAT_EQ(displayed.xLower, 0.1f);
    EXPECT_FLOAT_EQ(displayed.xUpper, 0.9f);
    EXPECT_FLOAT_EQ(displayed.yLeftUpper, 100000);
    EXPECT_EQ(axes.yRight.labelWidth, 0);

    FloatRect2 kept = displayed;
    r = ScaleXY(axes, kept, data, true, s);
    EXPECT_EQ(kept.xLower, displayed.xLower);
    EXPECT_EQ(axes.x.lowerData, 0.13f);
}

TEST(ScaleXY, FailedLogScaleKeepsTheDisplayedRectangle) {
    FixedMetrics metrics;
    SAxisSet axes;
    axes.yLeft.scaleType = stLog;
    SScaleSettings s;
    s.env = TestEnv(metrics);
    FloatRect2 displayed{1, 2, 3, 4, 5, 6};
    const FloatRect2 before = displayed;
    const SScaleOutcome r = ScaleXY(axes, displayed, {0, 10, 1, -1, 0, 0}, false, s);
    EXPECT_EQ(r.errors, 1);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0], EScaleMsg::LogRangeY);
    EXPECT_EQ(displayed.xLower, before.xLower);
    EXPECT_EQ(displayed.yLeftLower, before.yLeftLower);
}

TEST(ScaleXY, RightAxisScaledOnlyWhenInUse) {
    FixedMetrics metrics;
    SAxisSet axes;
    SScaleSettings s;
    s.env = TestEnv(metrics);
    s.secondY = true;
    FloatRect2 displayed{};
    ScaleXY(axes, displayed, {0, 1, 1, 0, 0.87f, 0.13f}, false, s);
    EXPECT_FLOAT_EQ(displayed.yRightUpper, 0.9f);
    EXPECT_FLOAT_EQ(displayed.yRightLower, 0.1f);
    EXPECT_GT(axes.yRight.labelWidth, 0);
}
