#include "ValuesLayout.h"

SValuesLayout LayoutValueRows(std::span<const int> curveCounts, int textHeight) {
    SValuesLayout l;
    const int h = textHeight;
    int y = 3;
    for (int curves : curveCounts) {
        l.headingRow.push_back(y);
        l.xRow.push_back(y + h + 1);
        y += 2 * h + 1;
        for (int c = 0; c < curves; ++c) {
            l.valueRow.push_back(y);
            y += h;
        }
        y += 2;
    }
    l.boxTop = y + 4;
    return l;
}

int HeadingFontSize(const std::function<int(int size)>& widthAt, int windowWidth) {
    int size = kHeadingFontSize;
    while (size > kSmallestHeadingFontSize && widthAt(size) >= windowWidth)
        --size;
    return size;
}
