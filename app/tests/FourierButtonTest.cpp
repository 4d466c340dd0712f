// The main window's Four button: plot, hand the first curve to the Fourier window with its
// own file's base period, or ask for one when the default does not fit the data.
#include "SelectionFixture.h"

#include "DFTChartFF.h"
#include "DFTOptionsFF.h"

#include <cmath>
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
}
