// A user's whole session on a chart in a shown window: plot, zoom, unzoom,
// cursor moved with Ctrl+arrows, marks, copy, metafile, print; and a
// picture of the result for the eye.
#include "MultiFile.h"

#include "Canvas.h"
#include <gtest/gtest.h>

#include "Clipboard.h"
#include "Control_p.h"
#include "FileDialogs.h"
#include "Form.h"
#include "Image.h"
#include "Label.h"
#include "MemoPlus.h"
#include "Metafile.h"
#include "Printer.h"
#include "RadioGroup.h"
#include "ScratchFiles.h"
#include "Shape.h"
#include "TitleForm.h"
#include "services/SystemHooks.h"

#include <QPixmap>
#include <QWidget>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<float> Range(int n, double from, double to) {
    std::vector<float> v(n);
    for (int i = 0; i < n; ++i)
        v[i] = float(from + (to - from) * i / (n - 1));
    return v;
}
template <class F> std::vector<float> Map(const std::vector<float>& xs, F f) {
    std::vector<float> v(xs.size());
    for (std::size_t i = 0; i < xs.size(); ++i)
        v[i] = float(f(xs[i]));
    return v;
}

int Shell(const std::string& cmd) {
    return std::system(cmd.c_str());
}

struct Session {
    TForm form{nullptr};
    TLineChart* chart = new TLineChart(&form);
    MultiFile data;
    std::vector<std::string> messages;
    std::vector<bool> zooms;
    std::vector<std::vector<float>> values; // x of file 1, y of its first curve
    int beeps = 0;

    Session() {
        form.SetClientSize(700, 480);
        chart->SetBounds(0, 0, 700, 480);
        chart->Resize_(700, 480);
        chart->Legend = true;
        chart->ApplicationName = "Curvix";
        chart->ShowMessage = [this](const SChartMessage& m) { messages.push_back(m.text); };
        chart->OnZoomStateChange = [this](TObject*, bool z) { zooms.push_back(z); };
        chart->OnValuesChange = [this](TObject*, XYValues v) {
            values.push_back({v.X[0], v.Y[0][0], v.X[1], v.Y[1][0]});
        };
        SetBeepHandler([this](unsigned, unsigned) { ++beeps; });
        form.Show();
    }
    ~Session() {
        SetBeepHandler({});
        SetFileDialogHook({});
        SetModalHook({});
    }
    void LoadData() {
        const auto x0 = Range(2001, 0, 0.2);
        data.Add(x0, {Map(x0, [](double t) { return 10 * std::sin(2 * M_PI * 50 * t); }),
                      Map(x0, [](double t) {
                          return 6 * std::sin(2 * M_PI * 50 * t - 2.1) * std::exp(-8 * t);
                      })});
        const auto x1 = Range(601, 0.02, 0.14);
        data.Add(x1, {Map(x1, [](double t) { return 4 * std::cos(2 * M_PI * 150 * t); })});
        data.factors = {1, 2, 1, 1};
        data.offsets = {0, 0.5f, 0, 0};
        data.Give(*chart, {RGB(0, 0, 255), RGB(200, 0, 0), RGB(0, 140, 0)}, {0, 0, 1});
        data.varNames = {"v:GEN-A", "c:LINE-B", "v:BUS3-C", "t"};
    }
    void SetTitle(const std::string& text) {
        SetModalHook([this, text](TCustomForm&) {
            chart->TitleForm().RowsRadioGroup->SetItemIndex(1);
            chart->TitleForm().Memo->Lines().SetText(text);
            return TModalResult(mrOk);
        });
        chart->EnableTitle();
        chart->TitleLabel(0).HandleDblClick();
        SetModalHook({});
    }
    void Drag(int x1, int y1, int x2, int y2) {
        TImage& im = chart->Image();
        im.HandleMouseDown(mbLeft, 0, x1, y1);
        for (int i = 1; i <= 4; ++i)
            im.HandleMouseMove(0, x1 + (x2 - x1) * i / 4, y1 + (y2 - y1) * i / 4);
        im.HandleMouseUp(mbLeft, 0, x2, y2);
    }
};

int BlackIn(TLineChart& c, int l, int t, int r, int b) {
    int n = 0;
    for (int y = t; y <= b; ++y)
        for (int x = l; x <= r; ++x)
            n += c.Canvas().GetPixel(x, y) == clBlack ? 1 : 0;
    return n;
}

} // namespace

TEST(ChartSession, PlotZoomUnzoomCursorMarksCopySavePrint) {
    Session s;
    TLineChart& c = *s.chart;
    ASSERT_TRUE(c.Visible());
    s.LoadData();
    s.SetTitle("Breaker opening at t = 20 ms\r\nbus voltages and line current");
    c.Plot(true);
    ASSERT_TRUE(s.messages.empty());
    const FloatRect2 full = c.DispRect;
    EXPECT_FLOAT_EQ(full.xLower, 0.0f);
    EXPECT_FLOAT_EQ(full.xUpper, 0.2f);
    EXPECT_TRUE(c.TitleLabel(1).Visible());

    // Zoom on 40 % .. 60 % of the plot's width.
    const SPlotRect p = c.PlotRect;
    const int w = p.right - p.left;
    s.Drag(p.left + w * 2 / 5, p.top + 5, p.left + w * 3 / 5, p.bottom - 5);
    ASSERT_EQ(s.zooms, std::vector<bool>{true});
    EXPECT_GT(c.DispRect.xLower, 0.05f);
    EXPECT_LT(c.DispRect.xUpper, 0.15f);
    EXPECT_LT(c.DispRect.xLower, c.DispRect.xUpper);

    // Unzoom with the right button.
    c.Image().HandleMouseDown(mbRight, 0, 300, 200);
    c.Image().HandleMouseUp(mbRight, 0, 300, 200);
    EXPECT_EQ(s.zooms, (std::vector<bool>{true, false}));
    EXPECT_FLOAT_EQ(c.DispRect.xLower, full.xLower);
    EXPECT_FLOAT_EQ(c.DispRect.xUpper, full.xUpper);

    // Cursor shown, then moved by Ctrl+right three times.
    c.SetDataCursorVisible(true);
    ASSERT_EQ(s.values.size(), 1u);
    const int start = c.CursorLine().Left();
    for (int i = 0; i < 3; ++i) {
        WORD key = 39;
        c.KeyDown(key, ssCtrl);
    }
    EXPECT_EQ(c.CursorLine().Left(), start + 9);
    ASSERT_EQ(s.values.size(), 4u);
    EXPECT_GT(s.values[3][0], s.values[0][0]); // time moved on
    EXPECT_NEAR(s.values[3][1], 10 * std::sin(2 * M_PI * 50 * s.values[3][0]), 1e-3);
    // Near the end the shorter second file has no value.
    c.CursorLine().SetLeft(p.right - 3);
    WORD none = 0;
    c.KeyDown(none, 0);
    EXPECT_FLOAT_EQ(s.values.back()[2], TLineChart::kNoValue);
    EXPECT_FLOAT_EQ(s.values.back()[3], TLineChart::kNoValue);

    // Two marks at the cursor, the second where only file 1 has data.
    c.CursorLine().SetLeft(start + 9);
    const int blackBefore = BlackIn(c, p.left + 1, p.top + 1, p.right - 1, p.bottom - 1);
    c.Mark();
    c.CursorLine().SetLeft(p.right - 10);
    c.Mark();
    EXPECT_EQ(c.MarkCounter, 1);
    EXPECT_EQ(c.MarkIndex[1][1], -1);
    EXPECT_EQ(s.beeps, 0);
    c.Plot(false);
    c.MarkAll();
    EXPECT_GT(BlackIn(c, p.left + 1, p.top + 1, p.right - 1, p.bottom - 1), blackBefore);

    // Copy.
    Clipboard().Clear();
    s.messages.clear();
    c.Copy();
    EXPECT_TRUE(Clipboard().HasMetafile());
    ASSERT_EQ(s.messages.size(), 1u);
    EXPECT_NE(s.messages[0].find("Points Max)"), std::string::npos) << s.messages[0];

    // Save a metafile; libwmf reads it back.
    const testsupport::ScratchDir scratch;
    const fs::path dir = scratch.path();
    const fs::path wmf = dir / "session.wmf";
    SetFileDialogHook([&](TFileDialogRequest& r) {
        r.dialog.Files = {wmf.string()};
        return true;
    });
    s.messages.clear();
    c.Save();
    ASSERT_EQ(s.messages.size(), 1u);
    EXPECT_EQ(s.messages[0].rfind("Plot saved", 0), 0u);
    if (fs::exists("/usr/bin/wmf2svg")) {
        const fs::path svg = dir / "session.svg";
        EXPECT_EQ(Shell("/usr/bin/wmf2svg -o " + svg.string() + " " + wmf.string() + " 2> " +
                        (dir / "wmf.err").string()),
                  0);
        EXPECT_EQ(Slurp(dir / "wmf.err"), "");
        EXPECT_NE(Slurp(svg).find("Breaker opening"), std::string::npos);
    }

    // Print to PDF; poppler finds the title and legend.
    const fs::path pdf = dir / "session.pdf";
    Printer().SetOutputFileName(pdf.string());
    Printer().SetResolution(300);
    s.messages.clear();
    const SPlotRect beforePrint = c.PlotRect;
    c.Print(3, 2);
    Printer().SetOutputFileName("");
    EXPECT_TRUE(s.messages.empty());
    EXPECT_EQ(c.PlotRect.top, beforePrint.top);
    EXPECT_EQ(c.PlotRect.right, beforePrint.right);
    if (fs::exists("/usr/bin/pdftotext")) {
        ASSERT_EQ(
            Shell("/usr/bin/pdftotext -enc UTF-8 " + pdf.string() + " " + (dir / "p.txt").string()),
            0);
        const std::string text = Slurp(dir / "p.txt");
        EXPECT_NE(text.find("Breaker opening"), std::string::npos) << text;
        EXPECT_NE(text.find("bus voltages and line current"), std::string::npos) << text;
        EXPECT_NE(text.find("v:GEN-A"), std::string::npos) << text;
        EXPECT_NE(text.find("file2.adf"), std::string::npos) << text;
    }

    // The screen picture after the session, with automatic marks.
    c.MarkAuto();
    EXPECT_EQ(
        c.Image().Bitmap().SaveToPngFile(std::string(CHART_RENDER_DIR) + "/chart_session.png"), "");
    // The whole window as the user sees it: title labels and cursor line too.
    const QPixmap shot = WidgetOf(s.form).grab();
    EXPECT_TRUE(
        shot.save(QString::fromStdString(std::string(CHART_RENDER_DIR) + "/chart_window.png")));
}
