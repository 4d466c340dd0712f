// The Fourier window and its two dialogs as the program builds them: a curve's harmonics
// on screen, the options dialog's refusals, times, orders, units and sizes, and copy and
// print read back from the clipboard, libwmf and poppler.
#include "AppTestKit.h"
#include "ShellOutput.h"
#include "MissingTool.h"
#include "ScratchFiles.h"

#include "Clipboard.h"
#include "DFTChartFF.h"
#include "DFTOptionsFF.h"
#include "DataSelFF.h"
#include "DateText.h"
#include "FourCopyPrintInfo.h"
#include "Metafile.h"
#include "NumericText.h"
#include "Printer.h"
#include "RecordingCanvas.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <regex>

namespace {

// theta = 2 pi 50 (t - 0.0801): the base period 0.08 ... 0.1 s starts at 0.0801.
double Mix(double t) {
    const double th = 2 * M_PI * 50 * (t - 0.0801);
    return 1.5 + 10 * std::sin(th + M_PI / 6) + 0.8 * std::cos(2 * th) +
           2 * std::sin(3 * th - M_PI / 4);
}

std::string Shell(const std::string& cmd) {
    int status = 0;
    std::string out = testsupport::ShellOutput(cmd, &status);
    if (status != 0) out += "\n(exit status not 0)";
    return out;
}

class FourierWindow : public ::testing::Test {
protected:
    AppTestKit kit;
    CurvixUnderTest cx;
    TDFTChartForm& chart = *cx.w.DFTChart;
    TDFTOptions& dialog = *cx.w.DFTOptions;
    TFourCopyInfo& info = *cx.w.FourCopyInfo;
    TDateHook oldDate = SetDateHook([] { return std::string("24/12/2023"); });
    std::vector<float> t, x;
    testsupport::ScratchDir scratch;

    ~FourierWindow() override { SetDateHook(oldDate); }

    // 1001 samples at 10 kHz in slot 2, base period 0.08 ... 0.1 s, the window shown.
    void Give(const std::function<double(double)>& f) {
        t.clear();
        x.clear();
        for (int k = 0; k <= 1000; ++k) {
            t.push_back(static_cast<float>(k / 1e4));
            x.push_back(static_cast<float>(f(k / 1e4)));
        }
        cx.globals.fourierStart[2] = 0.08f;
        cx.globals.timeMax[2] = 0.1f;
        chart.SetData(t.data(), x.data(), "v:BUS1", "/data/mix.adf", 2, true, 1001);
        chart.Show();
        chart.FormShow(&chart);
    }
    // The options dialog with some fields changed, closed with OK.
    void Options(const std::function<void(TDFTOptions&)>& change) {
        kit.modalScript.push_back([this, change](TCustomForm&) {
            change(dialog);
            dialog.OkBtn.Click();
            return dialog.ModalResult();
        });
        chart.OptionsBtnClick(&chart);
    }
    void Orders(const char* first, const char* last) {
        Options([&](TDFTOptions& d) {
            d.ArmMinEdit.SetText(first);
            d.ArmMaxEdit.SetText(last);
        });
    }
    // The copy/print dialog answered with an item and the boxes.
    void Choose(int item, bool amplitude = true, bool phase = true) {
        kit.modalScript.push_back([this, item, amplitude, phase](TCustomForm&) {
            info.RadioGroup1.SetItemIndex(item);
            info.AmplBox.SetChecked(amplitude);
            info.PhaseBox.SetChecked(phase);
            info.RadioGroup1.SetItemIndex(item); // a ticked box chose the charts
            info.GoBtn.Click();
            return info.ModalResult();
        });
    }
};

} // namespace

TEST_F(FourierWindow, ShowsBarsLabelsThdAndTheReadOut) {
    Give(Mix);
    EXPECT_EQ(chart.Period, (SBasePeriod{801, 1000}));
    EXPECT_NEAR(chart.Displayed[1], 10, 1e-4);
    EXPECT_EQ(chart.Label1.Caption(), "Initial time: 0.08");
    EXPECT_EQ(chart.Label2.Caption(), "Final time: 0.1");
    EXPECT_EQ(dialog.InitialTimeEdit.Text(), "0.08");
    EXPECT_EQ(dialog.ArmMaxEdit.Text(), "30");
    EXPECT_EQ(chart.ChartTypeLabel.Hint(), "THD=21.541%"); // sqrt(0.8^2 + 2^2) / 10
    EXPECT_TRUE(chart.ChartTypeLabel.ShowHint());
    // The charts fill the client area left of the side panel, bars drawn.
    const int w = chart.ClientWidth() - chart.Panel1.Width();
    EXPECT_EQ(chart.Panel1.Left(), w);
    EXPECT_EQ(chart.AmplChart->Width(), w - 1);
    EXPECT_EQ(chart.AmplChart->Height(), static_cast<int>(chart.ClientHeight() * 0.7f));
    EXPECT_EQ(chart.PhaseChart->Top(), static_cast<int>(chart.ClientHeight() * 0.7f + 2));
    const SPlotRect& p = chart.AmplChart->PlotRect;
    const int bar =
        static_cast<int>((1 - chart.AmplChart->Axes.x.lowerData) * chart.AmplChart->ScalePx[0]) +
        p.left + chart.AmplChart->BarMarginPx;
    EXPECT_NE(chart.AmplChart->Canvas().GetPixel(bar, p.bottom - 5), clWhite);
    // The read-out of the bar under the cursor.
    chart.AmplChart->SetDataCursorVisible(true);
    EXPECT_EQ(chart.ChartTypeLabel.Caption(), "Ampl. Chart");
    EXPECT_EQ(chart.ValueLabelTxt.Caption(), "Value [peak]");
    const std::string harm = chart.HarmNumLabel.Caption();
    ASSERT_EQ(harm.rfind("Harm. num.: ", 0), 0u) << harm;
    EXPECT_EQ(chart.ValueLabel.Caption(),
              FormatNumber(chart.Displayed[std::stoi(harm.substr(12))], 4));
    chart.PhaseChart->SetDataCursorVisible(true);
    EXPECT_EQ(chart.ChartTypeLabel.Caption(), "Phase Chart");
    EXPECT_EQ(chart.ValueLabelTxt.Caption(), "Value [deg]");
    EXPECT_TRUE(kit.messages.empty()) << kit.MessageLines()[0];
}

TEST_F(FourierWindow, OptionsRefuseUnderInvalidDataWithTheFieldSelected) {
    Give(Mix);
    const struct {
        const char *initial, *final_;
        TEdit TDFTOptions::*field;
        std::string message;
    } rows[] = {
        {"abc", "0.1", &TDFTOptions::InitialTimeEdit, "Invalid Initial time of the base period"},
        {"0.08", "0.10002", &TDFTOptions::FinalTimeEdit,
         "Invalid final time of the base period:\nthe selected time cannot be larger than the "
         "largest time in data;\nlargest available time: 0.1"},
        {"0.08", "0.08004", &TDFTOptions::InitialTimeEdit,
         "Invalid base period:\nit should hold at least 3 samples"},
    };
    for (const auto& r : rows) {
        kit.messages.clear();
        kit.modalScript.push_back([&](TCustomForm&) {
            dialog.InitialTimeEdit.SetText(r.initial);
            dialog.FinalTimeEdit.SetText(r.final_);
            dialog.OkBtn.Click();
            EXPECT_EQ(dialog.ModalResult(), mrNone) << r.message; // the dialog stays open
            const TEdit& field = dialog.*(r.field);
            EXPECT_EQ(FocusedLineText("QJ's Curvix - Fourier Options"), field.Text());
            EXPECT_EQ(field.SelLength(), static_cast<int>(field.Text().size()));
            return TModalResult(mrCancel);
        });
        chart.OptionsBtnClick(&chart);
        ASSERT_EQ(kit.messages.size(), 1u);
        EXPECT_EQ(kit.messages[0].Line(), "Invalid data: " + r.message);
        EXPECT_EQ(kit.messages[0].flags, unsigned(MB_OK | MB_ICONEXCLAMATION));
    }
    EXPECT_EQ(chart.Period, (SBasePeriod{801, 1000})); // nothing changed meanwhile
}

TEST_F(FourierWindow, AcceptedTimesAreClampedAndOrdersNeverShowStaleValues) {
    Give(Mix);
    const float* arrays = chart.Harmonics.amplitude.data();
    Orders("2", "10"); // within what was computed: reused
    EXPECT_EQ(chart.Harmonics.amplitude.data(), arrays);
    EXPECT_NEAR(chart.THD, 21.541, 1e-3); // divided by order 1, though the chart starts at 2
    EXPECT_EQ(chart.AmplChart->FullRect[1], 10.0f);
    Orders("5", "40");
    EXPECT_EQ(chart.Harmonics.last, 40);
    Orders("0", "40"); // lower first order, reused: every order was computed
    EXPECT_NEAR(chart.Displayed[1], 10, 1e-4);
    EXPECT_NEAR(chart.Displayed[3], 2, 1e-4);

    Options([](TDFTOptions& d) {
        d.InitialTimeEdit.SetText("0.06");
        d.FinalTimeEdit.SetText("0.1000001"); // within the tolerance, after the last sample
    });
    EXPECT_EQ(kit.quits, 0);
    EXPECT_EQ(chart.Period, (SBasePeriod{601, 1000}));
    EXPECT_EQ(cx.globals.fourierStart[2], 0.06f);
    EXPECT_EQ(cx.globals.timeMax[2], 0.1f);
    EXPECT_EQ(chart.Label1.Caption(), "Initial time: 0.06");
    EXPECT_NEAR(chart.Displayed[2], 10, 1e-3); // two cycles: order 2 is the 50 Hz wave
}

TEST_F(FourierWindow, UnitsZeroReferencesAndTheThdHint) {
    Give(Mix);
    // The amplitude axis' unit as drawn: the curve's volts, then a ratio, then volts again.
    auto axisTexts = [this] {
        TRecordingCanvas rec;
        chart.AmplChart->Copy(&rec,
                              Rect(0, 0, chart.AmplChart->Width(), chart.AmplChart->Height()));
        std::vector<std::string> texts;
        for (const TCanvasCall& call : rec.Calls)
            if (call.op == TCanvasOp::TextOut) texts.push_back(call.text);
        return texts;
    };
    // Drawn once: on the amplitude axis, never on the order axis.
    auto shows = [](const std::vector<std::string>& texts, const std::string& text) {
        return std::count(texts.begin(), texts.end(), text);
    };
    EXPECT_EQ(shows(axisTexts(), "[V]"), 1);
    Options([](TDFTOptions& d) { d.UnitRadioGroup.SetItemIndex(fuPuOfHarm1); });
    EXPECT_NEAR(chart.Displayed[0], 0.15, 1e-5);
    EXPECT_EQ(shows(axisTexts(), "[V]"), 0);
    EXPECT_EQ(shows(axisTexts(), "[pu]"), 1);
    Options([](TDFTOptions& d) { d.UnitRadioGroup.SetItemIndex(fuRmsPerHarm0); });
    EXPECT_EQ(shows(axisTexts(), "[pu]"), 1);
    Options([](TDFTOptions& d) { d.UnitRadioGroup.SetItemIndex(fuRms); });
    EXPECT_NEAR(chart.Displayed[1], 7.0711, 1e-4);
    EXPECT_EQ(chart.AmplChart->AutoLabel, cx.options.Flag(poAutoLabel));
    EXPECT_EQ(shows(axisTexts(), "[V]"), 1);
    // The read-out follows the new unit and orders at once, for the bar under the cursor.
    Orders("1", "3");
    EXPECT_EQ(chart.ChartTypeLabel.Caption(), "Ampl. Chart");
    EXPECT_EQ(chart.ValueLabelTxt.Caption(), "Value [rms]");
    const std::string harm = chart.HarmNumLabel.Caption();
    ASSERT_EQ(harm.rfind("Harm. num.: ", 0), 0u) << harm;
    const int h = std::stoi(harm.substr(12));
    EXPECT_TRUE(h >= 1 && h <= 3) << h;
    EXPECT_EQ(chart.ValueLabel.Caption(), FormatNumber(chart.Displayed[h], 4));

    // Silence: no THD, no reference for the relative units.
    Give([](double) { return 0.0; });
    EXPECT_FALSE(chart.ChartTypeLabel.ShowHint());
    Options([](TDFTOptions& d) { d.UnitRadioGroup.SetItemIndex(fuRmsPerHarm0); });
    EXPECT_EQ(kit.MessageLines(), std::vector<std::string>{"Warning: The mean value (harmonic 0) "
                                                           "is zero:\nthe amplitudes are shown "
                                                           "as peak values"});
    EXPECT_EQ(dialog.UnitRadioGroup.ItemIndex(), fuPeak);
    EXPECT_TRUE(std::all_of(chart.Displayed.begin(), chart.Displayed.end(),
                            [](float v) { return std::isfinite(v); }));
    // The options show the hint for first orders up to 2, even undefined.
    EXPECT_EQ(chart.ChartTypeLabel.Hint(), "THD=-1%");
    EXPECT_TRUE(chart.ChartTypeLabel.ShowHint());
    Orders("3", "30");
    EXPECT_FALSE(chart.ChartTypeLabel.ShowHint());
}

TEST_F(FourierWindow, SizeChangeLaysOutAndRescalesBothCharts) {
    Give(Mix);
    Options([](TDFTOptions& d) {
        d.SizeRadioGroup.SetItemIndex(0);
        d.ArmMaxEdit.SetText("10");
    });
    EXPECT_EQ(chart.AmplChart->Height(), static_cast<int>(chart.ClientHeight() * 0.5f));
    // Both charts take the new orders' range, not the ends (0 ... 30) they had before.
    EXPECT_LT(chart.AmplChart->DispRect.xUpper, 30);
    EXPECT_LT(chart.PhaseChart->DispRect.xUpper, 30);
    Options([](TDFTOptions& d) { d.SizeRadioGroup.SetItemIndex(2); });
    EXPECT_FALSE(chart.PhaseChart->Visible());
    EXPECT_EQ(chart.AmplChart->Height(), chart.ClientHeight());
    EXPECT_EQ(info.AmplitudeOnly, 1);
}

TEST_F(FourierWindow, CopiesTheNumbersAsText) {
    Give(Mix);
    Orders("0", "3");
    Choose(1);
    chart.CopyBtnClick(&chart);
    EXPECT_EQ(Clipboard().AsText(), "QJ's Curvix - Fourier chart(s).  Copying date: 24/12/2023\r\n"
                                    "File mix.adf   Variable v:BUS1 [peak]\r\n"
                                    "Initial Time: 0.08    Final Time: 0.1\r\n"
                                    "Harm.\tAmplitude\tPhase\r\n"
                                    "0\t1.5\t0\r\n"
                                    "1\t10\t30\r\n"
                                    "2\t0.8\t90\r\n"
                                    "3\t2\t-45\r\n"
                                    "\r\n THD=21.541%\r\n"
                                    "\r\n");
    EXPECT_EQ(kit.MessageLines(), std::vector<std::string>{"Information: Fourier numerical data "
                                                           "copied into Win95 Clipboard"});
    EXPECT_EQ(info.Caption(), "QJ's Curvix - Fourier chart - Copy...");
    EXPECT_EQ(info.GoBtn.Caption(), "Copy");
    Options([](TDFTOptions& d) {
        d.UnitRadioGroup.SetItemIndex(fuRms);
        d.ArmMinEdit.SetText("3");
        d.ArmMaxEdit.SetText("4");
    });
    Choose(1);
    chart.CopyBtnClick(&chart);
    const std::string text = Clipboard().AsText();
    EXPECT_NE(text.find("v:BUS1 [rms]\r\nInitial"), std::string::npos) << text;
    EXPECT_NE(text.find("Phase\r\n3\t1.4142\t-45\r\n4\t"), std::string::npos) << text;
    EXPECT_EQ(text.find("THD"), std::string::npos) << text; // not from order 3 on
    // From order 2 the line is there, its ratio taken to the order-1 amplitude not listed.
    Orders("2", "3");
    Choose(1);
    chart.CopyBtnClick(&chart);
    const std::string two = Clipboard().AsText();
    EXPECT_TRUE(two.ends_with("Phase\r\n2\t0.56569\t90\r\n3\t1.4142\t-45\r\n"
                              "\r\n THD=21.541%\r\n\r\n"))
        << two;
}

TEST_F(FourierWindow, CopiesTheChartsAsAMetafileOfTheFormulasHeight) {
    if (!std::filesystem::exists("/usr/bin/wmf2svg"))
        CURVIX_SKIP_OR_FAIL() << "libwmf-bin is not installed";
    Give(Mix);
    // The copy's line heights: bold title at the largest size that fits, the rest smaller.
    auto lines = [&] {
        TMetafile probe;
        TMetafileCanvas c(probe);
        c.Font().SetName("Arial");
        c.Font().SetStyle(fsBold);
        int s = 14;
        for (; s > 5; --s) {
            c.Font().SetSize(s);
            if (c.TextWidth("QJ's Curvix - Fourier chart(s).  Copying date: 24/12/2023") <=
                chart.AmplChart->Width())
                break;
        }
        c.Font().SetSize(s);
        const int h1 = c.TextHeight("W");
        c.Font().SetStyle(0);
        c.Font().SetSize(s - 1);
        return std::pair{h1 + 2 * c.TextHeight("W"), c.TextHeight("harmonic order")};
    };
    auto [header, hh] = lines();
    Choose(0);
    chart.CopyBtnClick(&chart);
    ASSERT_EQ(kit.MessageLines().back(),
              "Information: Fourier Plot(s) copied into Win95 Clipboard");
    TMetafile mf;
    ASSERT_EQ(Clipboard().GetMetafile(mf), "");
    EXPECT_EQ(mf.Width(), chart.AmplChart->Width());
    EXPECT_EQ(mf.Height(),
              header + chart.AmplChart->Height() + hh + chart.PhaseChart->Height() + hh);
    const std::string wmf = scratch.file("f.wmf"), svg = scratch.file("f.svg");
    ASSERT_EQ(mf.SaveToFile(wmf), "");
    EXPECT_EQ(Shell("/usr/bin/wmf2svg -o " + svg + " " + wmf + " 2>&1"), "");
    const std::string picture = testsupport::readFile(svg);
    for (const char* want : {"Copying date: 24/12/2023", "Variable v:BUS1 [peak]",
                             "Initial Time: 0.08", "harmonic order"})
        EXPECT_NE(picture.find(want), std::string::npos) << want;

    // Amplitude chart alone on screen: the phase chart is not copied though its box is ticked.
    Options([](TDFTOptions& d) { d.SizeRadioGroup.SetItemIndex(2); });
    std::tie(header, hh) = lines(); // a pixel wider: the title may fit a size larger
    Choose(0, true, true);
    chart.CopyBtnClick(&chart);
    EXPECT_FALSE(info.PhaseBox.Enabled());
    ASSERT_EQ(Clipboard().GetMetafile(mf), "");
    EXPECT_EQ(mf.Height(), header + chart.AmplChart->Height() + hh);

    Clipboard().Clear();
    Choose(0, false, false);
    chart.CopyBtnClick(&chart);
    EXPECT_EQ(kit.MessageLines().back(),
              "Information: Nothing copied because nothing to copy was selected!");
    EXPECT_FALSE(Clipboard().HasMetafile());
    // Numerical data disables both boxes; ticking one chooses the charts again.
    info.RadioGroup1.SetItemIndex(1);
    EXPECT_FALSE(info.AmplBox.Enabled());
    info.AmplBox.SetChecked(true);
    EXPECT_EQ(info.RadioGroup1.ItemIndex(), 0);
    EXPECT_TRUE(info.AmplBox.Enabled());
}

TEST_F(FourierWindow, PrintsChartsAndPagedNumbersIntoAPdf) {
    if (!std::filesystem::exists("/usr/bin/pdftotext"))
        CURVIX_SKIP_OR_FAIL() << "pdftotext: install poppler-utils";
    Give(Mix);
    const std::string pdf = scratch.file("fourier.pdf");
    Printer().SetOutputFileName(pdf);
    Printer().SetResolution(300);
    // poppler's text with runs of blanks made one.
    auto pdfText = [&] {
        return std::regex_replace(Shell("/usr/bin/pdftotext -layout " + pdf + " -"),
                                  std::regex(" +"), " ");
    };
    Choose(0);
    chart.PrintButtonClick(&chart);
    EXPECT_EQ(info.Caption(), "QJ's Curvix - Fourier chart - Print...");
    std::string text = pdfText();
    for (const char* want :
         {"QJ's Curvix - Fourier bar chart(s). Printing date: 24/12/2023",
          "File /data/mix.adf Variable v:BUS1 Initial Time: 0.08 Final Time: 0.1"})
        EXPECT_NE(text.find(want), std::string::npos) << want << "\n" << text;

    // 200 rows, resolved by the whole record, do not fit one page: every page starts with
    // the title and the heads.
    Options([](TDFTOptions& d) {
        d.InitialTimeEdit.SetText("0");
        d.ArmMaxEdit.SetText("200");
    });
    Choose(1);
    chart.PrintButtonClick(&chart);
    Printer().SetOutputFileName("");
    text = pdfText();
    const std::regex heading(R"(QJ's Curvix - Fourier numerical data\. Printing date: )"
                             R"(24/12/2023\s+Harm\. Amplitude Phase)");
    const auto pages = std::distance(std::sregex_iterator(text.begin(), text.end(), heading),
                                     std::sregex_iterator());
    EXPECT_GE(pages, 3);
    EXPECT_EQ(pages, std::count(text.begin(), text.end(), '\f')) << text;
    EXPECT_TRUE(std::regex_search(text, std::regex(R"((^|\n) ?200 [-0-9.E]+ [-0-9.E]+\s)")));
    EXPECT_TRUE(std::regex_search(text, std::regex(R"(\nTHD=[0-9.E+]+%)"))) << text;
    EXPECT_TRUE(kit.messages.empty()) << kit.MessageLines()[0];
}

TEST(FourierWindowPlace, CaptionNumberAndPlaceUnderTheMainWindowOrRemembered) {
    AppTestKit kit;
    CurvixUnderTest cx;
    SGlobalVars globals = cx.globals;
    SProgramOptions options = cx.options;
    SAppContext ctx{globals, options, cx.ctx.windows};
    globals.instanceNumber = 4;
    options.SetFlag(poRememberWindows, false);
    TDFTChartForm below(nullptr, ctx);
    below.DoCreate();
    EXPECT_EQ(below.Caption(), "QJ's Curvix - Fourier chart (4)");
    const TDataSelForm& main = *cx.w.DataSel;
    EXPECT_EQ(below.Left(), main.Left());
    EXPECT_EQ(below.Top(), main.Top() + main.Height() + 1);

    options.SetFlag(poRememberWindows, true);
    globals.winPos[9] = 120; // top, left, width, height
    globals.winPos[10] = 40;
    globals.winPos[11] = 700;
    globals.winPos[12] = 500;
    TDFTChartForm remembered(nullptr, ctx);
    remembered.DoCreate();
    EXPECT_EQ(std::vector<int>(
                  {remembered.Top(), remembered.Left(), remembered.Width(), remembered.Height()}),
              std::vector<int>({120, 40, 700, 500}));
    EXPECT_EQ(remembered.AmplChart->Width(),
              remembered.ClientWidth() - remembered.Panel1.Width() - 1);
}

// Times far from zero: the edits show five digits, but OK with only the unit changed keeps
// the base period, and so the amplitudes and THD, exactly as they were.
TEST_F(FourierWindow, OkWithOnlyTheUnitChangedKeepsTheBasePeriod) {
    const double t0 = 123.4567;
    t.clear();
    x.clear();
    for (int k = 0; k <= 1000; ++k) {
        const double tk = t0 + k / 1e4, th = 2 * M_PI * 50 * (tk - (t0 + 0.0801));
        t.push_back(static_cast<float>(tk));
        x.push_back(static_cast<float>(10 * std::sin(th) + std::sin(3 * th)));
    }
    cx.globals.fourierStart[2] = static_cast<float>(t0 + 0.08);
    cx.globals.timeMax[2] = static_cast<float>(t0 + 0.1);
    chart.SetData(t.data(), x.data(), "v:BUS1", "/data/far.adf", 2, true, 1001);
    chart.Show();
    chart.FormShow(&chart);
    ASSERT_EQ(chart.Period, (SBasePeriod{801, 1000}));
    EXPECT_EQ(dialog.InitialTimeEdit.Text(), "123.54");
    EXPECT_NEAR(chart.Displayed[1], 10, 1e-3);
    EXPECT_NEAR(chart.THD, 10, 1e-3);
    Options([](TDFTOptions& d) { d.UnitRadioGroup.SetItemIndex(fuRms); });
    EXPECT_EQ(chart.Period, (SBasePeriod{801, 1000}));
    EXPECT_NEAR(chart.Displayed[1], 7.0711, 1e-3);
    EXPECT_NEAR(chart.THD, 10, 1e-3);
    // A time typed anew is read as typed.
    Options([](TDFTOptions& d) { d.InitialTimeEdit.SetText("123.540"); });
    EXPECT_EQ(chart.Period.start, 834);
}
