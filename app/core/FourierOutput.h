#pragma once
// What the Fourier window lays out and writes, without the window: the clipboard text of
// the numbers, the sizes of its two charts, the heights of the copied picture and the
// places of the printed charts and table. Text sizes come from a measuring function, so
// the same layout serves the screen, a metafile and the printer.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The numbers as the window shows them.
struct SFourierTable {
    std::string shortFileName; // without the folder
    std::string variableName;
    std::string unitText; // item text of the chosen unit
    float startTime = 0, endTime = 0;
    int first = 0, last = 0; // the orders listed
    // Orders above last asked for up to here have no value: the base period's samples do
    // not resolve them, and a line says so.
    int askedLast = 0;
    std::int64_t samples = 0;
    const std::vector<float>* displayed = nullptr; // by order, last + 1 entries
    const std::vector<float>* phase = nullptr;
};

// The clipboard text (CR LF lines, tab-separated columns). thd < -0.5 or a first order
// above 2 leaves the THD line out; the line on orders left out follows the rows.
std::string FourierCopyText(const SFourierTable& table, float thd, const std::string& date);

// Share of the client height the amplitude chart takes, by size choice 0, 1, 2.
float AmplitudeShare(int sizeIndex);

struct SFourierChartLayout {
    int amplitudeWidth = 0, amplitudeHeight = 0;
    bool phaseVisible = false;
    int phaseTop = 0, phaseWidth = 0, phaseHeight = 0;
};
SFourierChartLayout FourierChartLayout(int clientWidth, int clientHeight, int panelWidth,
                                       float share);

struct SFourierMinSize {
    int width = 0, height = 0;
};
SFourierMinSize FourierMinTrackSize(int panelWidth, int frameHeight, int copyBtnBottom,
                                    int viewGroupHeight);

// The largest font size, from startSize down to 6, at which the sample text fits the panel.
int FitSidePanelFont(int startSize, int panelWidth, const std::function<int(int size)>& width);

// The copied picture: title size (14 bold, smaller while wider than the chart, not below
// 5) and the height for the chosen charts.
int FitCopyTitleSize(int chartWidth, const std::function<int(int size)>& titleWidth);
int FourierCopyHeight(int h1, int h2, int hh, bool amplitude, int amplitudeHeight, bool phase,
                      int phaseHeight);

struct SIntRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const SIntRect&) const = default;
};
// The area of the printed charts on the page; ratio = total height / amplitude width of
// the charts as on screen.
SIntRect FourierPrintArea(int pageWidth, int pageHeight, int h10, float ratio);

// One text of the numeric printout.
struct SPrintedText {
    int page = 0;
    int x = 0, y = 0;
    int size = 10; // points
    std::string text;
    bool operator==(const SPrintedText&) const = default;
};
// The table, page by page: a page ends at 95% of its height, and each new one repeats the
// title and the column heads.
std::vector<SPrintedText>
FourierNumericPrintout(const SFourierTable& table, float thd, const std::string& date,
                       int pageWidth, int pageHeight, int h10, int h14,
                       const std::function<int(const std::string&)>& width10);
