// What the Fourier window writes and lays out: the clipboard bytes, the chart sizes, the
// copied picture's height, the printed area and the paged numeric printout.
#include "FourierOutput.h"

#include <gtest/gtest.h>

namespace {

struct STable {
    std::vector<float> displayed{1.5f, 10, 0.8f, 2, 0.0001234f};
    std::vector<float> phase{0, 29.99999f, 90, -45, 179.99994f};
    SFourierTable t;
    STable(int first, int last) {
        t.shortFileName = "mix.adf";
        t.variableName = "v:BUS1";
        t.unitText = "peak";
        t.startTime = 0.08f;
        t.endTime = 0.1f;
        t.first = first;
        t.last = last;
        t.displayed = &displayed;
        t.phase = &phase;
    }
};

int Width10(const std::string& s) {
    return 10 * static_cast<int>(s.size());
}

} // namespace

TEST(FourierOutput, ClipboardTextEndsWithTheThdOnlyWhereItIsDefined) {
    // The whole text is checked through the window's copy; here the THD line's rule.
    const std::string table = "0\t1.5\t0\r\n1\t10\t30\r\n2\t0.8\t90\r\n";
    const STable a(0, 2);
    EXPECT_TRUE(FourierCopyText(a.t, 24.26932f, "d").ends_with(table + "\r\n THD=24.269%\r\n\r\n"));
    EXPECT_TRUE(FourierCopyText(a.t, 0, "d").ends_with(table + "\r\n THD=0%\r\n\r\n"));
    EXPECT_TRUE(FourierCopyText(a.t, -1, "d").ends_with(table + "\r\n"));
    const STable b(3, 4); // from order 3 on: no THD
    EXPECT_TRUE(
        FourierCopyText(b.t, 24.3f, "d").ends_with("3\t2\t-45\r\n4\t1.2340E-04\t180\r\n\r\n"));
}

TEST(FourierOutput, PrintedChartAreaOnPortraitAndLandscape) {
    EXPECT_EQ(FourierPrintArea(2000, 3000, 40, 1.0f), (SIntRect{100, 190, 1900, 1990}));
    EXPECT_EQ(FourierPrintArea(3000, 2000, 40, 1.0f), (SIntRect{150, 140, 1910, 1900}));
}

TEST(FourierOutput, NumericPrintoutBreaksPagesAndRepeatsTheHeading) {
    std::vector<float> values(61, 1), phases(61, 0);
    SFourierTable t;
    t.first = 0;
    t.last = 60;
    t.displayed = &values;
    t.phase = &phases;
    // Page 1000 high: rows from y 140 by 20 while they end above 950.
    const auto texts = FourierNumericPrintout(t, 5, "d", 1000, 1000, 20, 30, Width10);
    const std::string title = "QJ's Curvix - Fourier numerical data.  Printing date: d";
    // x: 50, then 50 + "Harm." + "W", then + "Amplitude" + "W".
    const std::vector<SPrintedText> head0 = {{0, 50, 50, 14, title},
                                             {0, 50, 100, 10, "Harm."},
                                             {0, 110, 100, 10, "Amplitude"},
                                             {0, 210, 100, 10, "Phase"}};
    ASSERT_GT(texts.size(), 4u);
    EXPECT_EQ(std::vector<SPrintedText>(texts.begin(), texts.begin() + 4), head0);
    EXPECT_EQ(texts[4], (SPrintedText{0, 50, 140, 10, "0"}));
    int lastOnFirst = -1;
    std::size_t secondPage = 0;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (texts[i].page == 0 && texts[i].x == 50 && texts[i].y >= 140)
            lastOnFirst = std::stoi(texts[i].text);
        if (texts[i].page == 1 && !secondPage) secondPage = i;
    }
    EXPECT_EQ(lastOnFirst, 39); // y 920 + 20 = 940; the next would end at 960
    ASSERT_GT(secondPage, 0u);
    for (int k = 0; k < 4; ++k) {
        SPrintedText want = head0[static_cast<std::size_t>(k)];
        want.page = 1;
        EXPECT_EQ(texts[secondPage + static_cast<std::size_t>(k)], want);
    }
    EXPECT_EQ(texts[secondPage + 4], (SPrintedText{1, 50, 140, 10, "40"}));
    EXPECT_EQ(texts.back(), (SPrintedText{1, 50, 140 + 21 * 20 + 20, 10, "THD=5%"}));
    EXPECT_EQ(texts.back().page, 1);
    // A short table stays on one page; from order 3 on there is no THD line.
    t.first = 3;
    t.last = 5;
    const auto one = FourierNumericPrintout(t, 5, "d", 1000, 1000, 20, 30, Width10);
    EXPECT_EQ(one.size(), 4u + 9u);
    EXPECT_EQ(one.back().page, 0);
    // Orders asked above those the period resolves: a line after the rows says so.
    t.first = 0;
    t.askedLast = 30;
    t.samples = 11;
    const auto cut = FourierNumericPrintout(t, 5, "d", 1000, 1000, 20, 30, Width10);
    ASSERT_EQ(cut.size(), 4u + 18u + 2u);
    EXPECT_EQ(cut[cut.size() - 2],
              (SPrintedText{0, 50, 140 + 6 * 20, 10,
                            "Orders above 5 left out: 11 samples resolve orders up to 5"}));
    EXPECT_EQ(cut.back(), (SPrintedText{0, 50, 140 + 8 * 20, 10, "THD=5%"}));
}
