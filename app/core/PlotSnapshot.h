#pragma once
// One plot's data as the main window prepares it and the plot window draws it: per
// plotted file an x array and a matrix of y rows, the curve descriptors and the legend
// texts. A preparation makes a new snapshot; the plot window shares the one it shows,
// so nothing on screen is ever freed or refilled under it.

#include "ChartTypes.h"
#include "Matrix.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

inline constexpr int kMaxFiles = 8;
inline constexpr int kMaxCurves = 9;

struct SPlotSnapshot {
    // Per plotted file, files in slot order.
    int nFiles = 0;
    std::array<int, kMaxFiles> slot{};    // the file slot each plotted file came from
    std::array<int, kMaxFiles> nPoints{};
    std::array<int, kMaxFiles> nCurves{};
    std::array<bool, kMaxFiles> xFromFile{}; // the record's xFromFile, handed on as it is
    std::array<float, kMaxFiles> xShift{};   // the slot's time shift, added to every x
    bool allXFromFile = false;
    std::array<std::vector<float>, kMaxFiles> xData;
    std::array<FMatrix, kMaxFiles> yData; // nCurves[f] rows of nPoints[f] samples
    // The pointer tables the chart keeps; they point into xData and yData.
    std::array<float*, kMaxFiles> xPtr{};
    std::array<float**, kMaxFiles> yPtr{};

    // Per curve in plot order; the x variable's entries follow the last curve.
    int totalCurves = 0; // selection rows - 1
    SXVarParam xParam;
    std::array<SCurveParam, kMaxCurves> curves{};
    std::array<float, kMaxCurves + 1> factors{};
    std::array<float, kMaxCurves + 1> offsets{};
    std::array<std::string, kMaxCurves + 1> varNames;
    std::array<std::string, kMaxFiles> legendNames; // per plotted file, without path

    std::uint8_t chartKind = 0; // 0 lines, 1 bars, 2 points only
    std::string timeUnit;       // "s", "m", "h", "Hz" or empty

    // Points the tables at the owned arrays; call after filling xData and yData.
    void BindPointers() {
        for (int f = 0; f < kMaxFiles; ++f) {
            xPtr[static_cast<std::size_t>(f)] =
                f < nFiles ? xData[static_cast<std::size_t>(f)].data() : nullptr;
            yPtr[static_cast<std::size_t>(f)] = f < nFiles ? yData[static_cast<std::size_t>(f)].get() : nullptr;
        }
    }
};

using PlotSnapshotPtr = std::shared_ptr<SPlotSnapshot>;
