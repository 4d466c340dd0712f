#pragma once
// Made-up plots for the plot window's tests: snapshots built as the main window builds
// them, and the program's windows with the test kit.

#include "AppTestKit.h"
#include "PlotSnapshot.h"
#include "PlotWinFF.h"

#include "Canvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

struct SMadeFile {
    std::vector<float> x;
    std::vector<std::vector<float>> y;
    std::string name;
};

inline std::vector<float> Samples(int n, double from, double to) {
    std::vector<float> v(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        v[static_cast<std::size_t>(i)] = static_cast<float>(from + (to - from) * i / (n - 1));
    return v;
}

template <class F> std::vector<float> Of(const std::vector<float>& x, F f) {
    std::vector<float> v(x.size());
    for (std::size_t i = 0; i < x.size(); ++i)
        v[i] = static_cast<float>(f(double(x[i])));
    return v;
}

// One snapshot; curves take the colours in order, all on the left axis unless `axes` says.
inline PlotSnapshotPtr MakeSnapshot(std::vector<SMadeFile> files, std::vector<TColor> colours,
                                    bool xIsTime = true, std::vector<int> axes = {}) {
    auto s = std::make_shared<SPlotSnapshot>();
    s->nFiles = static_cast<int>(files.size());
    int curve = 0;
    for (std::size_t f = 0; f < files.size(); ++f) {
        SMadeFile& m = files[f];
        const int n = static_cast<int>(m.x.size()), rows = static_cast<int>(m.y.size());
        s->slot[f] = static_cast<int>(f);
        s->nPoints[f] = n;
        s->nCurves[f] = rows;
        s->xFromFile[f] = false;
        s->xData[f] = m.x;
        s->yData[f] = FMatrix(rows, n);
        s->legendNames[f] = m.name;
        for (int r = 0; r < rows; ++r, ++curve) {
            std::copy(m.y[r].begin(), m.y[r].end(), s->yData[f][static_cast<std::size_t>(r)]);
            const auto c = static_cast<std::size_t>(curve);
            const int axis = c < axes.size() ? axes[c] : 0;
            s->curves[c] = {colours[c], static_cast<std::uint8_t>(axis), 'V'};
            s->varNames[c] = "v:CURVE" + std::to_string(curve + 1);
            s->factors[c] = 1;
            s->offsets[c] = 0;
        }
    }
    s->totalCurves = curve;
    s->varNames[static_cast<std::size_t>(curve)] = "t";
    s->factors[static_cast<std::size_t>(curve)] = 1;
    s->xParam = {xIsTime, 's', 0};
    s->BindPointers();
    return s;
}

constexpr TColor kRed = RGB(220, 0, 0), kGreen = RGB(0, 150, 0), kBlue = RGB(0, 0, 230);

// 50 Hz over 0.1 s in 1001 samples.
inline SMadeFile SineFile(std::string name, std::vector<double> amplitudes) {
    SMadeFile f;
    f.x = Samples(1001, 0, 0.1);
    for (double a : amplitudes)
        f.y.push_back(
            Of(f.x, [a](double t) { return a * std::sin(2 * 3.14159265358979 * 50 * t); }));
    f.name = std::move(name);
    return f;
}

// The program's windows, with the plot window at hand.
class PlotWinFixture : public ::testing::Test {
protected:
    AppTestKit kit;
    CurvixUnderTest program;
    TPlotWinForm& win = *program.w.PlotWin;

    void Show(PlotSnapshotPtr s, std::uint8_t kind = 0) {
        win.SetCurveData(s);
        win.PlotKind = kind;
        win.SetLegendData(s);
        win.Show();
        win.ShowCurves(false);
    }
    TColor Pixel(int x, int y) { return win.MyChart.Canvas().GetPixel(x, y); }
    int Count(TColor c) {
        int n = 0;
        for (int y = 0; y < win.MyChart.Height(); ++y)
            for (int x = 0; x < win.MyChart.Width(); ++x)
                n += Pixel(x, y) == c ? 1 : 0;
        return n;
    }
    // Rows of one colour in a column of the chart.
    std::vector<int> RowsIn(int column, TColor c) {
        std::vector<int> rows;
        for (int y = 0; y < win.MyChart.Height(); ++y)
            if (Pixel(column, y) == c) rows.push_back(y);
        return rows;
    }
};
