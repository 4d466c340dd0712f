#pragma once
// The harmonic analysis of one curve over a base period: sample indices from times, the
// direct Fourier sum per order (phases of a sine, in degrees), the amplitude units and the
// total harmonic distortion. No window system; the Fourier window draws what this gives.

#include <cstdint>
#include <string>
#include <vector>

// The single-precision pi widened to double: the sums use it, not the exact pi.
inline constexpr double kFourierPi = 3.1415927410125732;
inline constexpr double kDegreesPerRadian = 180.0 / kFourierPi;

// Angle of the point (x, y) in radians, in (-pi, pi]; (0, 0) gives pi/2.
double PhaseAngle(double x, double y);

// (n - 1) / (t[n-1] - t[0]) in single precision; 0 when the times do not rise.
float SamplesPerSecond(const float* t, int n);

// The samples x[start] ... x[end], both included.
struct SBasePeriod {
    std::int64_t start = 0;
    std::int64_t end = -1;
    std::int64_t Count() const { return end - start + 1; }
    bool operator==(const SBasePeriod&) const = default;
};

// From the start and maximum time of the file: start is the sample after the one nearest
// ts, end the sample nearest te.
SBasePeriod PeriodFromTimes(float t0, float sps, double ts, double te);
// From the times typed in the options, measured back from the last sample for the end.
// The times are first held within the data, so start >= 1 and end <= n - 1.
SBasePeriod PeriodFromDialog(float tFirst, float tLast, int n, float sps, double ti, double tf);
// The typed times held within [tFirst, tLast].
double ClampTime(double t, float tFirst, float tLast);

// N samples resolve the orders below N / 2: above, order N - h repeats order h, order N
// sees the mean again, and order N / 2 of an even N sees only its cosine, twice over.
int HighestResolvedOrder(std::int64_t samples);
// "20 samples resolve orders up to 9", as the copy, the printout and the options tell it.
std::string ResolvedOrdersText(std::int64_t samples);

// Orders 1 ... last and the mean, always all of them, so no order shown is stale. Entry h
// of each array is order h; entry 0 holds the mean with phase 0. Orders the period does
// not resolve stay 0 and are neither shown nor counted.
struct SHarmonics {
    int last = -1;     // highest order asked for, -1 before the first transform
    int resolved = -1; // highest order with a value: min(last, HighestResolvedOrder(N))
    std::vector<float> number, amplitude, phase;
    float mean = 0;
    float order1 = 0; // peak amplitude of order 1
};
// Needs 0 <= start <= end < the sample count of x, and last >= 1.
SHarmonics ComputeHarmonics(const float* x, SBasePeriod period, int last);

enum EFourierUnit : int { fuPeak = 0, fuRms = 1, fuRmsPerHarm0 = 2, fuPuOfHarm1 = 3 };

// The item texts of the unit choice, by unit index.
const std::string& FourierUnitText(int unit);

// Displayed amplitudes of orders first ... last (the vector has last + 1 entries, 0 above
// the resolved orders). When the unit divides by a reference that is zero (the mean for
// unit 2, order 1 for unit 3) the peak values are given instead and the result is false.
bool DisplayedAmplitudes(const SHarmonics& h, int first, int last, int unit,
                         std::vector<float>& displayed);

// THD in percent over the resolved orders max(first, 2) ... last from the peak amplitudes
// (the ratio is the same in every unit); -1 when order 1 is zero.
float ComputeTHD(const SHarmonics& h, int first, int last);

// The curve's unit letter from the first letter of its variable name ("v:" volts, ...);
// 0 for none. The degree sign is the 8-bit code 0xB0.
std::uint8_t FourierUnitChar(const std::string& variableName);
