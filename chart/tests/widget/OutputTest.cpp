// Title, legend, marks and the chart's outputs: clipboard metafile, .wmf
// file read back by libwmf, a caller's canvas, and a PDF print read by
// poppler.
#include "ChartFixture.h"
#include "ChartNumbers.h"
#include "MultiFile.h"

#include "Bitmap.h"
#include "Clipboard.h"
#include "Control_p.h"
#include "FileDialogs.h"
#include "Form.h"
#include "Label.h"
#include "MemoPlus.h"
#include "Metafile.h"
#include "MissingTool.h"
#include "Printer.h"
#include "RadioGroup.h"
#include "ScratchFiles.h"
#include "Shape.h"
#include "TitleForm.h"
#include "services/SystemHooks.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// libwmf's converter: exit status 0 and nothing on standard error.
std::string Wmf2SvgComplaints(const fs::path& wmf, const fs::path& svg) {
    const fs::path err = svg.string() + ".err";
    const std::string cmd =
        "/usr/bin/wmf2svg -o " + svg.string() + " " + wmf.string() + " 2> " + err.string();
    const int rc = std::system(cmd.c_str());
    std::string text = ReadFile(err);
    if (rc != 0) text += " (exit " + std::to_string(rc) + ")";
    return text;
}

std::string PdfText(const fs::path& pdf) {
    const fs::path txt = pdf.string() + ".txt";
    const std::string cmd = "/usr/bin/pdftotext -enc UTF-8 " + pdf.string() + " " + txt.string();
    if (std::system(cmd.c_str()) != 0) return "(pdftotext failed)";
    return ReadFile(txt);
}

// Answers the title dialog with the given text and row choice.
void TitleAnswer(TLineChart& chart, int rowIndex, const std::string& text) {
    SetModalHook([&chart, rowIndex, text](TCustomForm& f) {
        EXPECT_EQ(&f, &chart.TitleForm());
        chart.TitleForm().RowsRadioGroup->SetItemIndex(rowIndex);
        chart.TitleForm().Memo->Lines().SetText(text);
        return TModalResult(mrOk);
    });
    chart.TitleLabelDblClick(&chart.TitleLabel(0));
    SetModalHook({});
}

class OutputFixture : public ChartFixture {
protected:
    MultiFile multi;
    int beeps = 0;
    testsupport::ScratchDir scratch; // removed with its files, whatever the test's end

    fs::path TempPath(const std::string& name) const { return scratch.file(name); }
    OutputFixture() {
        SetBeepHandler([this](unsigned, unsigned) { ++beeps; });
        chart.Resize_(600, 400);
        chart.Legend = true;
    }
    ~OutputFixture() override {
        SetBeepHandler({});
        SetFileDialogHook({});
    }
    std::vector<TColor> Picture() {
        std::vector<TColor> p;
        for (int y = 0; y < chart.Height(); ++y)
            for (int x = 0; x < chart.Width(); ++x)
                p.push_back(Pixel(x, y));
        return p;
    }
    void LoadTwoFiles() {
        const auto x0 = Range(401, 0, 0.1);
        multi.Add(x0, {Map(x0, [](double t) { return 10 * std::sin(100 * t); }),
                       Map(x0, [](double t) { return 5 * std::cos(100 * t); })});
        const auto x1 = Range(201, 0, 0.05);
        multi.Add(x1, {Map(x1, [](double t) { return 3 * std::sin(200 * t); })});
        multi.factors = {1, 1, 1.5f, 1};
        multi.offsets = {0, 0, 0, 0};
        multi.Give(chart, {kCurve, RGB(200, 0, 0), RGB(0, 150, 0)});
        chart.Plot(true);
        ASSERT_TRUE(messages.empty());
    }
};

} // namespace

// ---- title

TEST_F(OutputFixture, TwoRowsChosenWithOneLineGiveAOneRowTitle) {
    LoadTwoFiles();
    chart.EnableTitle();
    const int plain = chart.PlotRect.top;
    TitleAnswer(chart, 1, "Fault at bus 3");
    EXPECT_EQ(chart.TitleLabel(0).Caption(), "Fault at bus 3");
    EXPECT_TRUE(chart.TitleLabel(0).Visible());
    EXPECT_FALSE(chart.TitleLabel(1).Visible());
    EXPECT_EQ(chart.TitleRows, 1);
    EXPECT_GE(chart.PlotRect.top, plain);
    TitleAnswer(chart, 1, "Fault at bus 3\r\nsecond row");
    EXPECT_TRUE(chart.TitleLabel(1).Visible());
    EXPECT_EQ(chart.TitleLabel(1).Caption(), "second row");
    EXPECT_EQ(chart.TitleHeight, int(1.2 * chart.CharHeight) + chart.CharHeight);
    chart.DisableTitle();
    EXPECT_EQ(chart.TitleHeight, 0);
    EXPECT_FALSE(chart.TitleLabel(0).Visible());
}

namespace {
// Runs of rows holding a dark pixel between the columns left and right - 1, from row top
// to row bottom - 1.
using TBands = std::vector<std::pair<int, int>>;
TBands DarkBands(const std::function<bool(int, int)>& dark, int left, int right, int top,
                 int bottom) {
    TBands bands;
    for (int y = top; y < bottom; ++y) {
        bool any = false;
        for (int x = left; x < right && !any; ++x)
            any = dark(x, y);
        if (!any) continue;
        if (!bands.empty() && bands.back().second == y)
            ++bands.back().second;
        else
            bands.push_back({y, y + 1});
    }
    return bands;
}
} // namespace

// Tt hides the title and shows it again, after a plot pass measured the legend's smaller
// font: both rows stay whole on screen, and copies keep them above the plot's frame.
TEST_F(OutputFixture, ATwoRowTitleKeepsItsRowsApartWhenHiddenAndShown) {
    LoadTwoFiles();
    chart.Resize_(460, 320); // the plot window's size: title 8 points, legend 7
    chart.EnableTitle();
    const SPlotRect p = chart.PlotRect;
    auto screenRows = [&] {
        const QImage shot = WidgetOf(chart).grab().toImage();
        return DarkBands([&](int x, int y) { return qGray(shot.pixel(x, y)) < 128; }, p.left + 1,
                         p.right, 0, chart.PlotRect.top);
    };
    TitleAnswer(chart, 0, "Fault at bus 3");
    const TBands alone = screenRows();
    ASSERT_EQ(alone.size(), 1u);
    TitleAnswer(chart, 1, "Fault at bus 3\r\nsecond row");
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        chart.DisableTitle();
        chart.Plot(false);
        chart.EnableTitle();
        const TBands rows = screenRows();
        ASSERT_EQ(rows.size(), 2u);
        EXPECT_EQ(rows[0], alone[0]) << "the first row is whole, where it stands alone";

        // A copy: its frame is the first row that is black over most of the width.
        TBitmap copy(600, 500);
        TCanvas& c = copy.Canvas();
        chart.Copy(&c, {0, 0, 600, 500});
        auto dark = [&](int x, int y) {
            const TColor k = c.GetPixel(x, y);
            return GetRValue(k) + GetGValue(k) + GetBValue(k) < 3 * 128;
        };
        auto blackIn = [&](int y) {
            int n = 0;
            for (int x = 100; x < 500; ++x)
                n += c.GetPixel(x, y) == clBlack ? 1 : 0;
            return n;
        };
        int frame = 0;
        while (frame < 500 && blackIn(frame) < 300)
            ++frame;
        const TBands copied = DarkBands(dark, 150, 450, 0, frame);
        ASSERT_EQ(copied.size(), 2u);
        EXPECT_LT(copied[1].second, frame) << "the second row stands clear of the frame";
    }
}

TEST_F(OutputFixture, TitleSetWhileHiddenKeepsNoRowsAndCancelChangesNothing) {
    LoadTwoFiles();
    TitleAnswer(chart, 0, "Hidden");
    EXPECT_EQ(chart.TitleRows, 0);
    SetModalHook([](TCustomForm&) { return TModalResult(mrCancel); });
    chart.TitleLabelDblClick(&chart);
    SetModalHook({});
    EXPECT_EQ(chart.TitleLabel(0).Caption(), "Hidden");
}

TEST_F(OutputFixture, TitleTooWideIsShrunkToTheSmallestFontAndClipped) {
    LoadTwoFiles();
    chart.Resize_(300, 200);
    chart.EnableTitle();
    TitleAnswer(chart, 0, std::string(400, 'W'));
    EXPECT_TRUE(messages.empty()); // no fatal error
    EXPECT_EQ(chart.TitleLabel(0).Font().Size(), 2);
    EXPECT_GT(chart.TitleHeight, 0);
    EXPECT_LE(chart.TitleLabel(0).Width(), chart.Width());
}

TEST_F(OutputFixture, MemoPlusTakesOnlyTheLinesItShowsWithoutAutoScroll) {
    TMemoPlus memo(nullptr);
    EXPECT_FALSE(memo.AutoScroll());
    memo.SetBounds(0, 0, 200, 22);
    memo.Lines().SetText("one\r\ntwo\r\nthree");
    EXPECT_EQ(memo.Lines().Count(), memo.VisibleLines());
    memo.SetAutoScroll(true);
    EXPECT_TRUE(memo.AutoScroll());
    memo.Lines().SetText("one\r\ntwo\r\nthree");
    EXPECT_EQ(memo.Lines().Count(), 3);
}

// ---- legend

TEST_F(OutputFixture, FactorRowsOnlyForTheScaledFileAndOnlyInCopies) {
    LoadTwoFiles();
    const int L = chart.CharHeight, g = int(0.12 * L + 0.5);
    EXPECT_EQ(chart.GiveLegendHeight(true, false), 0);
    EXPECT_EQ(chart.GiveLegendHeight(true, true), 2 * L - g); // file 2 only
    EXPECT_EQ(chart.GiveLegendHeight(false, false), 2 * (L + g) + 2);
    EXPECT_EQ(chart.FactorText[2], "1.5");
    EXPECT_TRUE(chart.DefaultScaling[0]);
    EXPECT_FALSE(chart.DefaultScaling[1]);
    // Symbols sit right of each name, in the legend below the plot.
    ASSERT_EQ(chart.LegendSymbol.size(), 3u);
    EXPECT_GT(chart.LegendSymbol[0].y, chart.PlotRect.bottom);
    EXPECT_GT(chart.LegendSymbol[2].y, chart.LegendSymbol[0].y);
}

TEST_F(OutputFixture, RightAxisCurvesAreUnderlinedInTheLegend) {
    const auto xs = Range(101, 0, 1);
    multi.Add(xs, {xs, Map(xs, [](double v) { return 100 * v; })});
    multi.Give(chart, {kCurve, RGB(200, 0, 0)}, {0, 1});
    chart.Plot(true);
    ASSERT_TRUE(chart.SecondYAxis);
    // The underline: a run of the curve's colour below the name's text.
    const TPoint s = chart.LegendSymbol[1];
    const int under = Count(RGB(200, 0, 0), 0, chart.PlotRect.bottom + 1, s.x, chart.Height() - 1);
    const int plain =
        Count(kCurve, 0, chart.PlotRect.bottom + 1, chart.LegendSymbol[0].x, chart.Height() - 1);
    EXPECT_GT(under, 0);
    EXPECT_GT(plain, 0);
}

TEST_F(OutputFixture, FactorAndOffsetTextsFallBackToThreeDigitsWhenLong) {
    const auto xs = Range(11, 0, 1);
    multi.Add(xs, {xs, xs, xs});
    multi.factors = {1.2345f, 0.012345f, -12345, 1};
    multi.offsets = {0, 0.001f, 2.5f, 0};
    multi.Give(chart, {kCurve, kCurve, kCurve});
    using Texts = std::vector<std::string>;
    EXPECT_EQ(chart.FactorText, (Texts{"1.235", "0.0123", "-1.23E004", "1"}));
    EXPECT_EQ(chart.OffsetText, (Texts{"0", "1.00E-03", "2.5", "0"}));
}

TEST_F(OutputFixture, BlackAndWhiteKeepsTheUnderlineOnlyInTheOneFileLegend) {
    const auto xs = Range(101, 0, 1);
    const auto ys = Map(xs, [](double v) { return 100 * v; });
    // Black pixels in the legend row of the second curve.
    auto blackInRow = [&](int files, int secondAxis) {
        MultiFile m;
        if (files == 1) {
            m.Add(xs, {xs, ys});
        } else {
            m.Add(xs, {xs});
            m.Add(xs, {ys});
        }
        m.Give(chart, {kCurve, RGB(200, 0, 0)}, {0, secondAxis});
        chart.BlackWhite = true;
        chart.Plot(true);
        EXPECT_EQ(chart.SecondYAxis, secondAxis == 1);
        const int top = chart.LegendSymbol[1].y - chart.LegendUnitWidth;
        return Count(clBlack, 0, top, chart.Width() - 1, top + chart.CharHeight + 1);
    };
    EXPECT_GT(blackInRow(1, 1), blackInRow(1, 0));
    EXPECT_EQ(blackInRow(2, 1), blackInRow(2, 0));
    chart.BlackWhite = false;
}

// ---- marks

TEST_F(OutputFixture, EightMarksAreKeptAndTheNinthBeeps) {
    LoadTwoFiles();
    chart.SetDataCursorVisible(true);
    for (int i = 0; i < 8; ++i)
        chart.Mark();
    EXPECT_EQ(chart.MarkCounter, 7);
    EXPECT_EQ(beeps, 0);
    chart.Mark();
    EXPECT_EQ(chart.MarkCounter, 7);
    EXPECT_EQ(beeps, 1);
}

TEST_F(OutputFixture, APressBesideEveryCurveOnlyBeeps) {
    LoadTwoFiles();
    chart.SetDataCursorVisible(true);
    chart.CursorLine().SetLeft(chart.PlotRect.right); // past the last sample of both files
    const std::vector<TColor> before = Picture();
    for (int i = 0; i < 3; ++i)
        chart.Mark();
    EXPECT_EQ(beeps, 3);
    EXPECT_EQ(chart.MarkCounter, -1);
    EXPECT_FALSE(chart.AreThereAnyMarks());
    EXPECT_TRUE(Picture() == before);
    chart.CursorLine().SetLeft(chart.PlotRect.left + 50);
    for (int i = 0; i < 8; ++i)
        chart.Mark();
    EXPECT_EQ(chart.MarkCounter, 7);
    EXPECT_EQ(beeps, 3);
}

// A history that overflowed: samples 0 .. 29 hold their index, 30 .. 40 are infinite.
TEST_F(OutputFixture, AMarkOnAnInfiniteValueOnlyBeepsAndTheLastFiniteSampleIsMarked) {
    std::vector<float> y(41, INFINITY);
    for (int i = 0; i < 30; ++i)
        y[i] = float(i);
    multi.Add(Range(41, 0, 4), {y});
    multi.Give(chart, {kCurve});
    chart.Plot(true);
    chart.SetDataCursorVisible(true);
    const int last = ColumnOf(2.9), top = RowOf(29), s = chart.LegendUnitWidth + 1;
    ASSERT_LT(last + 2, ColumnOf(2.95)) << "the press beside the sample is nearer to it";
    auto blackAtTheLastSample = [&] {
        return Count(clBlack, last - s, top - s, last + s, top + s);
    };
    const struct {
        const char* where;
        int column;
        bool marks;
    } presses[] = {
        {"on the last finite sample", last, true},
        {"beside it, on the way to the infinite one", last + 2, true},
        {"on the first infinite sample", ColumnOf(3.0), false},
        {"among the infinite samples", ColumnOf(3.5), false},
    };
    for (const auto& press : presses) {
        SCOPED_TRACE(press.where);
        chart.ResetMarkData();
        chart.Plot(false);
        chart.CursorLine().SetLeft(press.column);
        const std::vector<TColor> before = Picture();
        const int black = blackAtTheLastSample();
        beeps = 0;
        chart.Mark();
        EXPECT_EQ(beeps, press.marks ? 0 : 1);
        EXPECT_EQ(chart.MarkCounter, press.marks ? 0 : -1);
        if (!press.marks) {
            EXPECT_TRUE(Picture() == before) << "no symbol on the curve nor in the legend";
            continue;
        }
        EXPECT_GT(blackAtTheLastSample(), black);
        chart.Plot(false); // and again when the marks are redrawn
        EXPECT_EQ(blackAtTheLastSample(), black);
        chart.MarkAll();
        EXPECT_GT(blackAtTheLastSample(), black);
    }
}

TEST_F(OutputFixture, AMarkBeyondTheShorterFileMarksOnlyTheLongerOne) {
    LoadTwoFiles();
    chart.SetDataCursorVisible(true);
    chart.CursorLine().SetLeft(chart.PlotRect.right - 20); // t > 0.05 s
    chart.Mark();
    EXPECT_EQ(beeps, 0);
    EXPECT_GE(chart.MarkIndex[0][0], 0);
    EXPECT_EQ(chart.MarkIndex[1][0], -1);
    // Redrawn after a plot pass: black symbols on the first file's curves.
    chart.Plot(false);
    const int before = Count(clBlack, chart.PlotRect.right - 30, chart.PlotRect.top + 1,
                             chart.PlotRect.right - 10, chart.PlotRect.bottom - 1);
    chart.MarkAll();
    const int after = Count(clBlack, chart.PlotRect.right - 30, chart.PlotRect.top + 1,
                            chart.PlotRect.right - 10, chart.PlotRect.bottom - 1);
    EXPECT_GT(after, before);
}

TEST_F(OutputFixture, AutomaticMarksNearTheDataEndStayInsideTheVisibleSamples) {
    // Many curves staggered far: the stagger would run past the last sample.
    const auto xs = Range(50, 0, 49);
    std::vector<std::vector<float>> ys(8, xs);
    multi.Add(xs, ys);
    multi.Give(chart, std::vector<TColor>(8, kCurve));
    chart.Plot(true);
    FloatRect2 r = chart.DispRect;
    r.xLower = 45;
    r.xUpper = 49;
    chart.DispRect = r;
    chart.ManualScale = true;
    chart.Plot(false);
    const int cursor = chart.CursorLine().Left();
    chart.MarkAuto();
    EXPECT_TRUE(chart.AreThereAnyMarks());
    EXPECT_EQ(chart.CursorLine().Left(), cursor); // the visible line stays
    EXPECT_GT(Count(clBlack, chart.PlotRect.left + 1, chart.PlotRect.top + 1,
                    chart.PlotRect.right - 1, chart.PlotRect.bottom - 1),
              0);
}

TEST_F(OutputFixture, MarksOnDuplicateTimeStampsUseTheSampleItself) {
    std::vector<float> xs = {0, 1, 1, 2, 3, 4, 4, 5};
    std::vector<float> y = {0, 1, 9, 2, 3, 4, 8, 5};
    multi.Add(xs, {y}, true);
    multi.Give(chart, {kCurve});
    chart.Plot(true);
    chart.SetDataCursorVisible(true);
    for (int c = chart.PlotRect.left; c < chart.PlotRect.right; c += 7) {
        chart.CursorLine().SetLeft(c);
        chart.ResetMarkData();
        chart.Mark();
        for (int l = 0; l <= chart.MarkCounter; ++l)
            ASSERT_TRUE(std::isfinite(chart.MarkFraction[0][l]));
    }
    chart.MarkAuto();
    chart.MarkAll();
}

// ---- outputs

TEST_F(OutputFixture, CopyPutsTheMetafileOnTheClipboardWithThePointCount) {
    LoadTwoFiles();
    Clipboard().Clear();
    chart.Copy();
    EXPECT_TRUE(Clipboard().HasMetafile());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind("Plot copied into Win95 Clipboard (", 0), 0u) << messages[0];
    EXPECT_NE(messages[0].find(" Points Max)"), std::string::npos);
    messages.clear();
    chart.PlotType = ptSwarm;
    chart.Plot(false);
    chart.StrongFilter = true;
    chart.Copy();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "\nSince \"StrongFilter\" option is used,\ncheck the appearence of the "
                           "copied plot before use\n\n\nPlot copied into Win95 Clipboard");
}

TEST_F(OutputFixture, SavedMetafileIsReadByLibwmfWithoutComplaint) {
    if (!fs::exists("/usr/bin/wmf2svg")) CURVIX_SKIP_OR_FAIL() << "wmf2svg: install libwmf-bin";
    LoadTwoFiles();
    chart.EnableTitle();
    TitleAnswer(chart, 0, "Saved title");
    const fs::path wmf = TempPath("save.wmf"), svg = TempPath("save.svg");
    SetFileDialogHook([&](TFileDialogRequest& r) {
        EXPECT_TRUE(r.save);
        EXPECT_EQ(r.dialog.Filter, "Windows metafile files (*.wmf)|*.wmf");
        r.dialog.Files = {TempPath("save").string()}; // the default extension is added
        return true;
    });
    chart.Save();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind("Plot saved (", 0), 0u) << messages[0];
    ASSERT_TRUE(fs::exists(wmf));
    EXPECT_EQ(Wmf2SvgComplaints(wmf, svg), "");
    const std::string text = ReadFile(svg);
    EXPECT_NE(text.find("Saved title"), std::string::npos);
    EXPECT_NE(text.find("v:BUS3"), std::string::npos);
    EXPECT_NE(text.find("factors:"), std::string::npos); // factor rows in the file
}

TEST_F(OutputFixture, AMetafileThatCannotBeWrittenIsReportedNotSaved) {
    LoadTwoFiles();
    SetFileDialogHook([](TFileDialogRequest& r) {
        r.dialog.Files = {"/nonexistent-dir/for/sure/plot.wmf"};
        return true;
    });
    chart.Save();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].find("Plot saved"), std::string::npos);
    EXPECT_NE(messages[0].find("/nonexistent-dir/for/sure/plot.wmf"), std::string::npos);
    messages.clear();
    SetFileDialogHook([](TFileDialogRequest&) { return false; });
    chart.Save();
    EXPECT_TRUE(messages.empty()); // cancelled: silent
}

TEST_F(OutputFixture, CopyIntoACanvasRestoresTheChartsOwnLayout) {
    LoadTwoFiles();
    chart.SetDataCursorVisible(true);
    const SPlotRect before = chart.PlotRect;
    const float scale = chart.ScalePx[0];
    const XYValues v0 = chart.GiveValues(before.left + 100, true);
    const float x0 = v0.X[0];
    TMetafile mf;
    mf.SetWidth(900);
    mf.SetHeight(1200);
    {
        TMetafileCanvas mc(mf);
        chart.Copy(&mc, {50, 600, 850, 1150}); // lower half of a page
    }
    EXPECT_EQ(chart.PlotRect.left, before.left);
    EXPECT_EQ(chart.PlotRect.top, before.top);
    EXPECT_EQ(chart.PlotRect.right, before.right);
    EXPECT_EQ(chart.PlotRect.bottom, before.bottom);
    EXPECT_FLOAT_EQ(chart.ScalePx[0], scale);
    EXPECT_EQ(chart.ChartBottom, 400);
    EXPECT_FLOAT_EQ(chart.GiveValues(before.left + 100, true).X[0], x0);
    EXPECT_FALSE(mf.Empty());
}

TEST_F(OutputFixture, ACopyOfDotsOrBarsLeavesTheMarksOnScreenUncovered) {
    for (EPlotType type : {ptSwarm, ptBar}) {
        SCOPED_TRACE(int(type));
        const auto x = Range(41, 0, 0.1);
        Load(x, {Map(x, [](double t) { return 10 * std::sin(60 * t); })});
        chart.PlotType = type;
        chart.SwarmPointSize = ssSquare;
        chart.Plot(true);
        chart.SetDataCursorVisible(true);
        chart.MarkAuto();
        const std::vector<TColor> before = Picture();
        TMetafile mf;
        mf.SetWidth(600);
        mf.SetHeight(500);
        {
            TMetafileCanvas mc(mf);
            chart.Copy(&mc, {0, 0, 600, 500});
        }
        EXPECT_TRUE(Picture() == before);
        chart.SetDataCursorVisible(false);
        chart.ResetMarkData();
    }
}

TEST_F(OutputFixture, PrintedChartHoldsTitleAndLegendAndTheScreenIsBack) {
    if (!fs::exists("/usr/bin/pdftotext"))
        CURVIX_SKIP_OR_FAIL() << "pdftotext: install poppler-utils";
    LoadTwoFiles();
    chart.EnableTitle();
    TitleAnswer(chart, 0, "Printed title");
    const SPlotRect before = chart.PlotRect;
    const fs::path pdf = TempPath("print.pdf");
    Printer().SetOutputFileName(pdf.string());
    Printer().SetResolution(300);
    chart.BlackWhite = true;
    chart.Print(3, 2);
    Printer().SetOutputFileName("");
    EXPECT_TRUE(messages.empty());
    const std::string text = PdfText(pdf);
    EXPECT_NE(text.find("Printed title"), std::string::npos) << text;
    EXPECT_NE(text.find("v:BUS1"), std::string::npos) << text;
    EXPECT_NE(text.find("file2.adf"), std::string::npos) << text;
    EXPECT_NE(text.find("factors:"), std::string::npos) << text;
    EXPECT_FALSE(chart.BlackWhite);
    EXPECT_FALSE(chart.Printing);
    EXPECT_EQ(chart.PlotRect.left, before.left);
    EXPECT_EQ(chart.PlotRect.bottom, before.bottom);
    EXPECT_EQ(chart.PlotRect.top, before.top);
}

// Sets the chart's decimal separator for one test and puts back the one before.
struct SeparatorScope {
    char old = chartnum::DecimalSeparator();
    explicit SeparatorScope(char c) { chartnum::SetDecimalSeparator(c); }
    ~SeparatorScope() { chartnum::SetDecimalSeparator(old); }
};

TEST_F(OutputFixture, DecimalCommaInTickLabelsAndLegendFactorsOfAPrint) {
    if (!fs::exists("/usr/bin/pdftotext"))
        CURVIX_SKIP_OR_FAIL() << "pdftotext: install poppler-utils";
    const SeparatorScope comma(',');
    const auto xs = Range(101, 0, 1);
    multi.Add(xs, {xs, Map(xs, [](double v) { return 0.5 * v; })});
    multi.factors = {1, 2.5f, 1};
    multi.offsets = {0, 0.25f, 0};
    multi.Give(chart, {kCurve, RGB(200, 0, 0)});
    chart.Plot(true);
    ASSERT_TRUE(messages.empty());
    const fs::path pdf = TempPath("comma.pdf");
    Printer().SetOutputFileName(pdf.string());
    Printer().SetResolution(300);
    chart.Print(3, 2);
    Printer().SetOutputFileName("");
    // Every number on the page: six ticks on each axis, then the legend's factors and
    // offsets (x variable and first curve 1 and 0, second curve 2.5 and 0.25).
    std::vector<std::string> numbers;
    std::istringstream words(PdfText(pdf));
    for (std::string w; words >> w;)
        if (std::regex_match(w, std::regex("-?[0-9][0-9.,E+-]*"))) numbers.push_back(w);
    std::sort(numbers.begin(), numbers.end());
    const std::vector<std::string> expected{"0",    "0",   "0,0", "0,0", "0,2", "0,2",
                                            "0,25", "0,4", "0,4", "0,6", "0,6", "0,8",
                                            "0,8",  "1",   "1",   "1,0", "1,0", "2,5"};
    EXPECT_EQ(numbers, expected);
    EXPECT_EQ(chart.FactorText[1], "2,5");
    EXPECT_EQ(chart.OffsetText[1], "0,25");
}
