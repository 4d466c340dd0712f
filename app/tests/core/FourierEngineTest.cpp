// The harmonic engine against an independent transform (a long-double DFT with the exact
// pi, written here) and against the numbers worked out for the signals T1 to T6.
#include "FourierEngine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

namespace {

constexpr double kDeg = M_PI / 180;
using Signal = std::function<double(double)>;

struct SSamples {
    std::vector<float> t, x;
    SBasePeriod period; // from the times ts, te
};

// count samples at t_k = k / fs, stored as float.
SSamples Sample(double fs, int count, const Signal& f, float ts, float te) {
    SSamples s;
    for (int k = 0; k < count; ++k) {
        s.t.push_back(static_cast<float>(k / fs));
        s.x.push_back(static_cast<float>(f(k / fs)));
    }
    s.period = PeriodFromTimes(s.t[0], SamplesPerSecond(s.t.data(), count), ts, te);
    return s;
}

double PhaseGap(double a, double b) {
    const double d = std::fmod(std::fabs(a - b), 360.0);
    return std::min(d, 360 - d);
}

// Amplitudes 2|X_h|/N in all four units and the phase of a sine, atan2(Re X, -Im X), for
// the orders h < N/2; from N/2 up the N samples alias lower orders and nothing is shown.
void ExpectAgrees(const SSamples& s, int first, int last) {
    const SHarmonics h = ComputeHarmonics(s.x.data(), s.period, last);
    std::vector<double> amp, phase;
    double mean = 0;
    const long double n = static_cast<long double>(s.period.Count());
    while (2 * last >= s.period.Count()) {
        EXPECT_EQ(h.amplitude[last], 0.0f) << last;
        std::vector<float> d;
        DisplayedAmplitudes(h, first, last, fuPeak, d);
        EXPECT_EQ(d[last], 0.0f) << last;
        --last;
    }
    for (int k = 0; k <= last; ++k) {
        long double re = 0, im = 0;
        for (std::int64_t j = 0; j < s.period.Count(); ++j) {
            const long double a = 2 * 3.141592653589793238462643383279502884L * k * j / n;
            re += s.x[static_cast<std::size_t>(s.period.start + j)] * std::cos(a);
            im -= s.x[static_cast<std::size_t>(s.period.start + j)] * std::sin(a);
        }
        amp.push_back(static_cast<double>(2 * std::sqrt(re * re + im * im) / n));
        phase.push_back(static_cast<double>(std::atan2(re, -im)) / kDeg);
        if (k == 0) mean = static_cast<double>(re / n);
    }
    const double a1 = amp[1];
    double maxA = 0;
    for (int k = 1; k <= last; ++k)
        maxA = std::max(maxA, amp[k]);
    EXPECT_NEAR(h.mean, mean, 1e-6 + 1e-6 * std::fabs(mean));
    for (int u = 0; u < 4; ++u) {
        std::vector<float> d;
        const bool refOk = DisplayedAmplitudes(h, first, last, u, d);
        ASSERT_EQ(refOk, !(u == 2 && h.mean == 0) && !(u == 3 && a1 == 0));
        const int unit = refOk ? u : 0; // a zero reference keeps the peak values
        const double scale[] = {1, M_SQRT1_2, M_SQRT1_2 / std::fabs(mean), 1 / a1};
        for (int k = std::max(first, 1); k <= last; ++k) {
            const double want = amp[k] * scale[unit];
            EXPECT_NEAR(d[k], want, 1e-5 * (std::fabs(want) + maxA * scale[unit])) << u << ":" << k;
        }
        const double want0[] = {mean, mean, 1, std::fabs(mean / a1)};
        if (first == 0) {
            EXPECT_NEAR(d[0], want0[unit], 1e-5 * std::fabs(want0[unit]) + 1e-6) << u;
        }
    }
    for (int k = 1; k <= last; ++k)
        if (amp[k] > 1e-3 * maxA) {
            EXPECT_LT(PhaseGap(h.phase[k], phase[k]), 1e-3) << k;
        }
}

double T1(double t) {
    return 2 * std::sin(2 * M_PI * 50 * (t - 0.0801) + 30 * kDeg);
}
double T2(double t) {
    return 2 * std::sin(2 * M_PI * 50 * t + 30 * kDeg);
}
double T3(double t) {
    const double th = 2 * M_PI * 50 * (t - 0.0801);
    return 1.5 + 10 * std::sin(th) + 0.8 * std::cos(2 * th) + 2 * std::sin(3 * th - 45 * kDeg) +
           std::sin(5 * th + 120 * kDeg) + 0.5 * std::sin(7 * th + 180 * kDeg);
}
double T4(double t) {
    return std::sin(2 * M_PI * 50 * (t - 0.081) + 30 * kDeg);
}
// A 1 kHz recorder at 50 Hz: 20 samples a cycle. A large mean, a small order 1 and 3, and
// the alternating samples that order 10 would read twice over.
double Recorder(double t) {
    const double th = 2 * M_PI * 50 * (t - 0.081);
    return 40 + 0.1 * std::sin(th + 30 * kDeg) + 0.05 * std::sin(3 * th - 45 * kDeg) +
           0.02 * std::cos(10 * th);
}

} // namespace

TEST(FourierEngine, SignalsAgreeWithALongDoubleTransformInEveryUnit) {
    const struct {
        double fs;
        int count;
        Signal f;
        int first, last;
    } rows[] = {{1e4, 1001, T1, 0, 30},
                {1e4, 1001, T2, 1, 30},
                {1e4, 1001, T3, 0, 30},
                {1e4, 1001, T3, 2, 12},
                {1e3, 101, T4, 0, 21}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.count);
        ExpectAgrees(Sample(r.fs, r.count, r.f, 0.08f, 0.1f), r.first, r.last);
    }
}

TEST(FourierEngine, WorkedNumbersOfTheTestSignals) {
    // T1: one cycle, the window starting one sample after the initial time.
    const SSamples s1 = Sample(1e4, 1001, T1, 0.08f, 0.1f);
    EXPECT_EQ(s1.period, (SBasePeriod{801, 1000}));
    const SHarmonics h1 = ComputeHarmonics(s1.x.data(), s1.period, 3);
    EXPECT_NEAR(h1.amplitude[1], 2.0, 5e-5);
    EXPECT_NEAR(h1.phase[1], 30.0, 5e-3);
    EXPECT_LT(std::max(h1.amplitude[2], h1.amplitude[3]), 1e-4);
    // T2: the same wave not shifted: 0.0001 s later is 1.8 degrees more.
    const SSamples s2 = Sample(1e4, 1001, T2, 0.08f, 0.1f);
    EXPECT_NEAR(ComputeHarmonics(s2.x.data(), s2.period, 1).phase[1], 31.8, 5e-3);
    // T3: mean and harmonics; THD sqrt(0.8^2 + 2^2 + 1 + 0.5^2) / 10.
    const SSamples s3 = Sample(1e4, 1001, T3, 0.08f, 0.1f);
    const SHarmonics h3 = ComputeHarmonics(s3.x.data(), s3.period, 30);
    const double amps[] = {1.5, 10, 0.8, 2, 0, 1, 0, 0.5},
                 phases[] = {0, 0, 90, -45, 0, 120, 0, 180};
    for (int k = 1; k <= 7; ++k) {
        EXPECT_NEAR(h3.amplitude[k], amps[k], 1e-4) << k;
        if (amps[k] > 0) {
            EXPECT_LT(PhaseGap(h3.phase[k], phases[k]), 5e-3) << k;
        }
    }
    EXPECT_NEAR(h3.mean, 1.5, 1e-5);
    EXPECT_NEAR(ComputeTHD(h3, 0, 30), 24.2693, 1e-3);
    // T6: from order 2 on the THD still divides by order 1; from 3 on it leaves order 2 out.
    EXPECT_NEAR(ComputeTHD(h3, 2, 30), 24.2693, 1e-3);
    EXPECT_NEAR(ComputeTHD(h3, 3, 30), 100 * std::sqrt(5.25) / 10, 1e-3);
    // 20 samples a cycle resolve orders 1 ... 9. Above, order 20 - h would repeat order h
    // and order 20 would read twice the mean: none has a value or enters the THD, which
    // is 0.05 / 0.1. numpy's rfft of the same float samples: 50.00027 % over orders 2 ... 9,
    // 64.03 % with order 10.
    const SSamples s4 = Sample(1e3, 101, Recorder, 0.08f, 0.1f);
    EXPECT_EQ(s4.period, (SBasePeriod{81, 100}));
    const SHarmonics h4 = ComputeHarmonics(s4.x.data(), s4.period, 30);
    EXPECT_NEAR(h4.mean, 40, 1e-5);
    EXPECT_NEAR(h4.amplitude[1], 0.1, 2e-5);
    EXPECT_NEAR(h4.phase[1], 30, 0.02);
    EXPECT_NEAR(h4.amplitude[3], 0.05, 2e-5);
    EXPECT_NEAR(h4.phase[3], -45, 0.05);
    for (int k = 10; k <= 30; ++k)
        EXPECT_EQ(h4.amplitude[k], 0.0f) << k;
    std::vector<float> d4;
    DisplayedAmplitudes(h4, 0, 30, fuPeak, d4);
    EXPECT_EQ(d4[20], 0.0f);
    EXPECT_NEAR(ComputeTHD(h4, 0, 30), 50.00027, 5e-3);
}

TEST(FourierEngine, SilenceHasNoThdAndNoReference) {
    const SSamples s = Sample(
        1e4, 1001, [](double) { return 0.0; }, 0.08f, 0.1f);
    const SHarmonics h = ComputeHarmonics(s.x.data(), s.period, 30);
    for (int k = 1; k <= 30; ++k) {
        EXPECT_EQ(h.amplitude[k], 0.0f);
        EXPECT_FLOAT_EQ(h.phase[k], 90.0f); // the angle of (0, 0)
    }
    EXPECT_EQ(ComputeTHD(h, 0, 30), -1.0f);
    std::vector<float> d;
    EXPECT_FALSE(DisplayedAmplitudes(h, 0, 30, fuRmsPerHarm0, d));
    EXPECT_FALSE(DisplayedAmplitudes(h, 0, 30, fuPuOfHarm1, d));
    for (float v : d)
        EXPECT_TRUE(std::isfinite(v));
}

TEST(FourierEngine, DialogTimesAreHeldWithinTheData) {
    // Accepted within the tolerance, these times would end past the last sample (0 ... 10 s
    // at 10 kHz) or start before the first (1.0 ... 1.1 s at 100 kHz).
    const SSamples a = Sample(
        1e4, 100001, [](double) { return 0.0; }, 0, 1);
    EXPECT_EQ(PeriodFromDialog(0, a.t.back(), 100001, 10000, 9.98, 10.0009).end, 100000);
    std::vector<float> t(10001);
    for (int k = 0; k <= 10000; ++k)
        t[k] = static_cast<float>(1.0 + k / 1e5);
    const float sps = SamplesPerSecond(t.data(), 10001);
    EXPECT_EQ(PeriodFromDialog(t[0], t.back(), 10001, sps, 0.9999, 1.05).start, 1);
    // Inside the data both ends agree with the other formula (the worked example).
    EXPECT_EQ(PeriodFromDialog(0, 0.1f, 1001, 10000, 0.08, 0.1), (SBasePeriod{801, 1000}));
    const float flat[] = {2, 2, 2};
    EXPECT_EQ(SamplesPerSecond(flat, 3), 0.0f);
}

TEST(FourierEngine, UnitLetterFromTheVariableName) {
    const std::pair<const char*, int> rows[] = {{"v:B", 'V'}, {"c:B", 'A'},  {"i:X", 'A'},
                                                {"1:Y", 'A'}, {"a:A", 0xB0}, {"e:W", 'J'},
                                                {"p:P", 'W'}, {"t", 0},      {"", 0}};
    for (const auto& [name, unit] : rows)
        EXPECT_EQ(FourierUnitChar(name), unit) << name;
}
