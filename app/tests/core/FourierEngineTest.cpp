// The harmonic engine against an independent transform: a long-double DFT with the exact
// pi in this file, and numpy's FFT in a separate process, on the signals T1 to T6.
#include "FourierEngine.h"
#include "MissingTool.h"
#include "ScratchFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr long double kPi = 3.141592653589793238462643383279502884L;
constexpr double kDeg = 3.14159265358979323846 / 180;

struct SSignal {
    std::vector<float> t, x;
};

// Samples as float at t_k = k / fs.
SSignal Sample(double fs, int count, const std::function<double(double)>& f) {
    SSignal s;
    for (int k = 0; k < count; ++k) {
        s.t.push_back(static_cast<float>(k / fs));
        s.x.push_back(static_cast<float>(f(k / fs)));
    }
    return s;
}

// The reference: amplitude 2|X_h|/N and the phase of a sine, atan2(Re X, -Im X), degrees.
struct SRef {
    std::vector<double> amplitude, phase;
    double mean = 0;
};
SRef Reference(const std::vector<float>& x, SBasePeriod p, int last) {
    SRef r;
    const long double n = static_cast<long double>(p.Count());
    for (int h = 0; h <= last; ++h) {
        long double re = 0, im = 0;
        for (std::int64_t j = 0; j < p.Count(); ++j) {
            const long double a = 2 * kPi * h * j / n;
            re += x[static_cast<std::size_t>(p.start + j)] * std::cos(a);
            im -= x[static_cast<std::size_t>(p.start + j)] * std::sin(a);
        }
        r.amplitude.push_back(static_cast<double>(2 * std::sqrt(re * re + im * im) / n));
        r.phase.push_back(static_cast<double>(std::atan2(re, -im) * 180 / kPi));
        if (h == 0) r.mean = static_cast<double>(re / n);
    }
    return r;
}

double PhaseGap(double a, double b) {
    const double d = std::fmod(std::fabs(a - b), 360.0);
    return std::min(d, 360 - d);
}

// Every displayed amplitude (all four units) and phase against the reference.
void ExpectAgrees(const SSignal& s, SBasePeriod p, int first, int last) {
    const SHarmonics h = ComputeHarmonics(s.x.data(), p, last);
    const SRef r = Reference(s.x, p, last);
    double maxA = 0;
    for (int k = 1; k <= last; ++k)
        maxA = std::max(maxA, r.amplitude[k]);
    const double a1 = r.amplitude[1], m = r.mean;
    for (int u = 0; u < 4; ++u) {
        std::vector<float> d;
        const bool refOk = DisplayedAmplitudes(h, first, last, u, d);
        int unit = u;
        ASSERT_EQ(refOk, !(u == 2 && m == 0) && !(u == 3 && a1 == 0));
        if (!refOk) unit = 0; // a zero reference keeps the peak values
        const double scale[] = {1, 1 / std::sqrt(2.0), 1 / std::sqrt(2.0) / std::fabs(m), 1 / a1};
        for (int k = std::max(first, 1); k <= last; ++k) {
            const double want = r.amplitude[k] * scale[unit];
            EXPECT_NEAR(d[k], want, 1e-5 * std::fabs(want) + 1e-5 * maxA * scale[unit])
                << "unit " << unit << " order " << k;
        }
        if (first == 0) {
            const double want0[] = {m, m, 1, std::fabs(m / a1)};
            EXPECT_NEAR(d[0], want0[unit], 1e-5 * std::fabs(want0[unit]) + 1e-6) << unit;
        }
    }
    EXPECT_NEAR(h.mean, m, 1e-6 + 1e-6 * std::fabs(m));
    for (int k = 1; k <= last; ++k)
        if (r.amplitude[k] > 1e-3 * maxA) {
            EXPECT_LT(PhaseGap(h.phase[k], r.phase[k]), 1e-3) << k;
        }
}

// T3: theta = 2 pi 50 (t - 0.0801), mean, fundamental and four harmonics.
double T3(double t) {
    const double th = 2 * M_PI * 50 * (t - 0.0801);
    return 1.5 + 10 * std::sin(th) + 0.8 * std::cos(2 * th) + 2 * std::sin(3 * th - 45 * kDeg) +
           std::sin(5 * th + 120 * kDeg) + 0.5 * std::sin(7 * th + 180 * kDeg);
}

SBasePeriod TenKilohertzPeriod(const SSignal& s) {
    return PeriodFromTimes(s.t[0], SamplesPerSecond(s.t.data(), int(s.t.size())), 0.08f, 0.1f);
}

} // namespace

TEST(FourierEngine, WorkedExampleOneCycleAtTenKilohertz) {
    // T1: 2 sin(2 pi 50 (t - t_s) + 30 deg), with t_s the time of sample start.
    const SSignal s =
        Sample(1e4, 1001, [](double t) { return 2 * std::sin(2 * M_PI * 50 * (t - 0.0801) + 30 * kDeg); });
    const float sps = SamplesPerSecond(s.t.data(), 1001);
    EXPECT_EQ(sps, 10000.0f);
    const SBasePeriod p = PeriodFromTimes(s.t[0], sps, 0.08f, 0.1f);
    EXPECT_EQ(p, (SBasePeriod{801, 1000}));
    EXPECT_EQ(p.Count(), 200);
    const SHarmonics h = ComputeHarmonics(s.x.data(), p, 30);
    EXPECT_NEAR(h.amplitude[1], 2.0, 5e-5);
    EXPECT_NEAR(h.phase[1], 30.0, 5e-3);
    EXPECT_LT(h.amplitude[2], 1e-4);
    EXPECT_LT(h.amplitude[3], 1e-4);
    ExpectAgrees(s, p, 0, 30);
}

TEST(FourierEngine, TheWindowStartsOneSampleAfterTheInitialTime) {
    // T2: without the shift the phase grows by 360 * 50 * 0.0001 = 1.8 degrees.
    const SSignal s = Sample(1e4, 1001, [](double t) { return 2 * std::sin(2 * M_PI * 50 * t + 30 * kDeg); });
    const SBasePeriod p = TenKilohertzPeriod(s);
    const SHarmonics h = ComputeHarmonics(s.x.data(), p, 3);
    EXPECT_NEAR(h.phase[1], 31.8, 5e-3);
}

TEST(FourierEngine, HarmonicMixInEveryUnitWithThd) {
    const SSignal s = Sample(1e4, 1001, T3);
    const SBasePeriod p = TenKilohertzPeriod(s);
    const SHarmonics h = ComputeHarmonics(s.x.data(), p, 30);
    const struct {
        int order;
        double amplitude, phase;
    } rows[] = {{1, 10, 0}, {2, 0.8, 90}, {3, 2, -45}, {5, 1, 120}, {7, 0.5, 180}};
    for (const auto& r : rows) {
        EXPECT_NEAR(h.amplitude[r.order], r.amplitude, 1e-4) << r.order;
        EXPECT_LT(PhaseGap(h.phase[r.order], r.phase), 5e-3) << r.order;
    }
    EXPECT_LT(h.amplitude[4], 1e-4);
    EXPECT_LT(h.amplitude[6], 1e-4);
    EXPECT_NEAR(h.mean, 1.5, 1e-5);
    EXPECT_NEAR(h.order1, 10, 1e-4);
    // sqrt(0.8^2 + 2^2 + 1 + 0.5^2) / 10, whatever the unit.
    EXPECT_NEAR(ComputeTHD(h, 0, 30), 24.2693, 1e-3);
    std::vector<float> d;
    ASSERT_TRUE(DisplayedAmplitudes(h, 0, 30, fuRms, d));
    EXPECT_NEAR(d[1], 7.0711, 1e-4);
    EXPECT_NEAR(d[0], 1.5, 1e-5); // the mean, unscaled
    ASSERT_TRUE(DisplayedAmplitudes(h, 0, 30, fuRmsPerHarm0, d));
    EXPECT_NEAR(d[1], 4.7140, 1e-4);
    EXPECT_EQ(d[0], 1.0f);
    ASSERT_TRUE(DisplayedAmplitudes(h, 0, 30, fuPuOfHarm1, d));
    EXPECT_NEAR(d[0], 0.15, 1e-6);
    EXPECT_NEAR(d[3], 0.2, 1e-5);
    ExpectAgrees(s, p, 0, 30);
    ExpectAgrees(s, p, 1, 12);
}

TEST(FourierEngine, OrdersBeyondHalfTheSamplesMirrorTheKernelSign) {
    // T4: 20 samples per period; orders 19 and 21 alias order 1.
    const SSignal s = Sample(1e3, 101, [](double t) { return std::sin(2 * M_PI * 50 * (t - 0.081) + 30 * kDeg); });
    const SBasePeriod p = PeriodFromTimes(s.t[0], SamplesPerSecond(s.t.data(), 101), 0.08f, 0.1f);
    EXPECT_EQ(p, (SBasePeriod{81, 100}));
    const SHarmonics h = ComputeHarmonics(s.x.data(), p, 21);
    EXPECT_NEAR(h.amplitude[1], 1, 1e-5);
    EXPECT_NEAR(h.phase[1], 30, 1e-3);
    EXPECT_NEAR(h.amplitude[19], 1, 1e-5);
    EXPECT_NEAR(h.phase[19], 150, 1e-3);
    EXPECT_NEAR(h.amplitude[21], 1, 1e-5);
    EXPECT_NEAR(h.phase[21], 30, 1e-3);
    EXPECT_LT(h.amplitude[20], 1e-5);
    ExpectAgrees(s, p, 0, 21);
}

TEST(FourierEngine, SilenceAndConstants) {
    // T5. Silence: no amplitude, phases of (0, 0) are 90 degrees, THD undefined, and the
    // relative units have no reference and fall back to peak values.
    const SSignal zero = Sample(1e4, 1001, [](double) { return 0.0; });
    const SBasePeriod p = TenKilohertzPeriod(zero);
    const SHarmonics h = ComputeHarmonics(zero.x.data(), p, 30);
    for (int k = 1; k <= 30; ++k) {
        EXPECT_EQ(h.amplitude[k], 0.0f);
        EXPECT_FLOAT_EQ(h.phase[k], 90.0f);
    }
    EXPECT_EQ(ComputeTHD(h, 0, 30), -1.0f);
    std::vector<float> d;
    EXPECT_FALSE(DisplayedAmplitudes(h, 0, 30, fuRmsPerHarm0, d));
    EXPECT_FALSE(DisplayedAmplitudes(h, 0, 30, fuPuOfHarm1, d));
    for (float v : d)
        EXPECT_TRUE(std::isfinite(v));

    const SSignal three = Sample(1e4, 1001, [](double) { return 3.0; });
    const SHarmonics c = ComputeHarmonics(three.x.data(), p, 30);
    EXPECT_FLOAT_EQ(c.amplitude[0], 3.0f);
    EXPECT_LT(c.order1, 1e-5);
    EXPECT_TRUE(DisplayedAmplitudes(c, 0, 30, fuRmsPerHarm0, d));
    EXPECT_NEAR(d[0], 1, 0);
}

TEST(FourierEngine, ThdFromOrderTwoUsesTheOrderOneAmplitude) {
    // T6: with the first order at 2 the THD still divides by order 1 (10), in every unit.
    const SSignal s = Sample(1e4, 1001, T3);
    const SHarmonics h = ComputeHarmonics(s.x.data(), TenKilohertzPeriod(s), 30);
    EXPECT_NEAR(h.order1, 10, 1e-4);
    EXPECT_NEAR(ComputeTHD(h, 2, 30), 24.2693, 1e-3);
    EXPECT_NEAR(ComputeTHD(h, 3, 30), 100 * std::sqrt(4 + 1 + 0.25) / 10, 1e-3);
}

TEST(FourierEngine, AgreesWithNumpy) {
    if (std::system("/usr/bin/python3 -c 'import numpy' 2>/dev/null") != 0)
        CURVIX_SKIP_OR_FAIL() << "numpy under /usr/bin/python3";
    const SSignal s = Sample(1e4, 1001, T3);
    const SBasePeriod p = TenKilohertzPeriod(s);
    testsupport::ScratchDir dir;
    const std::string samples = dir.file("x.txt");
    {
        std::ofstream out(samples);
        out.precision(9);
        for (std::int64_t k = p.start; k <= p.end; ++k)
            out << s.x[static_cast<std::size_t>(k)] << "\n";
    }
    const std::string cmd =
        "/usr/bin/python3 -c \"import numpy as np,sys; x=np.loadtxt(sys.argv[1]); X=np.fft.fft(x);"
        " N=len(x); [print(2*abs(X[h])/N, np.degrees(np.arctan2(X[h].real,-X[h].imag)), "
        "X[0].real/N) for h in range(31)]\" " +
        samples;
    FILE* pipe = ::popen(cmd.c_str(), "r");
    ASSERT_NE(pipe, nullptr) << "python3 could not be started";
    std::string text;
    char buffer[4096];
    while (std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe))
        text.append(buffer, got);
    ASSERT_EQ(::pclose(pipe), 0) << "numpy under /usr/bin/python3 is needed: " << text;
    const SHarmonics h = ComputeHarmonics(s.x.data(), p, 30);
    std::istringstream in(text);
    for (int k = 0; k <= 30; ++k) {
        double a = 0, ph = 0, mean = 0;
        ASSERT_TRUE(in >> a >> ph >> mean) << "order " << k;
        if (k == 0) {
            EXPECT_NEAR(h.mean, mean, 1e-6);
            continue;
        }
        EXPECT_NEAR(h.amplitude[k], a, 1e-5 * a + 1e-4) << k;
        if (a > 1e-2) {
            EXPECT_LT(PhaseGap(h.phase[k], ph), 1e-3) << k;
        }
    }
}

TEST(FourierEngine, PhaseAngleCoversTheCircle) {
    const struct {
        double x, y, degrees;
    } rows[] = {{0, 0, 90}, {0, -1, -90}, {1, 0, 0}, {-1, 0, 180}, {-1, -1, -135}, {1, 1, 45}};
    for (const auto& r : rows)
        EXPECT_NEAR(PhaseAngle(r.x, r.y) * 180 / 3.141592654, r.degrees, 1e-7) << r.x << "," << r.y;
}

TEST(FourierEngine, DialogTimesAreHeldWithinTheData) {
    // Accepted within the tolerance, the times would end past the last sample (t = 0 ... 10 s
    // at 10 kHz) or before the first (t = 1.0 ... 1.1 s at 100 kHz).
    const SSignal long_ = Sample(1e4, 100001, [](double) { return 0.0; });
    const float sps = SamplesPerSecond(long_.t.data(), 100001);
    const SBasePeriod end = PeriodFromDialog(0, long_.t.back(), 100001, sps, 9.98, 10.0009);
    EXPECT_EQ(end.end, 100000);
    std::vector<float> t(10001);
    for (int k = 0; k <= 10000; ++k)
        t[k] = static_cast<float>(1.0 + k / 1e5);
    const float sps2 = SamplesPerSecond(t.data(), 10001);
    const SBasePeriod start = PeriodFromDialog(t[0], t.back(), 10001, sps2, 0.9999, 1.05);
    EXPECT_EQ(start.start, 1);
    // Inside the data the two forms of the end agree (the worked example).
    const SSignal s = Sample(1e4, 1001, [](double) { return 0.0; });
    EXPECT_EQ(PeriodFromDialog(0, s.t.back(), 1001, 10000, 0.08, 0.1), (SBasePeriod{801, 1000}));
    EXPECT_EQ(SamplesPerSecond(t.data(), 1), 0.0f);
    const float flat[] = {2, 2, 2};
    EXPECT_EQ(SamplesPerSecond(flat, 3), 0.0f);
}

TEST(FourierEngine, UnitLetterFromTheVariableName) {
    const struct {
        const char* name;
        std::uint8_t unit;
    } rows[] = {{"v:BUS1", 'V'}, {"c:BR1", 'A'}, {"i:X", 'A'}, {"1:Y", 'A'}, {"a:ANG", 0xB0},
                {"e:W", 'J'},    {"p:P", 'W'},   {"t", 0},      {"", 0}};
    for (const auto& r : rows)
        EXPECT_EQ(FourierUnitChar(r.name), r.unit) << r.name;
}
