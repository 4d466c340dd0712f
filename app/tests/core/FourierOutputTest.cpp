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

TEST(FourierOutput, ClipboardTextBytes) {
    const STable a(0, 4);
    EXPECT_EQ(FourierCopyText(a.t, 24.26932f, "05/03/2024"),
              "QJ's Curvix - Fourier chart(s).  Copying date: 05/03/2024\r\n"
              "File mix.adf   Variable v:BUS1 [peak]\r\n"
              "Initial Time: 0.08    Final Time: 0.1\r\n"
              "Harm.\tAmplitude\tPhase\r\n"
              "0\t1.5\t0\r\n"
              "1\t10\t30\r\n"
              "2\t0.8\t90\r\n"
              "3\t2\t-45\r\n"
              "4\t1.2340E-04\t180\r\n"
              "\r\n THD=24.269%\r\n"
              "\r\n");
    // No THD line from order 3 on, nor when it is undefined.
    const STable b(3, 4);
    const std::string tail = "3\t2\t-45\r\n4\t1.2340E-04\t180\r\n\r\n";
    const std::string noThd = FourierCopyText(b.t, 24.3f, "d");
    EXPECT_EQ(noThd.substr(noThd.size() - tail.size()), tail);
    const STable c(2, 3);
    const std::string undefinedThd = FourierCopyText(c.t, -1, "d");
    EXPECT_EQ(undefinedThd.find("THD"), std::string::npos);
    EXPECT_NE(FourierCopyText(c.t, 0, "d").find("\r\n THD=0%\r\n\r\n"), std::string::npos);
}

TEST(FourierOutput, ChartSizesByShare) {
    // 460 x 0.7 in single precision rounds to 322 (0.7f is 0.699999988); 460 x 0.3f to 138.
    const struct {
        float share;
        SFourierChartLayout want;
    } rows[] = {
        {AmplitudeShare(1), {515, 322, true, 324, 515, 138}},
        {AmplitudeShare(0), {515, 230, true, 232, 515, 230}},
        {AmplitudeShare(2), {516, 460, false, 0, 0, 0}},
    };
    for (const auto& r : rows) {
        const SFourierChartLayout l = FourierChartLayout(640, 460, 124, r.share);
        EXPECT_EQ(l.amplitudeWidth, r.want.amplitudeWidth) << r.share;
        EXPECT_EQ(l.amplitudeHeight, r.want.amplitudeHeight) << r.share;
        EXPECT_EQ(l.phaseVisible, r.want.phaseVisible) << r.share;
        EXPECT_EQ(l.phaseTop, r.want.phaseTop) << r.share;
        EXPECT_EQ(l.phaseWidth, r.want.phaseWidth) << r.share;
        EXPECT_EQ(l.phaseHeight, r.want.phaseHeight) << r.share;
    }
    const SFourierMinSize m = FourierMinTrackSize(124, 0, 110, 86);
    EXPECT_EQ(m.width, 372);
    EXPECT_EQ(m.height, 204); // 110 + 94.6
}

TEST(FourierOutput, FontFitsAndCopyHeight) {
    auto twelvePerPoint = [](int size) { return 12 * size; };
    EXPECT_EQ(FitSidePanelFont(8, 100, twelvePerPoint), 8);
    EXPECT_EQ(FitSidePanelFont(8, 90, twelvePerPoint), 7);
    EXPECT_EQ(FitSidePanelFont(8, 40, twelvePerPoint), 6);
    auto forty = [](int size) { return 40 * size; };
    EXPECT_EQ(FitCopyTitleSize(600, forty), 14);
    EXPECT_EQ(FitCopyTitleSize(500, forty), 12);
    EXPECT_EQ(FitCopyTitleSize(100, forty), 5);
    EXPECT_EQ(FourierCopyHeight(20, 16, 15, true, 300, false, 130), 20 + 32 + 315);
    EXPECT_EQ(FourierCopyHeight(20, 16, 15, true, 300, true, 130), 20 + 32 + 315 + 145);
    EXPECT_EQ(FourierCopyHeight(20, 16, 15, false, 300, true, 130), 20 + 32 + 145);
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
        if (texts[i].page == 0 && texts[i].x == 50 && texts[i].y >= 140) lastOnFirst = std::stoi(texts[i].text);
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
}
