#pragma once
// Several files of data handed to a chart as the plot window hands them:
// per-file arrays kept alive by this holder.

#include "LineChart.h"

#include <string>
#include <vector>

struct MultiFile {
    struct File {
        std::vector<float> x;
        std::vector<std::vector<float>> y;
        bool unequal = false;
    };
    std::vector<File> files;
    std::vector<bool> unequalFlags;
    std::unique_ptr<bool[]> unequal;
    std::vector<int> nCurves, nPoints;
    std::vector<float*> xs;
    std::vector<std::vector<float*>> rows;
    std::vector<float**> ys;
    std::vector<SCurveParam> curves;
    // Legend data: names with the x variable last.
    std::vector<std::string> fileNames, varNames;
    std::vector<float> factors, offsets;

    void Add(std::vector<float> x, std::vector<std::vector<float>> y, bool unequalSpacing = false) {
        files.push_back({std::move(x), std::move(y), unequalSpacing});
    }

    // colors: one per curve in order; axes likewise (0 left, 1 right).
    void Give(TLineChart& chart, std::vector<TColor> colors, std::vector<int> axes = {}) {
        const std::size_t n = files.size();
        unequal = std::make_unique<bool[]>(n);
        nCurves.clear(), nPoints.clear(), xs.clear(), rows.clear(), ys.clear(), curves.clear();
        rows.resize(n);
        for (std::size_t f = 0; f < n; ++f) {
            unequal[f] = files[f].unequal;
            nCurves.push_back(int(files[f].y.size()));
            nPoints.push_back(int(files[f].x.size()));
            xs.push_back(files[f].x.data());
            for (auto& y : files[f].y)
                rows[f].push_back(y.data());
        }
        for (std::size_t f = 0; f < n; ++f)
            ys.push_back(rows[f].data());
        for (std::size_t j = 0; j < colors.size(); ++j)
            curves.push_back({colors[j], std::uint8_t(j < axes.size() ? axes[j] : 0), 'V'});
        SXVarParam xv;
        xv.xIsTime = true;
        xv.unitChar = 's';
        chart.GetData(int(n), unequal.get(), nCurves.data(), nPoints.data(), xv, curves.data(),
                      xs.data(), ys.data());
        fileNames.clear(), varNames.clear();
        for (std::size_t f = 0; f < n; ++f)
            fileNames.push_back("file" + std::to_string(f + 1) + ".adf");
        for (std::size_t j = 0; j < colors.size(); ++j)
            varNames.push_back("v:BUS" + std::to_string(j + 1));
        varNames.push_back("t");
        if (factors.size() != colors.size() + 1) {
            factors.assign(colors.size() + 1, 1.0f);
            offsets.assign(colors.size() + 1, 0.0f);
        }
        chart.GetInfoLegend(fileNames.data(), varNames.data(), int(colors.size()), factors.data(),
                            offsets.data());
    }
};
