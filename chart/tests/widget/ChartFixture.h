#pragma once
// A chart on the image back end with one file of data, a message recorder
// instead of message boxes, and pixel queries on the picture.

#include "LineChart.h"

#include "Canvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

constexpr TColor kCurve = RGB(0, 128, 255); // used by nothing else on the chart

class ChartFixture : public ::testing::Test {
protected:
    TLineChart chart{nullptr};
    std::vector<std::string> messages;
    std::vector<float> x;
    std::vector<std::vector<float>> ys;
    std::vector<float*> yRows;
    std::vector<SCurveParam> curves;

    ChartFixture() {
        chart.ShowMessage = [this](const SChartMessage& m) { messages.push_back(m.text); };
    }

    // One file, equally spaced unless said otherwise, x as time.
    void Load(std::vector<float> xs, std::vector<std::vector<float>> curveYs, bool unequal = false,
              bool xIsTime = true) {
        x = std::move(xs);
        ys = std::move(curveYs);
        yRows.clear();
        curves.clear();
        for (auto& y : ys) {
            yRows.push_back(y.data());
            curves.push_back({kCurve, 0, 'V'});
        }
        SXVarParam xv;
        xv.xIsTime = xIsTime;
        xv.unitChar = 's';
        chart.GetData(unequal, int(ys.size()), int(x.size()), xv, curves.data(), x.data(),
                      yRows.data());
    }

    static std::vector<float> Range(int n, double from, double to) {
        std::vector<float> v(n);
        for (int i = 0; i < n; ++i)
            v[i] = float(from + (to - from) * i / (n - 1));
        return v;
    }
    template <class F> static std::vector<float> Map(const std::vector<float>& xs, F f) {
        std::vector<float> v(xs.size());
        for (std::size_t i = 0; i < xs.size(); ++i)
            v[i] = float(f(xs[i]));
        return v;
    }

    TColor Pixel(int px, int py) { return chart.Canvas().GetPixel(px, py); }
    // Pixels of one colour within [l, r] x [t, b] (inclusive).
    int Count(TColor c, int l, int t, int r, int b) {
        int n = 0;
        for (int py = t; py <= b; ++py)
            for (int px = l; px <= r; ++px)
                n += Pixel(px, py) == c ? 1 : 0;
        return n;
    }
    int CountAll(TColor c) { return Count(c, 0, 0, chart.Width() - 1, chart.Height() - 1); }
    // Pixels of one colour outside the plot rectangle (frame included in the plot).
    int CountOutsidePlot(TColor c) {
        const SPlotRect& p = chart.PlotRect;
        return CountAll(c) - Count(c, p.left, p.top, p.right, p.bottom);
    }
    // Rows of one colour in a column.
    std::vector<int> RowsIn(int column, TColor c) {
        std::vector<int> rows;
        for (int py = 0; py < chart.Height(); ++py)
            if (Pixel(column, py) == c) rows.push_back(py);
        return rows;
    }
    // The column a data x value maps to on a linear x axis.
    int ColumnOf(double xv) {
        const SPlotRect& p = chart.PlotRect;
        return int((xv - chart.Axes.x.lowerData) * chart.ScalePx[0] + p.left + 0.5);
    }
    int RowOf(double yv) {
        const SPlotRect& p = chart.PlotRect;
        return int(chart.Axes.yLeft.pixelLength -
                   (yv - chart.Axes.yLeft.lowerData) * chart.ScalePx[1] + p.top + 0.5);
    }
};
