// The main window's Four button: plot, hand the first curve to the Fourier window with its
// own file's base period, or ask for one when the default does not fit the data.
#include "MissingTool.h"
#include "SelectionFixture.h"
#include "ShellOutput.h"

#include "Clipboard.h"
#include "DFTChartFF.h"
#include "DFTOptionsFF.h"
#include "FourCopyPrintInfo.h"

#include <cmath>
#include <complex>
#include <cstdlib>
#include <sstream>

namespace {

// t and v:a, n samples at 10 kHz: 1.5 + 10 sin(2 pi 50 (t - 0.0801) + 30 deg) + 2 sin(3 ...).
std::string MixAdf(int n) {
    std::ostringstream s;
    s.precision(9);
    s << "// harmonics\nt v:a\n";
    for (int k = 0; k < n; ++k) {
        const double t = k / 1e4, th = 2 * M_PI * 50 * (t - 0.0801);
        s << t << " " << 1.5 + 10 * std::sin(th + M_PI / 6) + 2 * std::sin(3 * th) << "\n";
    }
    return s.str();
}

// numpy's rfft of the last 20 samples of an ADF file's second column: the mean, amplitude
// and phase (of a sine) of orders 1 ... 9, and the THD over orders 2 ... 9.
const char* const kNumpyOrders = R"PY(
import sys
import numpy as np
x = np.loadtxt(sys.argv[1], skiprows=2, dtype=np.float32)[-20:, 1].astype(float)
X = np.fft.rfft(x)
a = 2 * abs(X) / 20
p = np.degrees(np.arctan2(X.real, -X.imag))
print(X[0].real / 20)
for h in range(1, 10):
    print(a[h], p[h])
print(100 * np.sqrt(np.sum(a[2:10] ** 2)) / a[1])
)PY";

class FourButton : public SelectionFixture {
protected:
    TDFTChartForm& chart = *app.w.DFTChart;
    TDFTOptions& dialog = *app.w.DFTOptions;
    void Four() { f.DFTBtnClick(&f.DFTBtn); }
};

} // namespace

TEST_F(FourButton, PlotsThenShowsTheFirstCurvesHarmonics) {
    Layout(false);
    const std::string path = Write("mix.adf", MixAdf(1001));
    Load(0, path);
    ClickName("v:a");
    Four();
    ASSERT_TRUE(f.lastPlotOk) << testing::PrintToString(kit.MessageLines());
    EXPECT_TRUE(win.Shown);
    EXPECT_TRUE(chart.Visible());
    EXPECT_TRUE(kit.messages.empty()) << testing::PrintToString(kit.MessageLines());
    // The loader's base period: the last 1/50 s.
    EXPECT_EQ(chart.Period, (SBasePeriod{801, 1000}));
    EXPECT_EQ(chart.FileName, path);
    EXPECT_EQ(chart.SampleCount, 1001);
    EXPECT_NEAR(chart.Displayed[0], 1.5, 1e-4);
    EXPECT_NEAR(chart.Displayed[1], 10, 1e-3);
    EXPECT_NEAR(chart.Harmonics.phase[1], 30, 1e-2);
    EXPECT_NEAR(chart.Displayed[3], 2, 1e-3);
    EXPECT_EQ(chart.ChartTypeLabel.Hint(), "THD=20%");
    EXPECT_EQ(chart.ResolvedLabel.Caption(), ""); // 200 samples resolve every order shown

    // A time shift moves the times and the base period alike: the same samples.
    f.FileStringGrid.SetEditText(6, f.fileSlots.CurrentRow(), "0.5");
    Four();
    EXPECT_TRUE(kit.messages.empty()) << testing::PrintToString(kit.MessageLines());
    EXPECT_EQ(chart.Label1.Caption(), "Initial time: 0.58");
    EXPECT_EQ(chart.Label2.Caption(), "Final time: 0.6");
    EXPECT_EQ(chart.Period, (SBasePeriod{801, 1000}));
    EXPECT_NEAR(chart.Harmonics.phase[1], 30, 1e-2);
}

TEST_F(FourButton, TheCurvesOwnFileGivesNameAndBasePeriodInMultiFileMode) {
    Layout(true);
    const std::string one = Write("one.adf", MixAdf(1001)); // 0 ... 0.1 s
    const std::string two = Write("two.adf", MixAdf(401));  // 0 ... 0.04 s
    LoadByDialog(one);
    LoadByDialog(two);
    f.SelectFileRow(1);
    ClickName("v:a");
    f.SelectFileRow(2); // the other file is current now
    ASSERT_NE(f.fileSlots.Current(), 0);
    Four();
    ASSERT_TRUE(f.lastPlotOk) << testing::PrintToString(kit.MessageLines());
    EXPECT_EQ(chart.Slot, 0);
    EXPECT_EQ(chart.FileName, one);
    EXPECT_EQ(chart.Period, (SBasePeriod{801, 1000}));
    EXPECT_NEAR(chart.Displayed[1], 10, 1e-3);
}

TEST_F(FourButton, WithoutADefaultBasePeriodTheOptionsAskForOne) {
    Layout(false);
    Load(0, Write("mix.adf", MixAdf(1001)));
    ClickName("v:a");
    const std::string unable = ": Unable to determine \"Four\" time-range based on default "
                               "frequency\nPlease select at least initial time...";
    // Cancelled: the Fourier window closes.
    app.globals.fourierStart[0] = -1;
    Four();
    ASSERT_EQ(kit.messages.size(), 1u);
    EXPECT_EQ(kit.messages[0].Line(), unable);
    EXPECT_EQ(kit.messages[0].flags, unsigned(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(dialog.InitialTimeEdit.Text(), "Undefined");
    EXPECT_EQ(dialog.FinalTimeEdit.Text(), "0.1");
    EXPECT_TRUE(dialog.AskInitialTime);
    EXPECT_FALSE(chart.Visible());

    // Answered: the window opens on the period chosen.
    kit.messages.clear();
    app.globals.fourierStart[0] = 0.09f;
    app.globals.timeMax[0] = 0.0901f; // fewer than 3 samples
    kit.modalScript.push_back([this](TCustomForm&) {
        dialog.InitialTimeEdit.SetText("0.06");
        dialog.OkBtn.Click();
        return dialog.ModalResult();
    });
    Four();
    ASSERT_EQ(kit.messages.size(), 1u) << testing::PrintToString(kit.MessageLines());
    EXPECT_TRUE(chart.Visible());
    EXPECT_EQ(chart.Period, (SBasePeriod{601, 1000}));
    EXPECT_EQ(app.globals.fourierStart[0], 0.06f);
    EXPECT_NEAR(chart.Displayed[2], 10, 1e-3); // two cycles in the period
}

TEST_F(FourButton, TimesThatDoNotRiseHaveNoBasePeriod) {
    Layout(false);
    Load(0, Write("flat.adf", "// flat\nt v:a\n1 1\n1 2\n1 3\n1 4\n"));
    ClickName("v:a");
    kit.modalScript.push_back([this](TCustomForm&) {
        dialog.InitialTimeEdit.SetText("1");
        dialog.FinalTimeEdit.SetText("1");
        dialog.OkBtn.Click(); // refused: no later time exists
        return dialog.ModalResult();
    });
    Four();
    ASSERT_TRUE(f.lastPlotOk) << testing::PrintToString(kit.MessageLines());
    ASSERT_GE(kit.messages.size(), 2u) << testing::PrintToString(kit.MessageLines());
    EXPECT_EQ(kit.messages[0].text.rfind("Unable to determine", 0), 0u);
    EXPECT_EQ(kit.messages.back().title, "Invalid data");
    EXPECT_FALSE(chart.Visible());
    EXPECT_EQ(kit.quits, 0);
}

// In minutes the default period is 1/50 s in minutes; where none fits, the dialog's own
// suggestion of the last time passes its check, and the unit and orders chosen there stay.
TEST_F(FourButton, TheBasePeriodFollowsTheXFactorAndTheFallbackKeepsWhatWasChosen) {
    Layout(false);
    Load(0, Write("mix.adf", MixAdf(1001)));
    ClickName("v:a");
    Set(2, 1, "s->m");
    Four();
    ASSERT_TRUE(f.lastPlotOk) << testing::PrintToString(kit.MessageLines());
    EXPECT_TRUE(kit.messages.empty()) << testing::PrintToString(kit.MessageLines());
    EXPECT_EQ(chart.Period, (SBasePeriod{801, 1000}));
    EXPECT_NEAR(chart.Displayed[1], 10, 1e-3);

    app.globals.fourierStart[0] = -1; // no default period
    kit.modalScript.push_back([this](TCustomForm&) {
        dialog.InitialTimeEdit.SetText("0.001333"); // 0.07998 s: sample 800 is the nearest
        dialog.UnitRadioGroup.SetItemIndex(fuRms);
        dialog.ArmMinEdit.SetText("1");
        dialog.ArmMaxEdit.SetText("5");
        dialog.OkBtn.Click();
        return dialog.ModalResult();
    });
    Four();
    ASSERT_EQ(kit.messages.size(), 1u) << testing::PrintToString(kit.MessageLines());
    EXPECT_EQ(dialog.FinalTimeEdit.Text(), "1.667E-03");
    EXPECT_TRUE(chart.Visible());
    EXPECT_EQ(chart.Period, (SBasePeriod{801, 1000}));
    EXPECT_EQ(chart.Unit, fuRms);
    EXPECT_EQ(chart.FirstOrder, 1);
    EXPECT_EQ(chart.LastOrder, 5);
    EXPECT_NEAR(chart.Displayed[1], 7.0711, 1e-3);
    // Stored in the file's own seconds: the next Four finds the same period and times.
    EXPECT_NEAR(app.globals.fourierStart[0], 0.07998, 1e-6);
    EXPECT_NEAR(app.globals.timeMax[0], 0.1, 1e-6);
    kit.messages.clear();
    Four();
    EXPECT_TRUE(kit.messages.empty()) << testing::PrintToString(kit.MessageLines());
    EXPECT_EQ(chart.Period, (SBasePeriod{801, 1000}));
    EXPECT_EQ(chart.Label1.Caption(), "Initial time: 1.3330E-03");
    EXPECT_EQ(chart.Label2.Caption(), "Final time: 1.6667E-03");
}

// A 1 kHz recorder: 20 samples a 50 Hz period resolve orders up to 9. They agree with numpy;
// the orders above get no bar, no row and no part of the THD, and the last order chosen
// comes back with a period that resolves it.
TEST_F(FourButton, TwentySamplesAPeriodShowOrdersUpToNineAndTheirThd) {
    if (std::system("/usr/bin/python3 -c 'import numpy' 2>/dev/null") != 0)
        CURVIX_SKIP_OR_FAIL() << "install python3-numpy";
    const std::string path = Example("motor_start.adf");
    std::istringstream numpy(testsupport::ShellOutput(
        "/usr/bin/python3 " + Write("orders.py", kNumpyOrders) + " " + path));
    double mean = 0, thd = 0, amplitude[10] = {}, phase[10] = {};
    numpy >> mean;
    for (int h = 1; h <= 9; ++h)
        numpy >> amplitude[h] >> phase[h];
    numpy >> thd;
    ASSERT_TRUE(numpy) << numpy.str();

    Layout(false);
    Load(0, path);
    ClickName("current_A");
    Four();
    ASSERT_TRUE(chart.Visible()) << testing::PrintToString(kit.MessageLines());
    EXPECT_EQ(chart.Period.Count(), 20);
    EXPECT_NEAR(chart.Displayed[0], mean, 1e-5);
    for (int h = 1; h <= 9; ++h) {
        const double rad = M_PI / 180;
        EXPECT_LT(std::abs(std::polar<double>(chart.Displayed[h], chart.Harmonics.phase[h] * rad) -
                           std::polar(amplitude[h], phase[h] * rad)),
                  1e-5)
            << h;
    }
    EXPECT_NEAR(chart.THD, thd, 0.01);
    EXPECT_EQ(chart.AmplChart->FullRect[1], 9.0f); // the last bar
    EXPECT_EQ(chart.PhaseChart->FullRect[1], 9.0f);
    EXPECT_EQ(chart.ResolvedLabel.Caption(), "Resolved up to h. 9");

    TFourCopyInfo& info = *app.w.FourCopyInfo;
    kit.modalScript.push_back([&info](TCustomForm&) {
        info.RadioGroup1.SetItemIndex(1);
        info.GoBtn.Click();
        return info.ModalResult();
    });
    chart.CopyBtnClick(&chart);
    const std::string text = Clipboard().AsText();
    EXPECT_NE(text.find("\r\n9\t"), std::string::npos) << text;
    EXPECT_EQ(text.find("\r\n10\t"), std::string::npos) << text;
    EXPECT_TRUE(text.ends_with("\r\nOrders above 9 left out: 20 samples resolve orders up to 9"
                               "\r\n\r\n THD=152.07%\r\n\r\n"))
        << text;

    kit.modalScript.push_back([this](TCustomForm&) {
        dialog.InitialTimeEdit.SetText("1.899"); // 100 samples: orders up to 49
        dialog.OkBtn.Click();
        return dialog.ModalResult();
    });
    chart.OptionsBtnClick(&chart);
    EXPECT_EQ(chart.Period.Count(), 100);
    EXPECT_EQ(chart.AmplChart->FullRect[1], 30.0f);
    EXPECT_EQ(chart.ResolvedLabel.Caption(), "");
}
