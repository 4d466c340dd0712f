#pragma once
// Visible sample ranges and the pixel-to-index table the data cursor reads
// for unequally spaced x data.

#include <cstdint>
#include <span>
#include <vector>

// A file is scanned as unequally spaced when its flag says so, or when the
// step formula cannot work: fewer than 2 points or a first step that is not
// positive and finite.
bool IsUnequallySpaced(bool flag, const float* x, std::int64_t n);

struct SVisibleRange {
    std::int64_t first = 0;
    std::int64_t last = -1; // last < first: nothing to draw
};

// xl, xu: displayed x ends; lowerData, upperData: the x axis' ends in data units.
// Without time x every sample is visible. Indices stay within 0..n-1.
SVisibleRange VisibleRange(const float* x, std::int64_t n, bool unequal, bool xIsTime, float xl,
                           float xu, float lowerData, float upperData);

// One row per unequally spaced file, one column per pixel of the plot width plus one.
class CPixelIndexTable {
public:
    void Reset(int rows, int plotWidth);
    int rows() const { return rows_; }
    int cols() const { return cols_; }
    int* operator[](int row) { return cells_.data() + static_cast<std::size_t>(row) * cols_; }
    const int* operator[](int row) const {
        return cells_.data() + static_cast<std::size_t>(row) * cols_;
    }

private:
    std::vector<int> cells_;
    int rows_ = 0, cols_ = 1;
};

struct SPixelIndexFile {
    const float* x = nullptr;
    std::int64_t n = 0;
    bool unequal = false;   // as IsUnequallySpaced decided
    std::int64_t first = 0; // first visible index
};

// Size the table (rows = unequally spaced files, in file order) and fill it;
// false when no file is unequally spaced. plotWidth = plot right - plot left.
bool FillPixelToIndex(CPixelIndexTable& table, std::span<const SPixelIndexFile> files, float xl,
                      float xu, int plotWidth);
// dB or log x axis: xScale in pixels per decade.
bool FillPixelToIndexLog(CPixelIndexTable& table, std::span<const SPixelIndexFile> files,
                         int lowDecade, float xScale, int plotWidth);
