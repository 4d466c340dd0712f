// A one-pixel line whose ideal path passes exactly half way between two
// pixels takes the one farther from its start. The pixels are worked out by
// hand and checked on the image back end and on a metafile replayed onto an
// image (both back ends share nothing but the rule, so agreeing with each
// other proves nothing).
#include "Bitmap.h"
#include "Metafile.h"
#include "Wmf.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

namespace {

using Pixels = std::set<std::pair<int, int>>;

struct HalfPixelCase {
    const char* what;
    TPoint from, to;
    Pixels expected; // the end pixel is left out
};

// Slope 1/2: the ideal y at x = 11, 13, 15 is 10.5, 11.5, 12.5.
const HalfPixelCase kCases[] = {
    {"rightwards",
     {10, 10},
     {16, 13},
     {{10, 10}, {11, 11}, {12, 11}, {13, 12}, {14, 12}, {15, 13}}},
    {"leftwards", {16, 13}, {10, 10}, {{16, 13}, {15, 12}, {14, 12}, {13, 11}, {12, 11}, {11, 10}}},
    {"down, y major",
     {10, 10},
     {13, 16},
     {{10, 10}, {11, 11}, {11, 12}, {12, 13}, {12, 14}, {13, 15}}},
    {"up, y major",
     {13, 16},
     {10, 10},
     {{13, 16}, {12, 15}, {12, 14}, {11, 13}, {11, 12}, {10, 11}}},
    {"up and right",
     {10, 13},
     {16, 10},
     {{10, 13}, {11, 12}, {12, 12}, {13, 11}, {14, 11}, {15, 10}}},
};

constexpr int kSize = 30;

void Draw(TCanvas& c, const HalfPixelCase& k, bool polyline) {
    c.Pen().SetColor(clBlack);
    c.Pen().SetWidth(1);
    if (polyline) {
        const TPoint points[] = {k.from, k.to};
        c.Polyline(points);
    } else {
        c.MoveTo(k.from.x, k.from.y);
        c.LineTo(k.to.x, k.to.y);
    }
}

Pixels BlackPixels(TBitmap& b) {
    Pixels p;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
            if (b.Canvas().GetPixel(x, y) == clBlack) p.insert({x, y});
    return p;
}

} // namespace

TEST(HalfPixelLines, ImageTakesThePixelFartherFromTheStart) {
    for (bool polyline : {false, true})
        for (const HalfPixelCase& k : kCases) {
            TBitmap image(kSize, kSize);
            Draw(image.Canvas(), k, polyline);
            EXPECT_EQ(BlackPixels(image), k.expected) << k.what << (polyline ? " polyline" : "");
        }
}

TEST(HalfPixelLines, ReplayedMetafileTakesThePixelFartherFromTheStart) {
    for (bool polyline : {false, true})
        for (const HalfPixelCase& k : kCases) {
            TMetafile mf;
            mf.SetWidth(kSize);
            mf.SetHeight(kSize);
            {
                TMetafileCanvas c(mf);
                Draw(c, k, polyline);
            }
            wmf::File file;
            ASSERT_EQ(wmf::Parse(mf.Data(), file), "");
            TBitmap replayed(kSize, kSize);
            wmf::Play(file, replayed.Canvas());
            EXPECT_EQ(BlackPixels(replayed), k.expected) << k.what << (polyline ? " polyline" : "");
        }
}
