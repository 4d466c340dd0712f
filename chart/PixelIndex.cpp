#include "PixelIndex.h"

#include "PixelMath.h"

#include <algorithm>
#include <cmath>

bool IsUnequallySpaced(bool flag, const float* x, std::int64_t n) {
    if (flag || n < 2 || !x) return true;
    const double step = double(x[1]) - x[0];
    return !(step > 0 && std::isfinite(step));
}

SVisibleRange VisibleRange(const float* x, std::int64_t n, bool unequal, bool xIsTime, float xl,
                           float xu, float lowerData, float upperData) {
    if (n <= 0 || !x) return {};
    if (!xIsTime) return {0, n - 1};
    SVisibleRange r;
    if (unequal || n < 2) {
        // NaN stamps never stop a scan: !(v >= limit) passes them.
        std::int64_t k = std::min<std::int64_t>(1, n - 1);
        while (k < n - 1 && !(x[k] >= xl))
            ++k;
        r.first = std::max<std::int64_t>(0, k - 1);
        std::int64_t j = std::min(k + 1, n - 1);
        while (j < n - 1 && !(x[j] >= xu))
            ++j;
        r.last = j;
        return r;
    }
    const double step = double(x[1]) - x[0];
    auto clampIndex = [&](double v) { return std::clamp<double>(v, 0, double(n - 1)); };
    r.first = TruncSat64(clampIndex((double(lowerData) - x[0]) / step));
    const double last = clampIndex((double(upperData) - x[0]) / step + 0.5);
    r.last = std::min(TruncSat64(last) + 1, n - 1);
    return r;
}

void CPixelIndexTable::Reset(int rows, int plotWidth) {
    rows_ = std::max(0, rows);
    cols_ = std::max(0, plotWidth) + 1; // a plot narrower than its labels keeps one column
    cells_.assign(static_cast<std::size_t>(rows_) * cols_, 0);
}

namespace {

// target(k): the x value pixel column k starts at.
template <class Target>
bool Fill(CPixelIndexTable& table, std::span<const SPixelIndexFile> files, int plotWidth,
          Target target) {
    int rows = 0;
    for (const SPixelIndexFile& f : files)
        rows += f.unequal ? 1 : 0;
    table.Reset(rows, plotWidth);
    if (rows == 0) return false;
    int row = 0;
    for (const SPixelIndexFile& f : files) {
        if (!f.unequal) continue;
        int* cells = table[row++];
        if (f.n <= 0 || !f.x) continue;
        std::int64_t j = std::clamp<std::int64_t>(f.first, 0, f.n - 1);
        cells[0] = static_cast<int>(j);
        for (int k = 1; k < table.cols(); ++k) {
            const double t = target(k);
            while (j < f.n - 1 && !(f.x[j] >= t))
                ++j;
            cells[k] = static_cast<int>(j);
        }
    }
    return true;
}

} // namespace

bool FillPixelToIndex(CPixelIndexTable& table, std::span<const SPixelIndexFile> files, float xl,
                      float xu, int plotWidth) {
    const double step = plotWidth > 0 ? (double(xu) - xl) / plotWidth : 0;
    return Fill(table, files, plotWidth, [&](int k) { return double(xl) + k * step; });
}

bool FillPixelToIndexLog(CPixelIndexTable& table, std::span<const SPixelIndexFile> files,
                         int lowDecade, float xScale, int plotWidth) {
    const bool usable = std::isfinite(xScale) && xScale > 0;
    // log10(v) < d is v < 10^d for positive v; v <= 0 scans as minus infinity.
    return Fill(table, files, plotWidth, [&](int k) {
        return usable ? std::pow(10.0, lowDecade + k / double(xScale)) : -HUGE_VAL;
    });
}
