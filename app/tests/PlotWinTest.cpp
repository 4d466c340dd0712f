// The plot window: the hand-over of the shared snapshot, the tool panel's buttons, the
// keys, the caption, the placement and the choice between the panel read-out and the
// values window.
#include "PlotWinTestData.h"

#include "DataSelFF.h"
#include "NumericText.h"
#include "ScaleFF.h"
#include "ValuesFF.h"

#include "Image.h"
#include "Shape.h"

#include <regex>

namespace {

constexpr WORD kVkLeft = 37, kVkRight = 39;

// The chart row a value has on the left axis, from the plot rectangle and the axis ends.
int RowOf(const TLineChart& c, double y, double lo, double hi) {
    const SPlotRect& p = c.PlotRect;
    return static_cast<int>(p.bottom - (y - lo) / (hi - lo) * (p.bottom - p.top) + 0.5);
}

bool NearRow(const std::vector<int>& rows, int row, int slack) {
    for (int r : rows)
        if (std::abs(r - row) <= slack) return true;
    return false;
}

// A left drag over most of the plot rectangle: a zoom the chart accepts.
void DragZoom(TLineChart& c) {
    const SPlotRect p = c.PlotRect;
    TImage& picture = c.Image();
    picture.HandleMouseDown(mbLeft, 0, p.left + 20, p.top + 20);
    picture.HandleMouseMove(0, p.left + 150, p.bottom - 20);
    picture.HandleMouseUp(mbLeft, 0, p.left + 150, p.bottom - 20);
}

} // namespace

// The old snapshot is released only once the chart reads the new one; nothing on screen
// is ever freed under it (this runs under the address sanitizer).
TEST_F(PlotWinFixture, ANewSnapshotReplacesTheOldOneWithoutFreeingWhatIsDrawn) {
    SMadeFile ramp{Samples(101, 0, 1), {Samples(101, 0, 1)}, "ramp.adf"};
    PlotSnapshotPtr first = MakeSnapshot({ramp}, {kRed});
    std::weak_ptr<SPlotSnapshot> firstAlive = first;
    Show(first);
    EXPECT_EQ(win.Shown, first);
    EXPECT_GT(Count(kRed), 50);

    SMadeFile falling{Samples(101, 0, 1), {Samples(101, 1, 0)}, "falling.adf"};
    PlotSnapshotPtr second = MakeSnapshot({falling}, {kBlue});
    win.SetCurveData(second);
    win.SetLegendData(second);
    first.reset();
    second.reset();
    // Handed over but not shown yet: a resize still draws the first snapshot.
    ASSERT_FALSE(firstAlive.expired());
    win.SetClientSize(win.ClientWidth() + 20, win.ClientHeight());
    win.FormResize(&win);
    EXPECT_GT(Count(kRed), 50);

    win.ShowCurves(false);
    EXPECT_TRUE(firstAlive.expired());
    EXPECT_EQ(Count(kRed), 0);
    // Drawn again from the new snapshot alone: 1 at the left end, 0 at the right.
    win.SetClientSize(win.ClientWidth() - 20, win.ClientHeight());
    win.FormResize(&win);
    const SPlotRect& p = win.MyChart.PlotRect;
    const double lo = win.MyChart.Axes.yLeft.lowerData, hi = win.MyChart.Axes.yLeft.upperData;
    EXPECT_TRUE(NearRow(RowsIn(p.left + 2, kBlue), RowOf(win.MyChart, 1, lo, hi), 2));
    EXPECT_TRUE(NearRow(RowsIn(p.right - 2, kBlue), RowOf(win.MyChart, 0, lo, hi), 2));
    EXPECT_TRUE(kit.messages.empty());
}

TEST_F(PlotWinFixture, OneCurveReadsOutInThePanelSeveralInTheValuesWindow) {
    TValuesForm& values = *program.w.Values;
    const SMadeFile one = SineFile("one.adf", {1});
    Show(MakeSnapshot({one}, {kRed}));
    win.CursorBtn.SetDown(true);
    win.CursorBtnClick(&win.CursorBtn);
    EXPECT_TRUE(win.MyChart.DataCursorVisible);
    EXPECT_TRUE(win.Label1.Visible());
    EXPECT_TRUE(win.Label2.Visible());
    EXPECT_TRUE(win.InterpolationBox.Visible());
    EXPECT_FALSE(values.Visible());
    // The cursor stands in the middle column: x = 0.05 within a sample, and the label
    // beside it shows that sample's value in the curve's colour.
    double x = 0;
    ASSERT_EQ(TextToDouble(x, win.Label1.Caption()), 0) << win.Label1.Caption();
    EXPECT_NEAR(x, 0.05, 0.1 / (win.MyChart.PlotRect.right - win.MyChart.PlotRect.left) + 1e-4);
    const auto k = static_cast<std::size_t>(std::lround(x / 1e-4));
    EXPECT_EQ(win.Label2.Caption(), FormatNumber(one.y[0][k], 5));
    EXPECT_EQ(win.Label2.Font().Color(), kRed);

    // Narrower than at start: the values window takes over at the resize.
    win.SetClientSize(win.InitialClientWidth - 40, win.ClientHeight());
    win.FormResize(&win);
    EXPECT_TRUE(win.MyChart.DataCursorVisible);
    EXPECT_FALSE(win.Label1.Visible());
    EXPECT_TRUE(values.Visible());

    // Wide again, but three curves: still the values window.
    win.SetClientSize(win.InitialClientWidth, win.ClientHeight());
    win.FormResize(&win);
    EXPECT_TRUE(win.Label1.Visible());
    EXPECT_FALSE(values.Visible());
    Show(MakeSnapshot({SineFile("three.adf", {1, 2, 3})}, {kRed, kGreen, kBlue}));
    EXPECT_TRUE(values.Visible());
    EXPECT_FALSE(win.Label1.Visible());
    EXPECT_EQ(values.TotalCurves(), 3);

    // Closing releases the button and hides the cursor and the values window.
    TCloseAction action = caHide;
    win.FormClose(&win, action);
    EXPECT_FALSE(win.CursorBtn.Down());
    EXPECT_FALSE(win.MyChart.DataCursorVisible);
    EXPECT_FALSE(values.Visible());
    EXPECT_EQ(action, caHide);
}

TEST_F(PlotWinFixture, ArrowKeysReachTheChartWhateverHasTheFocus) {
    Show(MakeSnapshot({SineFile("one.adf", {1})}, {kRed}));
    win.CursorBtn.SetDown(true);
    win.CursorBtnClick(&win.CursorBtn);
    TShape& line = win.MyChart.CursorLine();
    const int start = line.Left();
    win.InterpolationBox.SetFocus();
    win.InterpolationBox.HandleKey(kVkRight, 0, 0);
    EXPECT_EQ(line.Left(), start + 1);
    win.InterpolationBox.HandleKey(kVkLeft, ssCtrl, 0);
    EXPECT_EQ(line.Left(), start - 2);
    win.HandleKey(kVkRight, ssCtrl, 0);
    EXPECT_EQ(line.Left(), start + 1);

    // The box drives the chart's interpolation and hands the focus back.
    win.InterpolationBox.SetChecked(true);
    EXPECT_TRUE(win.MyChart.LinearInterpolation);
    EXPECT_FALSE(win.InterpolationBox.Focused());
}

TEST_F(PlotWinFixture, PanelButtonsActOnTheChart) {
    Show(MakeSnapshot({SineFile("one.adf", {1})}, {kRed}));

    win.TitleBtn.Click();
    EXPECT_TRUE(win.TitleBtn.Down());
    EXPECT_TRUE(win.MyChart.TitleLabel(0).Visible());
    win.TitleBtn.Click();
    EXPECT_FALSE(win.MyChart.TitleLabel(0).Visible());

    // Mark without the cursor marks automatically; with it, at the cursor.
    EXPECT_FALSE(win.MyChart.AreThereAnyMarks());
    win.MarkBtn.Click();
    EXPECT_TRUE(win.MyChart.AutoMark);
    win.CursorBtn.Click();
    win.MarkBtn.Click();
    EXPECT_EQ(win.MyChart.MarkCounter, 0);

    // Alt at the press makes that one copy use the strong filter.
    win.CopyBtn.HandleMouseDown(mbLeft, ssAlt | ssLeft, 3, 3);
    win.CopyBtn.Click();
    EXPECT_TRUE(win.MyChart.StrongFilter);
    ASSERT_EQ(kit.messages.size(), 1u);
    EXPECT_EQ(kit.messages[0].title, "Warning");
    EXPECT_NE(kit.messages[0].text.find("StrongFilter"), std::string::npos);
    win.CopyBtn.HandleMouseDown(mbLeft, ssLeft, 3, 3);
    win.CopyBtn.Click();
    EXPECT_FALSE(win.MyChart.StrongFilter);
    ASSERT_EQ(kit.messages.size(), 2u);
    EXPECT_EQ(kit.messages[1].title, "Information");
    EXPECT_EQ(kit.messages[1].text.rfind("Plot copied into Win95 Clipboard", 0), 0u);

    // Save with Alt: the strong filter again, for the file chosen (here: none).
    kit.fileScript.push_back(std::nullopt);
    win.SaveBtn.HandleMouseDown(mbLeft, ssAlt | ssLeft, 3, 3);
    win.SaveBtn.Click();
    EXPECT_TRUE(win.MyChart.StrongFilter);
    EXPECT_EQ(kit.fileDialogs.size(), 1u);
}

TEST_F(PlotWinFixture, TheZoomStateDrivesTheMainWindowsUpdateButton) {
    Show(MakeSnapshot({SineFile("one.adf", {1})}, {kRed}));
    TButton& update = program.w.DataSel->UpdateBtn;
    update.SetEnabled(false);
    DragZoom(win.MyChart);
    ASSERT_TRUE(win.MyChart.Zoomed);
    EXPECT_TRUE(update.Enabled());
    const SPlotRect p = win.MyChart.PlotRect;
    TImage& picture = win.MyChart.Image();
    picture.HandleMouseDown(mbRight, 0, p.left + 50, p.top + 50);
    picture.HandleMouseUp(mbRight, 0, p.left + 50, p.top + 50);
    EXPECT_FALSE(win.MyChart.Zoomed);
    EXPECT_FALSE(update.Enabled());
}

TEST_F(PlotWinFixture, TheReadOutFollowsEveryNewPicture) {
    Show(MakeSnapshot({SineFile("one.adf", {1})}, {kRed}));
    win.CursorBtn.SetDown(true);
    win.CursorBtnClick(&win.CursorBtn);
    TLineChart& c = win.MyChart;
    TImage& picture = c.Image();
    for (int k = 0; k < 40; ++k)
        win.HandleKey(kVkRight, 0, 0);
    // What the keys report where the line stands: one step right and back.
    auto underTheLine = [&] {
        win.HandleKey(kVkRight, 0, 0);
        win.HandleKey(kVkLeft, 0, 0);
        return std::pair{win.Label1.Caption(), win.Label2.Caption()};
    };
    auto shown = [&] { return std::pair{win.Label1.Caption(), win.Label2.Caption()}; };
    const SPlotRect p = c.PlotRect;

    picture.HandleMouseDown(mbLeft, 0, p.left + 5, p.top + 5);
    picture.HandleMouseMove(0, p.right - 60, p.bottom - 5);
    picture.HandleMouseUp(mbLeft, 0, p.right - 60, p.bottom - 5);
    ASSERT_TRUE(c.Zoomed);
    {
        const auto afterwards = shown();
        EXPECT_EQ(afterwards, underTheLine()) << "zoom";
    }

    picture.HandleMouseDown(mbRight, 0, p.left + 50, p.top + 50);
    picture.HandleMouseUp(mbRight, 0, p.left + 50, p.top + 50);
    ASSERT_FALSE(c.Zoomed);
    {
        const auto afterwards = shown();
        EXPECT_EQ(afterwards, underTheLine()) << "unzoom";
    }

    kit.modalScript.push_back([&](TCustomForm&) {
        program.w.Scale->XMinEdit.SetText("0.02");
        program.w.Scale->XMaxEdit.SetText("0.03");
        program.w.Scale->OKBtn.Click();
        return program.w.Scale->ModalResult();
    });
    win.ScaleBtnClick(&win.ScaleBtn);
    ASSERT_EQ(c.Axes.x.lowerData, 0.02f);
    {
        const auto afterwards = shown();
        EXPECT_EQ(afterwards, underTheLine()) << "manual scaling";
    }
    EXPECT_TRUE(kit.messages.empty());
}

TEST_F(PlotWinFixture, AFullRangePlotIsNoLongerZoomed) {
    const PlotSnapshotPtr s = MakeSnapshot({SineFile("one.adf", {1})}, {kRed}, false);
    Show(s);
    DragZoom(win.MyChart);
    ASSERT_TRUE(win.MyChart.Zoomed);
    Show(s);
    EXPECT_FALSE(win.MyChart.Zoomed);
    EXPECT_TRUE(win.MarkBtn.Enabled());
    EXPECT_EQ(win.MyChart.Axes.x.upperData, 0.1f);
}

TEST_F(PlotWinFixture, RightButtonsFollowTheRightEdgeAndTheChartFillsTheRest) {
    win.SetClientSize(700, 450);
    win.FormResize(&win);
    EXPECT_EQ(win.PrintBtn.Left() + win.PrintBtn.Width(), 700);
    EXPECT_EQ(win.CopyBtn.Left() + win.CopyBtn.Width() + 3, win.PrintBtn.Left());
    EXPECT_EQ(win.SaveBtn.Left() + win.SaveBtn.Width() + 3, win.CopyBtn.Left());
    EXPECT_EQ(win.MarkBtn.Left() + win.MarkBtn.Width() + 3, win.SaveBtn.Left());
    EXPECT_EQ(win.Panel1.Top() + win.Panel1.Height(), 450);
    EXPECT_EQ(win.MyChart.Width(), 700);
    EXPECT_EQ(win.MyChart.Height(), win.ChartHeight);
    // The smallest size the window can take.
    win.SetBounds(win.Left(), win.Top(), 50, 40);
    const double s = program.globals.scaleFactor;
    EXPECT_GE(win.Width(), static_cast<int>(285 * s));
    EXPECT_GE(win.Height(), static_cast<int>(185 * s));
}

TEST(PlotWinCaption, TheStOptionShowsTheDrawingTime) {
    AppTestKit kit;
    auto s = MakeSnapshot({SineFile("one.adf", {1})}, {kRed});
    {
        CurvixUnderTest program({"/st"});
        TPlotWinForm& win = *program.w.PlotWin;
        win.SetCurveData(s);
        win.SetLegendData(s);
        win.ShowCurves(false);
        EXPECT_EQ(win.CaptionBase, "QJ's Curvix plot");
        EXPECT_TRUE(
            std::regex_match(win.Caption(), std::regex(R"(QJ's Curvix plot \(\d+\.\d\ds\))")))
            << win.Caption();
    }
    CurvixUnderTest plain;
    TPlotWinForm& win = *plain.w.PlotWin;
    win.SetCurveData(s);
    win.SetLegendData(s);
    win.ShowCurves(false);
    EXPECT_EQ(win.Caption(), "QJ's Curvix plot");
}

// Remembered places from another desktop keep the whole window on the screen, its title
// bar and buttons with it.
TEST(PlotWinPlacement, RememberedPositionsKeepTheWholeWindowOnTheScreen) {
    AppTestKit kit;
    CurvixUnderTest program; // the application and a scratch registry
    SGlobalVars globals;
    globals.programName = "QJ's Curvix";
    globals.instanceNumber = 2;
    globals.instanceOffset = 100;
    SProgramOptions options;
    options.SetDefaults();
    options.SetFlag(poRememberWindows, true);
    globals.winPos[3] = 30000; // top
    globals.winPos[4] = -5000; // left
    globals.winPos[5] = 500;   // width
    globals.winPos[6] = 400;   // height
    SAppContext ctx{globals, options};
    TPlotWinForm win(nullptr, ctx);
    EXPECT_EQ(win.Width(), 500);
    EXPECT_EQ(win.Height(), 400);
    EXPECT_EQ(win.Left(), 0);
    EXPECT_EQ(win.Top(), Screen->Height() - 400);
    EXPECT_EQ(win.CaptionBase, "QJ's Curvix plot (2)");

    // Without remembered places: beside the main window, at the instance's offset; on a
    // screen without room beside it, as far right as keeps the whole window on the screen.
    options.SetFlag(poRememberWindows, false);
    ctx.windows.DataSel = program.w.DataSel;
    TPlotWinForm beside(nullptr, ctx);
    ASSERT_GT(program.w.DataSel->Width() + 1 + beside.Width(), Screen->Width());
    EXPECT_EQ(beside.Left() + beside.Width(), Screen->Width());
    EXPECT_EQ(beside.Top(), 100);

    // The program's own values window covers neither the main window nor the plot window.
    auto overlap = [](const TForm& a, const TForm& b) {
        return a.Left() < b.Left() + b.Width() && b.Left() < a.Left() + a.Width() &&
               a.Top() < b.Top() + b.Height() && b.Top() < a.Top() + a.Height();
    };
    EXPECT_FALSE(overlap(*program.w.Values, *program.w.DataSel));
    EXPECT_FALSE(overlap(*program.w.Values, *program.w.PlotWin));
}
