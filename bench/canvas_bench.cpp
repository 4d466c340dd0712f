// Drawing cost of the chart's plot pass: one million connected segments
// (LineTo and Polyline) and one million single pixels, on the image back end and
// into a metafile. The "per_call" counter is the time of one call.
#include "Bitmap.h"
#include "Metafile.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <vector>

namespace {
constexpr int kCalls = 1'000'000;
constexpr int kWidth = 1000, kHeight = 700;

// A dense noisy curve swept across the plot: mostly short segments.
const std::vector<TPoint>& Curve() {
    static const std::vector<TPoint> points = [] {
        std::vector<TPoint> p(kCalls + 1);
        unsigned seed = 12345;
        for (int i = 0; i <= kCalls; ++i) {
            seed = seed * 1103515245u + 12345u;
            const double noise = double((seed >> 16) % 41) - 20.0;
            const int x = (i / 10) % kWidth;
            p[i] = {x, int(350 + 250 * std::sin(i * 0.0007) + noise)};
        }
        return p;
    }();
    return points;
}

void PerCall(benchmark::State& state) {
    state.counters["per_call"] =
        benchmark::Counter(double(kCalls), benchmark::Counter::kIsIterationInvariantRate |
                                               benchmark::Counter::kInvert);
}

void ImageLineTo(benchmark::State& state) {
    const auto& pts = Curve();
    TBitmap bitmap(kWidth, kHeight);
    TCanvas& c = bitmap.Canvas();
    for (auto _ : state) {
        c.MoveTo(pts[0].x, pts[0].y);
        for (int i = 1; i <= kCalls; ++i)
            c.LineTo(pts[i].x, pts[i].y);
        bitmap.Flush();
    }
    PerCall(state);
}

void ImagePolyline(benchmark::State& state) {
    const auto& pts = Curve();
    TBitmap bitmap(kWidth, kHeight);
    for (auto _ : state) {
        bitmap.Canvas().Polyline(pts);
        bitmap.Flush();
    }
    PerCall(state);
}

void ImagePixels(benchmark::State& state) {
    const auto& pts = Curve();
    TBitmap bitmap(kWidth, kHeight);
    TCanvas& c = bitmap.Canvas();
    for (auto _ : state) {
        for (int i = 0; i < kCalls; ++i)
            c.SetPixel(pts[i].x, pts[i].y, clBlue);
        bitmap.Flush();
    }
    PerCall(state);
}

// Each pass records into a fresh metafile, as every Save and Copy does.
template <class Draw> void IntoMetafile(benchmark::State& state, Draw draw) {
    const auto& pts = Curve();
    for (auto _ : state) {
        TMetafile mf;
        mf.SetWidth(kWidth);
        mf.SetHeight(kHeight);
        {
            TMetafileCanvas c(mf);
            draw(c, pts);
        }
        benchmark::DoNotOptimize(mf.Data().data());
    }
    PerCall(state);
}

void MetafileLineTo(benchmark::State& state) {
    IntoMetafile(state, [](TCanvas& c, const std::vector<TPoint>& pts) {
        c.MoveTo(pts[0].x, pts[0].y);
        for (int i = 1; i <= kCalls; ++i)
            c.LineTo(pts[i].x, pts[i].y);
    });
}

void MetafilePolyline(benchmark::State& state) {
    IntoMetafile(state, [](TCanvas& c, const std::vector<TPoint>& pts) { c.Polyline(pts); });
}

void MetafilePixels(benchmark::State& state) {
    IntoMetafile(state, [](TCanvas& c, const std::vector<TPoint>& pts) {
        for (int i = 0; i < kCalls; ++i)
            c.SetPixel(pts[i].x, pts[i].y, clBlue);
    });
}
} // namespace

BENCHMARK(ImageLineTo)->Unit(benchmark::kMillisecond);
BENCHMARK(ImagePolyline)->Unit(benchmark::kMillisecond);
BENCHMARK(ImagePixels)->Unit(benchmark::kMillisecond);
BENCHMARK(MetafileLineTo)->Unit(benchmark::kMillisecond);
BENCHMARK(MetafilePolyline)->Unit(benchmark::kMillisecond);
BENCHMARK(MetafilePixels)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    // No display is needed to draw into images and metafiles.
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv); // fonts and images need it
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
