// Every message box of the chart with its exact text, caption and icon, in
// the situation that raises it.
#include "ChartFixture.h"
#include "MultiFile.h"

#include "Clipboard.h"
#include "FileDialogs.h"
#include "Image.h"
#include "ScratchFiles.h"

#include <filesystem>
#include <functional>

namespace fs = std::filesystem;

namespace {

// The data of one case; the chart keeps pointers into it.
struct Case {
    MultiFile multi;
    testsupport::ScratchDir scratch; // for a saved file
};

using Action = std::function<void(TLineChart&, Case&)>;

struct MessageRow {
    const char* name;
    Action action;
    std::string textStart, textEnd; // the text is start + (count) + end, or start alone
    const char* caption;
    EMsgIcon icon;
    bool fatal;
};

std::vector<float> Range(int n, double from, double to) {
    std::vector<float> v(n);
    for (int i = 0; i < n; ++i)
        v[i] = float(from + (to - from) * i / (n - 1));
    return v;
}

std::vector<float> Sine(const std::vector<float>& xs) {
    std::vector<float> v;
    for (float x : xs)
        v.push_back(float(std::sin(x)));
    return v;
}

void Drag(TLineChart& c, int x1, int y1, int x2, int y2) {
    c.Image().HandleMouseDown(mbLeft, 0, x1, y1);
    c.Image().HandleMouseMove(0, x2, y2);
    c.Image().HandleMouseUp(mbLeft, 0, x2, y2);
}

// One file of curves over xs, plotted at full range on a 500 x 300 chart.
void Plotted(TLineChart& c, Case& k, std::vector<float> xs, int curves, EPlotType type = ptLine) {
    c.Resize_(500, 300);
    const std::vector<float> y = Sine(xs);
    k.multi.Add(xs, std::vector<std::vector<float>>(curves, y));
    k.multi.Give(c, std::vector<TColor>(curves, kCurve));
    c.PlotType = type;
    c.Plot(true);
}

const std::string kLogText =
    "\nbecause the range contains null or negative values\n\nPlease change the variable to be "
    "plot, or the ";

} // namespace

TEST(ChartMessages, TextCaptionAndIconOfEverySituation) {
    const MessageRow rows[] = {
        {"plot before any data", [](TLineChart& c, Case&) { c.Plot(true); },
         "Unexpected Error \"Not Got Data\" in TLineChart", "", "Unexpected Error", EMsgIcon::Error,
         true},
        {"log x over negative values",
         [](TLineChart& c, Case& k) {
             c.SetXScaleType(stLog);
             Plotted(c, k, Range(101, -1, 1), 1);
         },
         "Cannot create a log scale on the x-axis" + kLogText +
             "x-axis range or choose a linear scale",
         "", "Invalid Request", EMsgIcon::Warning, false},
        {"log y over a sine",
         [](TLineChart& c, Case& k) {
             c.SetYScaleType(stLog);
             Plotted(c, k, Range(101, 0, 10), 1);
         },
         "Cannot create a log scale on the y-axis" + kLogText +
             "y-axis range or choose a linear scale",
         "", "Invalid Request", EMsgIcon::Warning, false},
        {"bar zoom under three units",
         [](TLineChart& c, Case& k) {
             Plotted(c, k, Range(32, 0, 31), 1, ptBar);
             const SPlotRect p = c.PlotRect;
             Drag(c, p.left + 100, p.top + 10, p.left + 104, p.bottom - 10);
         },
         "Zoom Rectangle too small!", "", "Warning", EMsgIcon::None, false},
        {"zoom narrower than four digits of x",
         [](TLineChart& c, Case& k) {
             Plotted(c, k, Range(1001, 10000, 10100), 1);
             const SPlotRect p = c.PlotRect;
             const int mid = (p.left + p.right) / 2;
             Drag(c, mid, p.top + 10, mid + 1, p.bottom - 10);
         },
         "Unable to zoom so deeply", "", "Action not performed", EMsgIcon::Warning, false},
        {"copy of one curve",
         [](TLineChart& c, Case& k) {
             Plotted(c, k, Range(101, 0, 10), 1);
             c.Copy();
         },
         "Plot copied into Win95 Clipboard (", " Points)", "Information", EMsgIcon::Information,
         false},
        {"copy of two curves with the strong filter",
         [](TLineChart& c, Case& k) {
             Plotted(c, k, Range(101, 0, 10), 2);
             c.StrongFilter = true;
             c.Copy();
         },
         "\nSince \"StrongFilter\" option is used,\ncheck the appearence of the copied plot "
         "before use\n\n\nPlot copied into Win95 Clipboard (",
         " Points Max)", "Warning", EMsgIcon::Warning, false},
        {"copy of bars",
         [](TLineChart& c, Case& k) {
             Plotted(c, k, Range(32, 0, 31), 1, ptBar);
             c.Copy();
         },
         "Plot copied into Win95 Clipboard", "", "Information", EMsgIcon::Information, false},
        {"save with the strong filter",
         [](TLineChart& c, Case& k) {
             Plotted(c, k, Range(101, 0, 10), 1);
             c.StrongFilter = true;
             SetFileDialogHook([file = k.scratch.file("saved.wmf")](TFileDialogRequest& r) {
                 r.dialog.Files = {file};
                 return true;
             });
             c.Save();
             SetFileDialogHook({});
         },
         "\nSince \"StrongFilter\" option is used\ncheck the appearence of the saved plot before "
         "use\n\n\nPlot saved (",
         " Points)", "Warning", EMsgIcon::Warning, false},
        {"values asked for when x is not time",
         [](TLineChart& c, Case& k) {
             Plotted(c, k, Range(101, 0, 10), 1);
             c.GetData(false, 1, int(k.multi.nPoints[0]), SXVarParam{false, 0, 0},
                       k.multi.curves.data(), k.multi.xs[0], k.multi.ys[0]);
             c.Plot(true);
             c.GiveValues(200, false);
         },
         "Error \"XMustBeTime\" in source file \"TLineChart\"", "", "Fatal Error", EMsgIcon::Error,
         true},
    };
    for (const MessageRow& row : rows) {
        SCOPED_TRACE(row.name);
        TLineChart chart(nullptr);
        std::vector<SChartMessage> shown;
        chart.ShowMessage = [&](const SChartMessage& m) { shown.push_back(m); };
        Case data;
        row.action(chart, data);
        ASSERT_EQ(shown.size(), 1u);
        const SChartMessage& m = shown[0];
        if (row.textEnd.empty()) {
            EXPECT_EQ(m.text, row.textStart);
        } else {
            // The count between the brackets is the segments of the last pass.
            EXPECT_EQ(m.text, row.textStart + std::to_string(chart.SegmentCount) + row.textEnd);
        }
        EXPECT_EQ(m.title, row.caption);
        EXPECT_EQ(m.icon, row.icon);
        EXPECT_EQ(m.fatal, row.fatal);
    }
}
