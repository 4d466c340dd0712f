// The Fourier options checks: order of the checks, their texts and the field they point at.
#include "FourierOptions.h"

#include <gtest/gtest.h>

namespace {

// A curve of times first ... last in n samples.
SFourierOptionsInput Curve(float first, float last, int n, const char* ti, const char* tf,
                           const char* lo = "0", const char* hi = "30") {
    SFourierOptionsInput in;
    in.initialText = ti;
    in.finalText = tf;
    in.firstOrderText = lo;
    in.lastOrderText = hi;
    in.smallest = first;
    in.largestAllowed = LargestAllowedTime(last);
    in.tFirst = first;
    in.tLast = last;
    in.n = n;
    in.sps = static_cast<float>(n - 1) / (last - first);
    return in;
}

const std::string kSmall = "Invalid Initial time of the base period:\nthe selected time cannot "
                           "be smaller than the smallest time in data;\nsmallest available time: ";
const std::string kLarge = "Invalid final time of the base period:\nthe selected time cannot be "
                           "larger than the largest time in data;\nlargest available time: ";
const std::string kOrder = "only whole numbers from 0 to 9999 are allowed";

} // namespace

TEST(FourierOptions, ChecksInTheDialogsOrder) {
    using F = EFourierField;
    const struct {
        SFourierOptionsInput in;
        F field;
        std::string message;
    } rows[] = {
        // Conversion first, initial before final, before any range check.
        {Curve(0, 0.1f, 1001, "abc", "x"), F::InitialTime,
         "Invalid Initial time of the base period"},
        {Curve(0, 0.1f, 1001, "0.08", ""), F::FinalTime, "Invalid Final time of the base period"},
        {Curve(0, 0.1f, 1001, "1,5", "0.1"), F::InitialTime,
         "Invalid Initial time of the base period"},
        // Range: a curve of 0 ... 0.1 s.
        {Curve(0, 0.1f, 1001, "-0.00001", "0.1"), F::InitialTime, kSmall + "0"},
        {Curve(0, 0.1f, 1001, "0.08", "0.10002"), F::FinalTime, kLarge + "0.1"},
        {Curve(0.5f, 0.6f, 1001, "0.49994", "0.6"), F::InitialTime, kSmall + "0.5"},
        {Curve(0, 0.1f, 1001, "0.09", "0.08"), F::FinalTime,
         "Final t should be greater than Initial t!"},
        {Curve(0, 0.1f, 1001, "0.08", "0.08"), F::FinalTime,
         "Final t should be greater than Initial t!"},
        // Fewer than 3 samples in the base period.
        {Curve(0, 0.1f, 1001, "0.08", "0.08004"), F::InitialTime,
         "Invalid base period:\nit should hold at least 3 samples"},
        // Orders, after the times.
        {Curve(0, 0.1f, 1001, "0.08", "0.1", "5", "5"), F::LastOrder,
         "Max harmonic order should be greater than minimum!"},
        {Curve(0, 0.1f, 1001, "0.08", "0.1", "7", "3"), F::LastOrder,
         "Max harmonic order should be greater than minimum!"},
        {Curve(0, 0.1f, 1001, "0.08", "0.1", "-1", "30"), F::FirstOrder,
         "Invalid minimum harmonic order:\n" + kOrder},
        {Curve(0, 0.1f, 1001, "0.08", "0.1", "x", "y"), F::FirstOrder,
         "Invalid minimum harmonic order:\n" + kOrder},
        {Curve(0, 0.1f, 1001, "0.08", "0.1", "2.5", "30"), F::FirstOrder,
         "Invalid minimum harmonic order:\n" + kOrder},
        {Curve(0, 0.1f, 1001, "0.08", "0.1", "0", "99999"), F::LastOrder,
         "Invalid maximum harmonic order:\n" + kOrder},
        {Curve(0, 0.1f, 1001, "0.08", "0.1", "0", ""), F::LastOrder,
         "Invalid maximum harmonic order:\n" + kOrder},
        // 20 samples, 981 ... 1000: orders from 10 up have no value, so order 9 alone is left.
        {Curve(0, 0.1f, 1001, "0.098", "0.1", "9", "30"), F::FirstOrder,
         "Invalid minimum harmonic order:\n20 samples resolve orders up to 9;\nthe minimum "
         "should be below 9"},
        // A curve whose times do not rise has no base period at all.
        {Curve(1, 1, 3, "1", "2"), F::FinalTime, kLarge + "1"},
    };
    for (const auto& r : rows) {
        const SFourierOptionsVerdict v = CheckFourierOptions(r.in);
        EXPECT_FALSE(v.ok) << r.in.initialText << " " << r.in.finalText;
        EXPECT_EQ(v.message, r.message) << r.in.initialText << " " << r.in.finalText;
        EXPECT_EQ(v.field, r.field) << r.message;
    }
}

TEST(FourierOptions, AcceptedInputs) {
    const struct {
        SFourierOptionsInput in;
        double ti, tf;
        int first, last;
    } rows[] = {
        {Curve(0, 0.1f, 1001, "0.08", "0.1"), 0.08, 0.1, 0, 30},
        // The largest allowed time is 0.1000001, with a tolerance of 0.0001 of it.
        {Curve(0, 0.1f, 1001, "0.08", "0.1000001"), 0.08, 0.1000001, 0, 30},
        {Curve(0, 0.1f, 1001, "0", "0.10001", "0", "1"), 0, 0.10001, 0, 1},
        {Curve(0, 0.1f, 1001, " 0.08 ", "1e-1", " 2 ", "9999"), 0.08, 0.1, 2, 9999},
        // Negative times: the tolerance is a part of the limit's size.
        {Curve(-0.2f, -0.1f, 1001, "-0.2", "-0.1"), -0.2, -0.1, 0, 30},
        {Curve(-0.2f, -0.1f, 1001, "-0.20001", "-0.1"), -0.20001, -0.1, 0, 30},
        {Curve(0, 0.1f, 1001, "0.08", "0.08031", "0", "1"), 0.08, 0.08031, 0, 1},
        // A last order above the resolved ones is kept for a later, longer period.
        {Curve(0, 0.1f, 1001, "0.098", "0.1", "8", "30"), 0.098, 0.1, 8, 30},
    };
    for (const auto& r : rows) {
        const SFourierOptionsVerdict v = CheckFourierOptions(r.in);
        ASSERT_TRUE(v.ok) << r.in.initialText << " " << r.in.finalText << ": " << v.message;
        EXPECT_DOUBLE_EQ(v.initialTime, r.ti);
        EXPECT_DOUBLE_EQ(v.finalTime, r.tf);
        EXPECT_EQ(v.firstOrder, r.first);
        EXPECT_EQ(v.lastOrder, r.last);
    }
    // Just outside the negative limits.
    EXPECT_FALSE(CheckFourierOptions(Curve(-0.2f, -0.1f, 1001, "-0.20003", "-0.1")).ok);
    EXPECT_FALSE(CheckFourierOptions(Curve(-0.2f, -0.1f, 1001, "-0.2", "-0.09998")).ok);
}
