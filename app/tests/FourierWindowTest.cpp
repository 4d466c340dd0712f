// The Fourier window and its two dialogs as the program builds them: showing a curve's
// harmonics, the options dialog's refusals, units, orders and sizes, the read-out, and copy
// and print read back from the clipboard, libwmf and poppler.
#include "AppTestKit.h"
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

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>

#include <algorithm>
#include <cmath>
#include <regex>
#include <cstdlib>
#include <filesystem>
#include <functional>

namespace fs = std::filesystem;

namespace {

constexpr double kDeg = M_PI / 180;

// theta = 2 pi 50 (t - 0.0801): the base period 0.08 ... 0.1 s starts at 0.0801.
double Mix(double t) {
    const double th = 2 * M_PI * 50 * (t - 0.0801);
    return 1.5 + 10 * std::sin(th + 30 * kDeg) + 0.8 * std::cos(2 * th) +
           2 * std::sin(3 * th - 45 * kDeg);
}
double Sine(double t) {
    return 2 * std::sin(2 * M_PI * 50 * (t - 0.0801) + 30 * kDeg);
}

std::string Shell(const std::string& cmd) {
    std::string out;
    if (FILE* p = ::popen(cmd.c_str(), "r")) {
        char buf[4096];
        while (std::size_t got = std::fread(buf, 1, sizeof buf, p))
            out.append(buf, got);
        if (::pclose(p) != 0) out += "\n(exit status not 0)";
    }
    return out;
}

// The text of the line edit that has (or gets, once its window is active) the focus.
std::string FocusedLineText(const std::string& windowTitle) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->windowTitle().toStdString() == windowTitle)
            if (auto* line = qobject_cast<QLineEdit*>(w->focusWidget()))
                return line->text().toStdString();
    return "(no focused field)";
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

    // 1001 samples at 10 kHz, base period 0.08 ... 0.1 s, then the window shown.
    void Give(const std::function<double(double)>& f, const char* name = "v:BUS1") {
        t.clear();
        x.clear();
        for (int k = 0; k <= 1000; ++k) {
            t.push_back(static_cast<float>(k / 1e4));
            x.push_back(static_cast<float>(f(k / 1e4)));
        }
        cx.globals.fourierStart[2] = 0.08f;
        cx.globals.timeMax[2] = 0.1f;
        chart.SetData(t.data(), x.data(), name, "/data/mix.adf", 2, true, 1001);
        chart.Show();
        chart.FormShow(&chart);
    }
    // The options dialog with some fields changed, closed with OK.
    void Options(const std::function<void(TDFTOptions&)>& change) {
        kit.modalScript.push_back([this, change](TCustomForm& f) {
            EXPECT_EQ(&f, &dialog);
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
    // The copy/print dialog answered with a choice of item and boxes.
    void Choose(int item, bool amplitude = true, bool phase = true) {
        kit.modalScript.push_back([this, item, amplitude, phase](TCustomForm& f) {
            EXPECT_EQ(&f, &info);
            info.RadioGroup1.SetItemIndex(item);
            info.AmplBox.SetChecked(amplitude);
            info.PhaseBox.SetChecked(phase);
            info.RadioGroup1.SetItemIndex(item);
            info.GoBtn.Click();
            return info.ModalResult();
        });
    }
    int InkIn(TLineChart& c) {
        int n = 0;
        const SPlotRect& p = c.PlotRect;
        for (int py = p.top + 1; py < p.bottom; ++py)
            for (int px = p.left + 1; px < p.right; ++px)
                n += c.Canvas().GetPixel(px, py) == clBlack ? 1 : 0;
        return n;
    }
};

} // namespace

TEST_F(FourierWindow, ShowsBarsLabelsAndThdOfTheBasePeriod) {
    Give(Mix);
    EXPECT_EQ(chart.Caption(), "QJ's Curvix - Fourier chart");
    EXPECT_EQ(chart.Period, (SBasePeriod{801, 1000}));
    EXPECT_NEAR(chart.Displayed[0], 1.5, 1e-5);
    EXPECT_NEAR(chart.Displayed[1], 10, 1e-4);
    EXPECT_NEAR(chart.Harmonics.phase[1], 30, 1e-3);
    EXPECT_EQ(chart.Label1.Caption(), "Initial time: 0.08");
    EXPECT_EQ(chart.Label2.Caption(), "Final time: 0.1");
    EXPECT_EQ(dialog.InitialTimeEdit.Text(), "0.08");
    EXPECT_EQ(dialog.FinalTimeEdit.Text(), "0.1");
    EXPECT_EQ(dialog.ArmMaxEdit.Text(), "30");
    EXPECT_EQ(chart.ChartTypeLabel.Hint(), "THD=21.541%"); // sqrt(0.8^2 + 2^2) / 10
    EXPECT_TRUE(chart.ChartTypeLabel.ShowHint());
    EXPECT_TRUE(chart.PhaseChart->Visible());
    EXPECT_EQ(info.AmplitudeOnly, 0);
    EXPECT_GT(InkIn(*chart.AmplChart), 0);
    EXPECT_GT(InkIn(*chart.PhaseChart), 0);
    EXPECT_EQ(chart.AmplChart->DispRect.xUpper >= 30, true);
    // Layout: the charts fill the client area left of the side panel.
    const int w = chart.ClientWidth() - chart.Panel1.Width();
    EXPECT_EQ(chart.AmplChart->Width(), w - 1);
    EXPECT_EQ(chart.AmplChart->Height(), static_cast<int>(chart.ClientHeight() * 0.7f));
    EXPECT_EQ(chart.PhaseChart->Top(), static_cast<int>(chart.ClientHeight() * 0.7f + 2));
    EXPECT_EQ(chart.Panel1.Left(), w);
    EXPECT_TRUE(kit.messages.empty()) << kit.MessageLines()[0];
}

TEST_F(FourierWindow, SilenceHidesTheThdHint) {
    Give([](double) { return 0.0; });
    EXPECT_FALSE(chart.ChartTypeLabel.ShowHint());
    EXPECT_EQ(chart.THD, -1.0f);
    // The options show it again for first orders up to 2, -1 included.
    Orders("2", "30");
    EXPECT_TRUE(chart.ChartTypeLabel.ShowHint());
    EXPECT_EQ(chart.ChartTypeLabel.Hint(), "THD=-1%");
    Orders("3", "30");
    EXPECT_FALSE(chart.ChartTypeLabel.ShowHint());
}

TEST_F(FourierWindow, OptionsRefuseUnderInvalidDataWithTheFieldSelected) {
    Give(Mix);
    struct SCase {
        std::function<void(TDFTOptions&)> set;
        TEdit TDFTOptions::*field;
        std::string message;
    };
    const SCase cases[] = {
        {[](TDFTOptions& d) { d.InitialTimeEdit.SetText("abc"); }, &TDFTOptions::InitialTimeEdit,
         "Invalid Initial time of the base period"},
        {[](TDFTOptions& d) { d.FinalTimeEdit.SetText("0.10002"); }, &TDFTOptions::FinalTimeEdit,
         "Invalid final time of the base period:\nthe selected time cannot be larger than the "
         "largest time in data;\nlargest available time: 0.1"},
        {[](TDFTOptions& d) { d.FinalTimeEdit.SetText("0.08004"); }, &TDFTOptions::InitialTimeEdit,
         "Invalid base period:\nit should hold at least 3 samples"},
    };
    for (const SCase& c : cases) {
        kit.messages.clear();
        bool refused = false;
        kit.modalScript.push_back([&](TCustomForm&) {
            dialog.InitialTimeEdit.SetText("0.08");
            dialog.FinalTimeEdit.SetText("0.1");
            c.set(dialog);
            dialog.OkBtn.Click();
            refused = dialog.ModalResult() == mrNone;
            TEdit& field = dialog.*(c.field);
            EXPECT_EQ(field.SelLength(), static_cast<int>(field.Text().size())) << c.message;
            EXPECT_EQ(FocusedLineText("QJ's Curvix - Fourier Options"), field.Text()) << c.message;
            return TModalResult(mrCancel);
        });
        chart.OptionsBtnClick(&chart);
        EXPECT_TRUE(refused) << c.message;
        ASSERT_EQ(kit.messages.size(), 1u);
        EXPECT_EQ(kit.messages[0].title, "Invalid data");
        EXPECT_EQ(kit.messages[0].text, c.message);
        EXPECT_EQ(kit.messages[0].flags, unsigned(MB_OK | MB_ICONEXCLAMATION));
        EXPECT_FALSE(chart.OptionsAccepted);
    }
    // Nothing of the window changed meanwhile.
    EXPECT_EQ(chart.Period, (SBasePeriod{801, 1000}));
    EXPECT_EQ(cx.globals.timeMax[2], 0.1f);
}

TEST_F(FourierWindow, AcceptedTimesAreClampedAndStoredForTheSlot) {
    Give(Mix);
    Options([](TDFTOptions& d) {
        d.InitialTimeEdit.SetText("0.06");
        d.FinalTimeEdit.SetText("0.1000001"); // within the tolerance, after the last sample
    });
    EXPECT_TRUE(chart.OptionsAccepted);
    EXPECT_EQ(kit.quits, 0);
    EXPECT_EQ(chart.Period.end, 1000);
    EXPECT_EQ(chart.Period.start, 601);
    EXPECT_EQ(cx.globals.fourierStart[2], 0.06f);
    EXPECT_EQ(cx.globals.timeMax[2], 0.1f);
    EXPECT_EQ(chart.Label1.Caption(), "Initial time: 0.06");
    // Two periods: order 2 of this window is the 50 Hz wave.
    EXPECT_NEAR(chart.Displayed[2], 10, 1e-3);
}

TEST_F(FourierWindow, OrdersReuseOrRecomputeAndNeverShowStaleValues) {
    Give(Mix);
    const float* arrays = chart.Harmonics.amplitude.data();
    Orders("2", "10"); // within what was computed
    EXPECT_EQ(chart.Harmonics.amplitude.data(), arrays);
    EXPECT_EQ(chart.Harmonics.last, 30);
    EXPECT_NEAR(chart.THD, 21.541, 1e-3); // from order 1 though the chart starts at 2
    EXPECT_EQ(chart.AmplChart->FullRect[0], 2.0f);
    EXPECT_EQ(chart.AmplChart->FullRect[1], 10.0f);
    Orders("5", "40");
    EXPECT_EQ(chart.Harmonics.last, 40);
    Orders("0", "40"); // lowering the first order reuses, with every order computed
    EXPECT_EQ(chart.Harmonics.last, 40);
    EXPECT_NEAR(chart.Displayed[1], 10, 1e-4);
    EXPECT_NEAR(chart.Displayed[3], 2, 1e-4);
}

TEST_F(FourierWindow, UnitsAndAZeroReference) {
    Give(Mix);
    Options([](TDFTOptions& d) { d.UnitRadioGroup.SetItemIndex(fuPuOfHarm1); });
    EXPECT_NEAR(chart.Displayed[1], 1, 1e-6);
    EXPECT_NEAR(chart.Displayed[0], 0.15, 1e-5);
    EXPECT_FALSE(chart.AmplChart->AutoLabel);
    Options([](TDFTOptions& d) { d.UnitRadioGroup.SetItemIndex(fuRms); });
    EXPECT_NEAR(chart.Displayed[1], 7.0711, 1e-4);
    EXPECT_EQ(chart.AmplChart->AutoLabel, cx.options.Flag(poAutoLabel));

    // A pure sine has no mean: per harmonic 0 keeps the peak values, with a warning.
    Give(Sine);
    Options([](TDFTOptions& d) { d.UnitRadioGroup.SetItemIndex(fuRmsPerHarm0); });
    ASSERT_EQ(kit.messages.size(), 1u);
    EXPECT_EQ(kit.messages[0].Line(),
              "Warning: The mean value (harmonic 0) is zero:\nthe amplitudes are shown as peak "
              "values");
    EXPECT_EQ(chart.Unit, fuPeak);
    EXPECT_EQ(dialog.UnitRadioGroup.ItemIndex(), fuPeak);
    EXPECT_NEAR(chart.Displayed[1], 2, 1e-4);
    for (int h = 0; h <= 30; ++h)
        EXPECT_TRUE(std::isfinite(chart.Displayed[h])) << h;
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
    // The choice of size outlives FormShow, which resets orders and unit.
    chart.FormShow(&chart);
    EXPECT_EQ(dialog.SizeRadioGroup.ItemIndex(), 2);
    EXPECT_EQ(chart.LastOrder, 30);
}

TEST_F(FourierWindow, ReadOutFollowsTheChartUnderTheCursor) {
    Give(Mix);
    Options([](TDFTOptions& d) { d.UnitRadioGroup.SetItemIndex(fuRms); });
    chart.AmplChart->SetDataCursorVisible(true);
    EXPECT_EQ(chart.ChartTypeLabel.Caption(), "Ampl. Chart");
    EXPECT_EQ(chart.ValueLabelTxt.Caption(), "Value [rms]");
    const std::string harm = chart.HarmNumLabel.Caption();
    ASSERT_EQ(harm.rfind("Harm. num.: ", 0), 0u) << harm;
    const int order = std::stoi(harm.substr(12));
    EXPECT_EQ(chart.ValueLabel.Caption(), FormatNumber(chart.Displayed[order], 4));
    chart.PhaseChart->SetDataCursorVisible(true);
    EXPECT_EQ(chart.ChartTypeLabel.Caption(), "Phase Chart");
    EXPECT_EQ(chart.ValueLabelTxt.Caption(), "Value [deg]");
}

TEST_F(FourierWindow, InfoNamesTheFileAndVariable) {
    Give(Mix);
    chart.InfoBtnClick(&chart);
    ASSERT_EQ(kit.messages.size(), 1u);
    EXPECT_EQ(kit.messages[0].Line(),
              "Information on Fourier chart: File /data/mix.adf\nVariable v:BUS1\n");
    EXPECT_EQ(kit.messages[0].flags, unsigned(MB_OK | MB_ICONINFORMATION));
}

TEST_F(FourierWindow, CopiesTheNumbersAsText) {
    Give(Mix);
    Orders("0", "3");
    Clipboard().Clear();
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
    ASSERT_EQ(kit.messages.size(), 1u);
    EXPECT_EQ(kit.messages[0].Line(),
              "Information: Fourier numerical data copied into Win95 Clipboard");
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
    EXPECT_NE(text.find("Variable v:BUS1 [rms]\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Harm.\tAmplitude\tPhase\r\n3\t1.4142\t-45\r\n4\t"), std::string::npos)
        << text;
    EXPECT_EQ(text.find("THD"), std::string::npos) << text;
}

TEST_F(FourierWindow, CopiesTheChartsAsAMetafileOfTheFormulasHeight) {
    if (!fs::exists("/usr/bin/wmf2svg")) CURVIX_SKIP_OR_FAIL() << "libwmf-bin is not installed";
    Give(Mix);
    // The heights the copy measures: title bold, the other lines one point smaller.
    auto measured = [&](int& h1, int& h2, int& hh) {
        TMetafile probe;
        TMetafileCanvas c(probe);
        c.Font().SetName("Arial");
        int s = 14;
        c.Font().SetStyle(fsBold);
        for (;; --s) {
            c.Font().SetSize(s);
            if (c.TextWidth("QJ's Curvix - Fourier chart(s).  Copying date: 24/12/2023") <=
                    chart.AmplChart->Width() ||
                s == 5)
                break;
        }
        h1 = c.TextHeight("W");
        c.Font().SetStyle(0);
        c.Font().SetSize(s - 1);
        h2 = c.TextHeight("W");
        hh = c.TextHeight("harmonic order");
    };
    int h1 = 0, h2 = 0, hh = 0;
    measured(h1, h2, hh);
    const int header = h1 + 2 * h2;

    Clipboard().Clear();
    Choose(0);
    chart.CopyBtnClick(&chart);
    ASSERT_EQ(kit.MessageLines().back(), "Information: Fourier Plot(s) copied into Win95 Clipboard");
    TMetafile mf;
    ASSERT_EQ(Clipboard().GetMetafile(mf), "");
    EXPECT_EQ(mf.Width(), chart.AmplChart->Width());
    EXPECT_EQ(mf.Height(),
              header + chart.AmplChart->Height() + hh + chart.PhaseChart->Height() + hh);
    const std::string wmf = scratch.file("fourier.wmf"), svg = scratch.file("fourier.svg");
    ASSERT_EQ(mf.SaveToFile(wmf), "");
    const std::string complaints = Shell("/usr/bin/wmf2svg -o " + svg + " " + wmf + " 2>&1");
    EXPECT_EQ(complaints, "");
    const std::string picture = testsupport::readFile(svg);
    for (const char* want : {"Copying date: 24/12/2023", "Variable v:BUS1 [peak]",
                             "Initial Time: 0.08", "harmonic order"})
        EXPECT_NE(picture.find(want), std::string::npos) << want;

    // Amplitude chart alone on screen: the phase chart is not copied though its box is ticked.
    Options([](TDFTOptions& d) { d.SizeRadioGroup.SetItemIndex(2); });
    Choose(0, true, true);
    chart.CopyBtnClick(&chart);
    EXPECT_FALSE(info.PhaseBox.Enabled());
    ASSERT_EQ(Clipboard().GetMetafile(mf), "");
    measured(h1, h2, hh); // the chart is a pixel wider now: the title may fit a size larger
    EXPECT_EQ(mf.Height(), h1 + 2 * h2 + chart.AmplChart->Height() + hh);

    // Nothing chosen: nothing copied.
    Clipboard().Clear();
    Choose(0, false, false);
    chart.CopyBtnClick(&chart);
    EXPECT_EQ(kit.MessageLines().back(),
              "Information: Nothing copied because nothing to copy was selected!");
    EXPECT_FALSE(Clipboard().HasMetafile());
}

TEST_F(FourierWindow, CopyDialogBoxesFollowTheChoice) {
    info.AmplitudeOnly = 0;
    info.RadioGroup1.SetItemIndex(0);
    info.RadioGroup1.SetItemIndex(1);
    EXPECT_FALSE(info.AmplBox.Enabled());
    EXPECT_FALSE(info.PhaseBox.Enabled());
    info.AmplBox.SetChecked(false);
    info.AmplBox.SetChecked(true); // checking a box chooses the charts
    EXPECT_EQ(info.RadioGroup1.ItemIndex(), 0);
    EXPECT_TRUE(info.AmplBox.Enabled());
    EXPECT_TRUE(info.PhaseBox.Enabled());
    info.RadioGroup1.SetItemIndex(1);
    info.AmplitudeOnly = 1;
    info.RadioGroup1.SetItemIndex(0);
    EXPECT_TRUE(info.AmplBox.Enabled());
    EXPECT_FALSE(info.PhaseBox.Enabled());
    EXPECT_FALSE(info.PhaseChosen());
}

TEST_F(FourierWindow, PrintsChartsAndPagedNumbersIntoAPdf) {
    if (!fs::exists("/usr/bin/pdftotext")) CURVIX_SKIP_OR_FAIL() << "pdftotext: install poppler-utils";
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
    EXPECT_EQ(info.GoBtn.Caption(), "Print");
    EXPECT_EQ(info.Caption(), "QJ's Curvix - Fourier chart - Print...");
    std::string text = pdfText();
    for (const char* want : {"QJ's Curvix - Fourier bar chart(s). Printing date: 24/12/2023",
                             "File /data/mix.adf Variable v:BUS1 Initial Time: 0.08 Final Time: 0.1"})
        EXPECT_NE(text.find(want), std::string::npos) << want << "\n" << text;

    // 200 rows do not fit one page: every page starts with the title and the heads.
    Orders("0", "200");
    Choose(1);
    chart.PrintButtonClick(&chart);
    Printer().SetOutputFileName("");
    text = pdfText();
    const std::regex heading(
        R"(QJ's Curvix - Fourier numerical data\. Printing date: 24/12/2023\s+Harm\. Amplitude Phase)");
    const auto pages = std::distance(std::sregex_iterator(text.begin(), text.end(), heading),
                                     std::sregex_iterator());
    EXPECT_GE(pages, 1);
    EXPECT_EQ(pages, std::count(text.begin(), text.end(), '\f')) << text;
    const bool printerHasPages = [](auto& p) { return requires { p.NewPage(); }; }(Printer());
    if (printerHasPages) EXPECT_GE(pages, 3) << text;
    EXPECT_TRUE(std::regex_search(text, std::regex(R"((^|\n) ?200 [-0-9.E]+ [-0-9.E]+\s)")))
        << text;
    EXPECT_TRUE(std::regex_search(text, std::regex(R"(\nTHD=[0-9.]+%)"))) << text;
    EXPECT_EQ(kit.messages.size(), 0u) << kit.MessageLines()[0];
}

TEST(FourierWindowPlace, CaptionNumberAndPlaceUnderTheMainWindow) {
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
    globals.instanceNumber = 1;
    globals.winPos[9] = 120; // top, left, width, height
    globals.winPos[10] = 40;
    globals.winPos[11] = 700;
    globals.winPos[12] = 500;
    TDFTChartForm remembered(nullptr, ctx);
    remembered.DoCreate();
    EXPECT_EQ(remembered.Caption(), "QJ's Curvix - Fourier chart");
    EXPECT_EQ(remembered.Top(), 120);
    EXPECT_EQ(remembered.Left(), 40);
    EXPECT_EQ(remembered.Width(), 700);
    EXPECT_EQ(remembered.Height(), 500);
    EXPECT_EQ(remembered.AmplChart->Width(),
              remembered.ClientWidth() - remembered.Panel1.Width() - 1);
}
