#include "FourierEngine.h"

#include "PlotData.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <numeric>

double PhaseAngle(double x, double y) {
    constexpr double pi = 3.141592654; // this routine's own constant
    double a;
    if (x == 0) {
        a = y >= 0 ? pi / 2 : 3 * pi / 2;
    } else {
        a = std::atan(y / x);
        if (x < 0) a += pi;
    }
    if (a > pi) a -= 2 * pi;
    return a;
}

float SamplesPerSecond(const float* t, int n) {
    if (n < 2 || !(t[n - 1] > t[0])) return 0;
    const float span = t[n - 1] - t[0];
    const float sps = static_cast<float>(n - 1) / span;
    return std::isfinite(sps) ? sps : 0;
}

namespace {
// Conversions truncate toward zero after adding 0.5.
std::int64_t Nearest(double samples) {
    return static_cast<std::int64_t>(samples + 0.5);
}
} // namespace

SBasePeriod PeriodFromTimes(float t0, float sps, double ts, double te) {
    SBasePeriod p;
    p.start = Nearest((ts - t0) * sps) + 1;
    p.end = Nearest((te - t0) * sps);
    return p;
}

double ClampTime(double t, float tFirst, float tLast) {
    return std::clamp(t, static_cast<double>(tFirst), static_cast<double>(tLast));
}

SBasePeriod PeriodFromDialog(float tFirst, float tLast, int n, float sps, double ti, double tf) {
    ti = ClampTime(ti, tFirst, tLast);
    tf = ClampTime(tf, tFirst, tLast);
    SBasePeriod p;
    p.start = Nearest((ti - tFirst) * sps) + 1;
    p.end = (n - 1) - Nearest((tLast - tf) * sps);
    return p;
}

int HighestResolvedOrder(std::int64_t samples) {
    return static_cast<int>(std::clamp<std::int64_t>((samples - 1) / 2, 0, INT_MAX));
}

std::string ResolvedOrdersText(std::int64_t samples) {
    return std::to_string(samples) + " samples resolve orders up to " +
           std::to_string(HighestResolvedOrder(samples));
}

SHarmonics ComputeHarmonics(const float* x, SBasePeriod period, int last) {
    SHarmonics h;
    const auto size = static_cast<std::size_t>(last) + 1;
    h.last = last;
    h.number.resize(size);
    std::iota(h.number.begin(), h.number.end(), 0.0f);
    h.amplitude.assign(size, 0);
    h.phase.assign(size, 0);
    const std::int64_t n = period.Count();
    h.resolved = std::min(last, HighestResolvedOrder(n));
    const float* s = x + period.start;
    const double w = 2 * kFourierPi / static_cast<double>(n);
    for (int k = 1; k <= h.resolved; ++k) {
        const double wk = w * k;
        double re = 0, im = 0;
        for (std::int64_t j = 0; j < n; ++j) {
            const double angle = wk * static_cast<double>(j);
            re += s[j] * std::cos(angle);
            im -= s[j] * std::sin(angle);
        }
        const double a = 2 * re / static_cast<double>(n), b = 2 * im / static_cast<double>(n);
        const auto i = static_cast<std::size_t>(k);
        h.amplitude[i] = static_cast<float>(std::sqrt(a * a + b * b));
        h.phase[i] = static_cast<float>(PhaseAngle(-im, re) * kDegreesPerRadian);
    }
    double sum = 0;
    for (std::int64_t j = 0; j < n; ++j)
        sum += s[j];
    h.mean = static_cast<float>(sum / static_cast<double>(n));
    h.amplitude[0] = h.mean;
    h.order1 = h.resolved >= 1 ? h.amplitude[1] : 0;
    return h;
}

const std::string& FourierUnitText(int unit) {
    static const std::array<std::string, 4> texts{"peak", "rms", "|rms / harm. 0|",
                                                  "|pu of harm. 1|"};
    return texts[static_cast<std::size_t>(std::clamp(unit, 0, 3))];
}

bool DisplayedAmplitudes(const SHarmonics& h, int first, int last, int unit,
                         std::vector<float>& displayed) {
    displayed.assign(static_cast<std::size_t>(last) + 1, 0);
    const float* a = h.amplitude.data();
    bool referenceOk = true;
    if (unit == fuRmsPerHarm0 && h.mean == 0) referenceOk = false;
    if (unit == fuPuOfHarm1 && h.order1 == 0) referenceOk = false;
    if (!referenceOk) unit = fuPeak;
    for (int k = std::max(first, 1); k <= std::min(last, h.resolved); ++k) {
        const auto i = static_cast<std::size_t>(k);
        switch (unit) {
        case fuRms:
            displayed[i] = a[i] * 0.7071068f;
            break;
        case fuRmsPerHarm0:
            displayed[i] = static_cast<float>(a[i] * 0.7071068123730965 / std::fabs(h.mean));
            break;
        case fuPuOfHarm1:
            displayed[i] = a[i] / std::fabs(h.order1);
            break;
        default:
            displayed[i] = a[i];
            break;
        }
    }
    if (first == 0) {
        switch (unit) {
        case fuRmsPerHarm0:
            displayed[0] = 1;
            break;
        case fuPuOfHarm1:
            displayed[0] = std::fabs(h.mean / h.order1);
            break;
        default:
            displayed[0] = h.mean;
            break;
        }
    }
    return referenceOk;
}

float ComputeTHD(const SHarmonics& h, int first, int last) {
    if (h.order1 == 0) return -1;
    float sum = 0;
    for (int k = std::max(first, 2); k <= std::min(last, h.resolved); ++k) {
        const float a = h.amplitude[static_cast<std::size_t>(k)];
        sum += a * a;
    }
    return 100 * (std::sqrt(sum) / h.order1);
}

std::uint8_t FourierUnitChar(const std::string& variableName) {
    // The plot's unit letter, except that a name starting with '1' is a current here too.
    if (!variableName.empty() && variableName[0] == '1') return 'A';
    return UnitOfName(variableName);
}
