#pragma once
// Rows of the cursor values window: per plotted file a heading row and an x row, then one
// row per curve; and the heading font that fits a file name into the window.

#include <functional>
#include <span>
#include <vector>

struct SValuesLayout {
    std::vector<int> headingRow, xRow; // per file
    std::vector<int> valueRow;         // per curve, files in order
    int boxTop = 0;                    // the interpolation check box
};

// textHeight: the height of "0" in the window's font.
SValuesLayout LayoutValueRows(std::span<const int> curveCounts, int textHeight);

constexpr int kHeadingFontSize = 9, kSmallestHeadingFontSize = 6;

// The largest size from 9 down to 6 at which the heading is narrower than the window;
// 6 when none is. widthAt(size) measures the heading at that point size.
int HeadingFontSize(const std::function<int(int size)>& widthAt, int windowWidth);
