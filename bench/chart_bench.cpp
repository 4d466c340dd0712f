// A full plot pass of the chart control (scaling over every sample, layout,
// labels, filter, clipper and drawing) for one curve of 10 million points on
// a 1000 x 700 chart into its image, for a clean sine and a sine with noise.
// Prints milliseconds, the segment count and the ratio to one plain pass
// over the samples (reading every x and y once).
#include "LineChart.h"

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kPoints = 10'000'000;
constexpr int kRuns = 5;
using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// The cheapest thing any pass must do: touch every sample once.
double SamplePassMs(const std::vector<float>& x, const std::vector<float>& y) {
    double best = 1e300;
    for (int run = 0; run < kRuns; ++run) {
        const auto t0 = Clock::now();
        float lo = x[0], hi = y[0];
        for (int i = 0; i < kPoints; ++i) {
            lo = std::min(lo, x[i] + y[i]);
            hi = std::max(hi, x[i] - y[i]);
        }
        const double ms = Ms(Clock::now() - t0);
        volatile float sink = lo + hi;
        (void)sink;
        best = std::min(best, ms);
    }
    return best;
}

void Run(const char* name, const std::vector<float>& x, std::vector<float>& y, EPlotPenWidth pen) {
    TLineChart chart(nullptr);
    chart.PlotPenWidth = pen;
    chart.ShowMessage = [](const SChartMessage& m) {
        std::fprintf(stderr, "%s\n", m.text.c_str());
    };
    chart.Resize_(1000, 700);
    SCurveParam curve{0xFF8000, 0, 'V'};
    SXVarParam xv;
    xv.xIsTime = true;
    xv.unitChar = 's';
    float* rows[] = {y.data()};
    chart.GetData(false, 1, kPoints, xv, &curve, const_cast<float*>(x.data()), rows);

    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        const auto t0 = Clock::now();
        chart.Plot(true);
        times.push_back(Ms(Clock::now() - t0));
    }
    const double first = times.front();
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    const double pass = SamplePassMs(x, y);
    std::printf("%-12s %s first %8.1f ms  median %8.1f ms  best %8.1f ms  segments %8d  "
                "sample pass %6.1f ms  ratio %5.1f\n",
                name, pen == pwThin ? "1 px" : "auto", first, median, times.front(),
                chart.SegmentCount, pass, median / pass);
}

} // namespace

int main(int argc, char** argv) {
    // Any argument: one-pixel pens only.
    const bool onlyThin = argc > 1;
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);

    std::vector<float> x(kPoints), y(kPoints);
    // x in microseconds (exact in floats up to 2^24): 5 periods over 10 s,
    // smooth at the pixel scale.
    for (int i = 0; i < kPoints; ++i) {
        x[i] = float(i);
        y[i] = float(std::sin(2 * 3.14159265358979 * 5 * i / kPoints));
    }
    Run("clean sine", x, y, pwThin);
    if (!onlyThin) Run("clean sine", x, y, pwAuto);

    unsigned seed = 12345;
    for (int i = 0; i < kPoints; ++i) {
        seed = seed * 1103515245u + 12345u;
        y[i] += float(((seed >> 16) & 0x7FFF) / 32767.0 - 0.5) * 0.1f;
    }
    Run("noisy sine", x, y, pwThin);
    if (!onlyThin) Run("noisy sine", x, y, pwAuto);
    return 0;
}
