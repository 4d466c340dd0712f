// The plot window's dialogs: plot options, manual scaling with its labels, and printing.
// Every dialog is answered by a script; expected values come from the data range.
#include "PlotWinTestData.h"
#include "ShellOutput.h"

#include "DataSelFF.h"
#include "LabelsFF.h"
#include "MemoPlus.h"
#include "PlotOptFF.h"
#include "PrintFF.h"
#include "ScaleFF.h"
#include "TitleForm.h"
#include "ValuesFF.h"

#include "Shape.h"

#include "Bitmap.h"
#include "Bitmap_p.h"
#include "Clipboard.h"
#include "Control_p.h"
#include "MissingTool.h"
#include "Printer.h"
#include "ScratchFiles.h"
#include "Wmf.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QKeyEvent>
#include <QMimeData>
#include <QPixmap>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <sstream>

namespace {

class PlotDialogs : public PlotWinFixture {
protected:
    TPlotOptForm& opt = *program.w.PlotOpt;
    TScaleForm& scale = *program.w.Scale;
    TLabelForm& labels = *program.w.Label;
    TPrintDataForm& print = *program.w.PrintData;

    // x from 0 to 10, y = x + offset: positive for log scales.
    void ShowRamp(std::uint8_t kind = 0, double offset = 1) {
        SMadeFile f{Samples(101, 0, 10), {}, "ramp.adf"};
        f.y.push_back(Of(f.x, [offset](double v) { return v + offset; }));
        Show(MakeSnapshot({f}, {kRed}), kind);
    }
    // One step of the scaling dialog: the texts, then OK; the dialog's answer.
    TModalResult TypeAndOk(std::vector<std::pair<TEdit*, std::string>> texts) {
        for (auto& [edit, text] : texts)
            edit->SetText(text);
        scale.OKBtn.Click();
        return scale.ModalResult();
    }
};

std::string Shell(const std::string& command) {
    return testsupport::ShellOutput(command);
}

} // namespace

// ---- plot options

TEST_F(PlotDialogs, BarsLeaveNeitherLinesNorDotsToChoose) {
    ShowRamp(1);
    EXPECT_FALSE(opt.UseLinesBtn.Enabled());
    EXPECT_FALSE(opt.UsePointsBtn.Enabled());
    opt.PageControl1.SetActivePage(&opt.LinesPage);
    kit.modalScript.push_back([&](TCustomForm&) {
        EXPECT_EQ(opt.PageControl1.ActivePage(), &opt.GeneralPage);
        EXPECT_FALSE(opt.LineTypeRadioGr.Enabled());
        EXPECT_FALSE(opt.PointTypeRadioGr.Enabled());
        return mrOk;
    });
    win.PlotOptBtnClick(&win.PlotOptBtn);
    EXPECT_EQ(win.PlotKind, 1);
    EXPECT_EQ(win.MyChart.PlotType, ptBar);

    ShowRamp(0);
    EXPECT_TRUE(opt.UseLinesBtn.Enabled());
    EXPECT_TRUE(opt.UsePointsBtn.Enabled());
}

// The size box lies in the blanks of its entry, hiding neither "FIxed" nor "pts", in a
// narrow font and in a wide one.
TEST_F(PlotDialogs, FixedSizeBoxSitsBetweenItsWords) {
    const QFont before = QApplication::font();
    for (int pixels : {0, 11, 22}) {
        if (pixels > 0) {
            QFont wide(before);
            wide.setPixelSize(pixels);
            QApplication::setFont(wide);
        }
        TPlotOptForm dialog(nullptr, program.ctx);
        const std::string fixed = dialog.AxisSizeGroup.Items()[0];
        ASSERT_EQ(fixed.rfind("FIxed ", 0), 0u) << pixels;
        ASSERT_EQ(fixed.substr(fixed.size() - 4), " pts") << pixels;
        const TComboBox& box = dialog.CBoxFixed;
        const int group = dialog.AxisSizeGroup.Left();
        EXPECT_GE(box.Left(), group + dialog.AxisSizeGroup.ItemTextRight(0, 5)) << pixels;
        EXPECT_LE(box.Left() + box.Width(),
                  group + dialog.AxisSizeGroup.ItemTextRight(0, static_cast<int>(fixed.size()) - 3))
            << pixels;
        EXPECT_LT(dialog.AxisSizeGroup.ItemTextRight(0, 5), dialog.AxisSizeGroup.Width()) << pixels;
    }
    QApplication::setFont(before);
}

TEST_F(PlotDialogs, OkAppliesScalesGridFontsAndDotsAndReplotsZoomed) {
    ShowRamp(0, 100);
    win.MarkBtn.Click();
    ASSERT_TRUE(win.MyChart.AreThereAnyMarks());
    kit.modalScript.push_back([&](TCustomForm&) {
        EXPECT_TRUE(opt.UseLinesBtn.Checked());
        EXPECT_TRUE(opt.LineTypeRadioGr.Enabled());
        EXPECT_FALSE(opt.PointTypeRadioGr.Enabled());
        opt.YScaleTypeRG.SetItemIndex(1);
        opt.GridBox.SetChecked(true);
        opt.AxisSizeGroup.SetItemIndex(0);
        EXPECT_TRUE(opt.CBoxFixed.Enabled());
        opt.CBoxFixed.SetItemIndex(4); // "11"
        opt.LegendSizeGroup.SetItemIndex(0);
        opt.UsePointsBtn.SetChecked(true);
        EXPECT_FALSE(opt.UseLinesBtn.Checked());
        EXPECT_TRUE(opt.PointTypeRadioGr.Enabled());
        opt.PointTypeRadioGr.SetItemIndex(0);
        return mrOk;
    });
    win.PlotOptBtnClick(&win.PlotOptBtn);
    TLineChart& c = win.MyChart;
    EXPECT_TRUE(c.Zoomed);
    EXPECT_EQ(c.YScaleType, stLog);
    EXPECT_EQ(win.YScaleChoice, 2);
    EXPECT_EQ(c.XScaleType, stLin);
    EXPECT_TRUE(c.XGrid);
    EXPECT_TRUE(c.YGrid);
    EXPECT_FALSE(c.AutoAxisFont);
    EXPECT_EQ(c.UserFontSize, 11);
    EXPECT_FALSE(c.AutoLegendFont);
    EXPECT_EQ(win.PlotKind, 2);
    EXPECT_EQ(c.PlotType, ptSwarm);
    EXPECT_EQ(c.SwarmPointSize, ssPixel);
    EXPECT_FALSE(win.InterpolationBox.Enabled());
    // Replotted over the range shown, 100 to 110 on the decades 10^2 .. 10^3, marks kept.
    EXPECT_TRUE(kit.messages.empty());
    EXPECT_EQ(c.Axes.yLeft.lowDecade, 2);
    EXPECT_EQ(c.Axes.yLeft.highDecade, 3);
    EXPECT_TRUE(c.AreThereAnyMarks());
    EXPECT_GT(Count(kRed), 50);

    // Cancel changes nothing on the chart.
    kit.modalScript.push_back([&](TCustomForm&) {
        opt.YScaleTypeRG.SetItemIndex(0);
        return mrCancel;
    });
    win.PlotOptBtnClick(&win.PlotOptBtn);
    EXPECT_EQ(c.YScaleType, stLog);
}

TEST_F(PlotDialogs, RefusedScalesAndCancelLeaveTheChartAndTheOtherWindowsAsTheyWere) {
    ShowRamp(); // x 0 .. 10 holds 0: no log x
    win.CursorBtn.SetDown(true);
    win.CursorBtnClick(&win.CursorBtn);
    const std::string x0 = win.Label1.Caption(), y0 = win.Label2.Caption();
    TLineChart& c = win.MyChart;
    kit.modalScript.push_back([&](TCustomForm&) {
        opt.XScaleTypeRG.SetItemIndex(1);
        opt.GridBox.SetChecked(true);
        return mrOk;
    });
    win.PlotOptBtnClick(&win.PlotOptBtn);
    ASSERT_EQ(kit.messages.size(), 1u);
    EXPECT_EQ(kit.messages[0].text.rfind("Cannot create a log scale on the x-axis", 0), 0u);
    EXPECT_EQ(c.XScaleType, stLin);
    EXPECT_EQ(c.Axes.x.scaleType, stLin);
    EXPECT_FALSE(c.XGrid);
    EXPECT_FALSE(c.Zoomed);
    EXPECT_EQ(opt.XScaleTypeRG.ItemIndex(), 0);
    EXPECT_FALSE(opt.GridBox.Checked());
    EXPECT_TRUE(win.MarkBtn.Enabled());
    EXPECT_TRUE(scale.XMinEdit.Enabled());
    // The read-out still tells what lies under the line.
    EXPECT_EQ(win.Label1.Caption(), x0);
    EXPECT_EQ(win.Label2.Caption(), y0);

    // Cancel after both logs were chosen: nothing of it stays.
    kit.modalScript.push_back([&](TCustomForm&) {
        opt.XScaleTypeRG.SetItemIndex(1);
        opt.YScaleTypeRG.SetItemIndex(1);
        EXPECT_FALSE(win.MarkBtn.Enabled());
        return mrCancel;
    });
    win.PlotOptBtnClick(&win.PlotOptBtn);
    EXPECT_TRUE(win.MarkBtn.Enabled());
    EXPECT_TRUE(scale.XMinEdit.Enabled());
    EXPECT_TRUE(scale.YLMinEdit.Enabled());
    EXPECT_TRUE(scale.ExactMatchBox.Enabled());
    EXPECT_EQ(scale.YLGB.Font().Color(), clBlack);
    kit.modalScript.push_back([&](TCustomForm&) {
        EXPECT_EQ(opt.XScaleTypeRG.ItemIndex(), 0);
        EXPECT_EQ(opt.YScaleTypeRG.ItemIndex(), 0);
        return mrCancel;
    });
    win.PlotOptBtnClick(&win.PlotOptBtn);
    EXPECT_EQ(kit.messages.size(), 1u);
}

TEST_F(PlotDialogs, ARefusedLogYLeavesZoomWorking) {
    Show(MakeSnapshot({SineFile("sine.adf", {1})}, {kRed}));
    kit.modalScript.push_back([&](TCustomForm&) {
        opt.YScaleTypeRG.SetItemIndex(1);
        return mrOk;
    });
    win.PlotOptBtnClick(&win.PlotOptBtn);
    ASSERT_EQ(kit.messages.size(), 1u);
    EXPECT_EQ(kit.messages[0].text.rfind("Cannot create a log scale on the y-axis", 0), 0u);
    EXPECT_EQ(win.MyChart.YScaleType, stLin);
    const SPlotRect p = win.MyChart.PlotRect;
    TImage& picture = win.MyChart.Image();
    picture.HandleMouseDown(mbLeft, 0, p.left + 20, p.top + 20);
    picture.HandleMouseMove(0, p.left + 150, p.bottom - 20);
    picture.HandleMouseUp(mbLeft, 0, p.left + 150, p.bottom - 20);
    EXPECT_EQ(kit.messages.size(), 1u);
    EXPECT_LT(win.MyChart.Axes.x.upperData, 0.1f);
    EXPECT_LT(win.MyChart.Axes.yLeft.upperData, 1.0f);
}

TEST_F(PlotDialogs, LogYOverPositiveDataWhoseRoundedRangeStartsAtZero) {
    // 23.3 .. 523.3 shows from 0 on a linear axis.
    SMadeFile f{Samples(101, 0, 10), {}, "current.adf"};
    f.y.push_back(Of(f.x, [](double v) { return 23.3 + 50 * v; }));
    Show(MakeSnapshot({f}, {kRed}));
    ASSERT_EQ(win.MyChart.DispRect.yLeftLower, 0);
    kit.modalScript.push_back([&](TCustomForm&) {
        opt.YScaleTypeRG.SetItemIndex(1);
        return mrOk;
    });
    win.PlotOptBtnClick(&win.PlotOptBtn);
    EXPECT_TRUE(kit.messages.empty());
    EXPECT_EQ(win.MyChart.YScaleType, stLog);
    EXPECT_EQ(win.MyChart.Axes.yLeft.lowDecade, 1);
    EXPECT_EQ(win.MyChart.Axes.yLeft.highDecade, 3);
    EXPECT_GT(Count(kRed), 50);
}

TEST_F(PlotDialogs, BothInterpolationBoxesShowTheChartsState) {
    Show(MakeSnapshot({SineFile("two.adf", {1, 2})}, {kRed, kBlue}));
    TValuesForm& values = *program.w.Values;
    win.CursorBtn.SetDown(true);
    win.CursorBtnClick(&win.CursorBtn);
    values.InterpolationBox.SetChecked(true);
    EXPECT_TRUE(win.MyChart.LinearInterpolation);
    EXPECT_TRUE(win.InterpolationBox.Checked());
    // The arrows still move the cursor after a click in the values window.
    TShape& line = win.MyChart.CursorLine();
    const int start = line.Left();
    values.InterpolationBox.HandleKey(39, 0, 0);
    EXPECT_EQ(line.Left(), start + 1);

    kit.modalScript.push_back([&](TCustomForm&) {
        opt.UsePointsBtn.SetChecked(true);
        return mrOk;
    });
    win.PlotOptBtnClick(&win.PlotOptBtn);
    EXPECT_FALSE(win.MyChart.LinearInterpolation);
    EXPECT_FALSE(win.InterpolationBox.Checked());
    EXPECT_FALSE(values.InterpolationBox.Checked());
}

TEST_F(PlotDialogs, LogOnBothAxesTakesExactMatchAndMarksAway) {
    ShowRamp();
    struct Row {
        int x, y;
        bool exact, mark, xGroup, yGroup;
    };
    const Row rows[] = {
        {1, 0, true, false, false, true},
        {1, 1, false, false, false, false},
        {0, 1, true, false, true, false},
        {0, 0, true, true, true, true},
    };
    for (const Row& r : rows) {
        opt.XScaleTypeRG.SetItemIndex(r.x);
        opt.YScaleTypeRG.SetItemIndex(r.y);
        SCOPED_TRACE(std::to_string(r.x) + std::to_string(r.y));
        EXPECT_EQ(scale.ExactMatchBox.Enabled(), r.exact);
        EXPECT_EQ(win.MarkBtn.Enabled(), r.mark);
        EXPECT_EQ(scale.XGB.Enabled(), r.xGroup);
        EXPECT_EQ(scale.XMinEdit.Enabled(), r.xGroup);
        EXPECT_EQ(scale.YLMinEdit.Enabled(), r.yGroup);
        EXPECT_EQ(scale.YLGB.Font().Color(), r.yGroup ? clBlack : kInactiveCaption);
        EXPECT_EQ(scale.YLMaxLabel.Font().Color(), r.yGroup ? clBlack : kInactiveCaption);
    }
}

// ---- manual scaling

TEST_F(PlotDialogs, ManualScaleShowsTheDisplayedEndsAndDrawsTheTypedOnes) {
    ShowRamp();
    program.w.DataSel->UpdateBtn.SetEnabled(false);
    kit.modalScript.push_back([&](TCustomForm& f) {
        EXPECT_EQ(&f, &scale);
        // The full range as drawn: x 0 .. 10, y rounded around 1 .. 11.
        EXPECT_EQ(scale.XMinEdit.Text(), "0");
        EXPECT_EQ(scale.XMaxEdit.Text(), "10");
        EXPECT_EQ(scale.YRMinEdit.Text(), "inactive");
        EXPECT_EQ(scale.YRMaxEdit.Text(), "inactive");
        EXPECT_EQ(scale.YRGB.Font().Color(), kInactiveCaption);
        EXPECT_EQ(labels.YRGB.Font().Color(), kInactiveCaption);
        EXPECT_FALSE(labels.YRBaseEdit.Enabled());
        EXPECT_EQ(scale.YRMaxLabel.Font().Color(), kInactiveCaption);
        return TypeAndOk({{&scale.XMinEdit, "2"},
                          {&scale.XMaxEdit, "4"},
                          {&scale.YLMinEdit, "3"},
                          {&scale.YLMaxEdit, "5"}});
    });
    win.ScaleBtnClick(&win.ScaleBtn);
    TLineChart& c = win.MyChart;
    EXPECT_TRUE(c.Zoomed);
    EXPECT_TRUE(c.ManualScale);
    EXPECT_TRUE(program.w.DataSel->UpdateBtn.Enabled());
    EXPECT_EQ(c.Axes.x.lowerData, 2);
    EXPECT_EQ(c.Axes.x.upperData, 4);
    EXPECT_EQ(c.Axes.yLeft.lowerData, 3);
    EXPECT_EQ(c.Axes.yLeft.upperData, 5);
    EXPECT_EQ(win.ManualRect.xLower, 2);
    EXPECT_EQ(win.ManualRect.yLeftUpper, 5);
    // y = x + 1 runs corner to corner of the plot: 3 at x = 2, 5 at x = 4.
    const SPlotRect& p = c.PlotRect;
    const auto near = [&](int column, int row) {
        for (int r : RowsIn(column, kRed))
            if (std::abs(r - row) <= 2) return true;
        return false;
    };
    EXPECT_TRUE(near(p.left + 3, p.bottom - 3));
    EXPECT_TRUE(near(p.right - 3, p.top + 3));
    EXPECT_TRUE(kit.messages.empty());
}

TEST_F(PlotDialogs, BadEndsKeepTheDialogOpenWithOneMessageAndTheFieldSelected) {
    // Two y axes, so the right-y pair is checked too.
    SMadeFile f = SineFile("two.adf", {1, 100});
    Show(MakeSnapshot({f}, {kRed, kBlue}, true, {0, 1}));
    ASSERT_TRUE(win.MyChart.SecondYAxis);
    struct Row {
        std::vector<std::pair<TEdit*, std::string>> texts;
        std::string message;
        TEdit* focused;
    };
    const std::string invalid = "Error in the data entered: Invalid number in the evidenced field";
    const Row rows[] = {
        {{{&scale.XMinEdit, "5"}, {&scale.XMaxEdit, "5"}},
         "Error in data inputted: The X-Axis Max Value must be larger than the min value",
         &scale.XMinEdit},
        {{{&scale.XMinEdit, "0"}, {&scale.XMaxEdit, "1e39"}}, invalid, &scale.XMaxEdit},
        {{{&scale.XMaxEdit, "1"}, {&scale.YLMinEdit, "abc"}}, invalid, &scale.YLMinEdit},
        {{{&scale.YLMinEdit, "2"}, {&scale.YLMaxEdit, "-1"}},
         "Error in data inputted: The Y-Axis Max Value must be larger than the min value",
         &scale.YLMinEdit},
        {{{&scale.YLMaxEdit, "3"},
          {&scale.YRMinEdit, "1.00000001"},
          {&scale.YRMaxEdit, "1.00000002"}},
         "Error in data inputted: The Right-Y Axis Max Value must be larger than the min value",
         &scale.YRMinEdit},
        {{{&scale.YRMinEdit, "-1e40"}}, invalid, &scale.YRMinEdit},
    };
    kit.modalScript.push_back([&](TCustomForm&) {
        EXPECT_EQ(scale.YRGB.Font().Color(), clBlack);
        EXPECT_EQ(scale.YRMaxLabel.Font().Color(), clBlack);
        EXPECT_NE(scale.YRMinEdit.Text(), "inactive");
        for (const Row& r : rows) {
            SCOPED_TRACE(r.message);
            kit.messages.clear();
            EXPECT_EQ(TypeAndOk(r.texts), mrNone) << "the dialog stays open";
            EXPECT_EQ(kit.MessageLines(), std::vector<std::string>{r.message});
            if (kit.messages.size() != 1) continue;
            EXPECT_EQ(kit.messages[0].flags, unsigned(MB_OK | MB_ICONEXCLAMATION));
            EXPECT_EQ(r.focused->SelStart(), 0);
            EXPECT_EQ(r.focused->SelLength(), static_cast<int>(r.focused->Text().size()));
        }
        kit.messages.clear();
        return TypeAndOk({{&scale.YRMinEdit, "-200"}, {&scale.YRMaxEdit, "200"}});
    });
    win.ScaleBtnClick(&win.ScaleBtn);
    EXPECT_TRUE(kit.messages.empty());
    EXPECT_EQ(win.ManualRect.yRightLower, -200);
    EXPECT_EQ(win.MyChart.Axes.yRight.lowerData, -200);
    EXPECT_EQ(win.MyChart.Axes.yRight.upperData, 200);
}

TEST_F(PlotDialogs, AcceptedLabelsStayAcceptedAcrossOpenings) {
    ShowRamp();
    // First opening: labels typed and accepted.
    kit.modalScript.push_back([&](TCustomForm&) {
        kit.modalScript.push_front([&](TCustomForm& f) {
            EXPECT_EQ(&f, &labels);
            labels.YLBaseEdit.SetText("[kV]");
            labels.XBaseEdit.SetText("*10");
            labels.XExpEdit.SetText("-3");
            return mrOk;
        });
        scale.LabelBtn.Click();
        EXPECT_TRUE(scale.LabelsAccepted);
        return TypeAndOk({});
    });
    win.ScaleBtnClick(&win.ScaleBtn);
    EXPECT_TRUE(win.MyChart.UserLabel);
    EXPECT_EQ(win.MyChart.Axes.yLeftText.unit, "[kV]");
    EXPECT_EQ(win.MyChart.Axes.xText.exponent, "-3");

    // Second opening without the label dialog: the texts shown are the chart's, and they
    // go back to it again.
    kit.modalScript.push_back([&](TCustomForm&) {
        EXPECT_EQ(labels.YLBaseEdit.Text(), "[kV]");
        return TypeAndOk({});
    });
    win.ScaleBtnClick(&win.ScaleBtn);
    EXPECT_TRUE(win.MyChart.UserLabel);

    // Cancelled label dialog: the flag goes, the next plot rebuilds the labels.
    kit.modalScript.push_back([&](TCustomForm&) {
        scale.LabelBtn.Click(); // no step: cancelled
        EXPECT_FALSE(scale.LabelsAccepted);
        return mrCancel;
    });
    win.ScaleBtnClick(&win.ScaleBtn);
    ShowRamp();
    EXPECT_FALSE(win.MyChart.UserLabel);
}

TEST_F(PlotDialogs, ManualScaleOnALogYScaleKeepsTheTypedXAndTheWholeY) {
    ShowRamp();
    win.MyChart.SetYScaleType(stLog);
    kit.modalScript.push_back([&](TCustomForm&) {
        return TypeAndOk({{&scale.XMinEdit, "2"},
                          {&scale.XMaxEdit, "4"},
                          {&scale.YLMinEdit, "3"},
                          {&scale.YLMaxEdit, "5"}});
    });
    win.ScaleBtnClick(&win.ScaleBtn);
    TLineChart& c = win.MyChart;
    // x as typed, y the whole ramp 1 .. 11 on the decades 10^0 .. 10^2.
    EXPECT_EQ(c.Axes.x.lowerData, 2);
    EXPECT_EQ(c.Axes.x.upperData, 4);
    EXPECT_EQ(c.Axes.yLeft.lowDecade, 0);
    EXPECT_EQ(c.Axes.yLeft.highDecade, 2);
}

// ---- printing

class PlotPrinting : public PlotDialogs {
protected:
    testsupport::ScratchDir dir;
    std::filesystem::path pdf = dir.path() / "plot.pdf";

    void SetUp() override {
        if (!std::filesystem::exists("/usr/bin/pdftotext") ||
            !std::filesystem::exists("/usr/bin/pdfinfo"))
            CURVIX_SKIP_OR_FAIL() << "poppler-utils (pdftotext, pdfinfo) is not installed";
        Printer().SetOutputFileName(pdf.string());
    }
    void TearDown() override { Printer().SetOutputFileName(""); }
};

TEST_F(PlotPrinting, PensFromThePrinterResolutionAndTheJobTitle) {
    ShowRamp();
    Printer().SetResolution(300);
    kit.modalScript.push_back([&](TCustomForm& f) {
        EXPECT_EQ(&f, &print);
        EXPECT_FALSE(print.BlackWhiteBox.Checked()) << "no marks";
        EXPECT_TRUE(print.CrThicknCombo.Enabled());
        EXPECT_FALSE(print.DotThicknCombo.Enabled());
        EXPECT_EQ(print.DotThicknCombo.Color(), clInactiveBorder);
        EXPECT_EQ(print.CrThicknCombo.Color(), clWindow);
        EXPECT_EQ(print.DotLabel.Font().Color(), kInactiveCaption);
        print.FrThicknCombo.SetItemIndex(0); // 0.2 mm
        print.PrSetupBtn.Click();            // cancelled: the resolution stays
        EXPECT_EQ(kit.printerSetups, 1);
        return mrOk;
    });
    win.PrintBtnClick(&win.PrintBtn);
    EXPECT_TRUE(kit.messages.empty());
    ASSERT_TRUE(std::filesystem::exists(pdf));
    const std::string text = Shell("pdftotext " + pdf.string() + " -");
    EXPECT_NE(text.find("ramp.adf"), std::string::npos) << text;
    EXPECT_NE(text.find("10"), std::string::npos);
    const std::string info = Shell("pdfinfo " + pdf.string());
    EXPECT_NE(info.find("QJ's Curvix - Plot Print"), std::string::npos) << info;
    EXPECT_EQ(Printer().Title(), "QJ's Curvix - Plot Print");
}

TEST_F(PlotPrinting, PensThatRoundToNothingPrintNothing) {
    ShowRamp();
    win.MarkBtn.Click();
    Printer().SetResolution(72);
    // 0.2 mm at 72 dpi is one dot: printed, in black and white since there are marks.
    kit.modalScript.push_back([&](TCustomForm&) {
        EXPECT_TRUE(print.BlackWhiteBox.Checked());
        print.FrThicknCombo.SetItemIndex(0);
        print.CrThicknCombo.SetItemIndex(0);
        return mrOk;
    });
    win.PrintBtnClick(&win.PrintBtn);
    EXPECT_TRUE(kit.messages.empty());
    EXPECT_TRUE(std::filesystem::exists(pdf));
    std::filesystem::remove(pdf);

    // At 50 dpi it is none.
    Printer().SetResolution(50);
    kit.modalScript.push_back([&](TCustomForm&) { return mrOk; });
    win.PrintBtnClick(&win.PrintBtn);
    ASSERT_EQ(kit.MessageLines(),
              std::vector<std::string>{"QJ's Curvix - Error: Output resolution is too low to use "
                                       "the required pen witdhs\nPlease raise resolution or pen "
                                       "width(s)."});
    EXPECT_EQ(kit.messages[0].flags, unsigned(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_FALSE(std::filesystem::exists(pdf));

    // Cancel prints nothing either.
    kit.messages.clear();
    Printer().SetResolution(300);
    win.PrintBtnClick(&win.PrintBtn);
    EXPECT_TRUE(kit.messages.empty());
    EXPECT_FALSE(std::filesystem::exists(pdf));
}

namespace {

struct SPdfWord {
    double x0, y0, x1, y1;
    std::string text;
};

// Word boxes of a PDF's first page as poppler reads them, in points from the top left.
std::vector<SPdfWord> PdfWords(const std::filesystem::path& pdf, double& pageWidth,
                               double& pageHeight) {
    const std::string html = Shell("pdftotext -bbox " + pdf.string() + " -");
    std::smatch m;
    pageWidth = pageHeight = 0;
    if (std::regex_search(html, m,
                          std::regex(R"re(<page width="([0-9.]+)" height="([0-9.]+)")re"))) {
        pageWidth = std::stod(m[1]);
        pageHeight = std::stod(m[2]);
    }
    std::vector<SPdfWord> words;
    const std::regex word(
        R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="([0-9.]+)">([^<]*)</word>)re");
    for (auto it = std::sregex_iterator(html.begin(), html.end(), word);
         it != std::sregex_iterator(); ++it)
        words.push_back({std::stod((*it)[1]), std::stod((*it)[2]), std::stod((*it)[3]),
                         std::stod((*it)[4]), (*it)[5]});
    return words;
}

} // namespace

// Every printed word lies inside the rectangle the chart was printed into, and no two
// words overlap, on a portrait and on a landscape page: label widths are those of the
// printer's fonts, not the screen's. The x labels hang below the axis by the tick length,
// and the layout keeps that room: on screen and on paper they end above the legend.
TEST_F(PlotPrinting, EveryPrintedWordFitsThePrintRectangleWithoutOverlaps) {
    SMadeFile f{Samples(101, 0, 10), {}, "motor.adf"};
    f.y.push_back(Of(f.x, [](double v) { return 100 * v; }));       // 0 ... 1000
    f.y.push_back(Of(f.x, [](double v) { return 5000 * v - 50; })); // kV on the right
    Show(MakeSnapshot({f}, {kRed, kBlue}, true, {0, 1}));
    TLineChart& chart = win.MyChart;
    chart.EnableTitle();
    kit.modalScript.push_back([&chart](TCustomForm&) {
        chart.TitleForm().Memo->Lines().SetText("Motor start");
        return TModalResult(mrOk);
    });
    chart.TitleLabelDblClick(&chart.TitleLabel(0));

    // On screen a white row parts the x labels' row from the legend's first row. The
    // legend alone lives left of the x labels, the labels' row runs on to the right.
    {
        const SPlotRect& p = chart.PlotRect;
        const int below = p.bottom + chart.XTickLength + 1;
        const int labelsFrom = p.left - chart.Axes.x.labelWidth;
        ASSERT_GT(labelsFrom, chart.ChartLeft + 10);
        auto inked = [&](int y, int from, int to) {
            for (int x = from; x <= to; ++x)
                if (Pixel(x, y) != clWhite) return true;
            return false;
        };
        int legendTop = below;
        while (legendTop < chart.ChartBottom && !inked(legendTop, chart.ChartLeft, labelsFrom - 1))
            ++legendTop;
        int labelsEnd = below;
        while (labelsEnd < chart.ChartBottom && !inked(labelsEnd, labelsFrom, chart.ChartRight - 1))
            ++labelsEnd;
        while (labelsEnd < chart.ChartBottom && inked(labelsEnd, labelsFrom, chart.ChartRight - 1))
            ++labelsEnd;
        ASSERT_LT(legendTop, chart.ChartBottom);
        EXPECT_LE(labelsEnd, legendTop) << "the x labels run into the legend";
    }

    for (bool landscape : {false, true}) {
        SCOPED_TRACE(landscape ? "landscape" : "portrait");
        std::filesystem::remove(pdf);
        Printer().SetResolution(300);
        Printer().SetLandscape(landscape);
        kit.modalScript.push_back([](TCustomForm&) { return mrOk; });
        win.PrintBtnClick(&win.PrintBtn);
        ASSERT_TRUE(kit.messages.empty()) << testing::PrintToString(kit.MessageLines());
        double pageWidth = 0, pageHeight = 0;
        const std::vector<SPdfWord> words = PdfWords(pdf, pageWidth, pageHeight);

        // The print rectangle: 5 % of the page width from the top left, 90 % of the width
        // wide, as high as the screen chart's aspect asks (or 95 % of the page height).
        const TLineChart& c = win.MyChart;
        const double PW = Printer().PageWidth(), PH = Printer().PageHeight();
        const double aspect =
            double(win.MyChart.GiveLegendHeight(true, true) + c.DrawHeight) / c.DrawWidth;
        double left = std::trunc(0.05 * PW), top = left, right = std::trunc(0.95 * PW);
        double bottom = std::trunc((right - left) * aspect + top);
        if (bottom > 0.95 * PH) {
            bottom = std::trunc(0.95 * PH);
            left = std::trunc((bottom - top) * 0.05 / aspect);
            right = std::trunc(left + (bottom - top) / aspect);
        }
        // Dots to points; the printable area lies centred on the PDF's page.
        const double pt = 72.0 / 300;
        const double mx = (pageWidth - PW * pt) / 2, my = (pageHeight - PH * pt) / 2;
        ASSERT_GE(mx, 0);
        ASSERT_GE(my, 0);
        left = left * pt + mx, right = right * pt + mx, top = top * pt + my;
        bottom = bottom * pt + my;
        for (const char* text : {"Motor", "1000", "800", "[V]", "[kV]", "motor.adf;"})
            EXPECT_TRUE(std::any_of(words.begin(), words.end(), [&](const SPdfWord& w) {
                return w.text == text;
            })) << text;
        const double slack = 0.5;
        // The x labels' row, the x unit's, ends above the legend's first row.
        const auto unit = std::find_if(words.begin(), words.end(),
                                       [](const SPdfWord& w) { return w.text == "[s]"; });
        const auto legend = std::find_if(words.begin(), words.end(),
                                         [](const SPdfWord& w) { return w.text == "(file"; });
        ASSERT_TRUE(unit != words.end() && legend != words.end());
        for (const SPdfWord& w : words)
            if (std::fabs(w.y0 - unit->y0) < slack)
                EXPECT_LE(w.y1, legend->y0 + slack) << w.text << " runs into the legend";
        for (const SPdfWord& w : words) {
            EXPECT_GE(w.x0, left - slack) << w.text;
            EXPECT_LE(w.x1, right + slack) << w.text;
            EXPECT_GE(w.y0, top - slack) << w.text;
            EXPECT_LE(w.y1, bottom + slack) << w.text;
        }
        for (std::size_t i = 0; i < words.size(); ++i)
            for (std::size_t j = i + 1; j < words.size(); ++j) {
                const SPdfWord &a = words[i], &b = words[j];
                const bool overlap = a.x0 < b.x1 - slack && b.x0 < a.x1 - slack &&
                                     a.y0 < b.y1 - slack && b.y0 < a.y1 - slack;
                EXPECT_FALSE(overlap) << "\"" << a.text << "\" and \"" << b.text << "\"";
            }
    }
    Printer().SetLandscape(false);
}

// "R = 5 Ω" typed into the title and "θ" into the y label: the screen, the printed page and
// the clipboard's picture show them as typed; only the metafile, whose text is
// Windows-1252, has "?" in their place.
TEST_F(PlotPrinting, TypedCharactersOutsideWindows1252AreKeptButInTheMetafile) {
    ShowRamp();
    TLineChart& chart = win.MyChart;
    chart.EnableTitle();
    // Keys as the keyboard sends them: each character with its text, Greek ones too.
    auto type = [](TControl& c, const char* utf8) {
        QWidget* w = InnerOf(c);
        for (const QChar ch : QString::fromUtf8(utf8)) {
            const int key = ch.unicode() < 128 ? ch.toUpper().unicode() : 0;
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(ch));
            QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(w, &press);
            QApplication::sendEvent(w, &release);
        }
    };
    // The title and the left y label, entered in their dialogs by `enter`.
    auto enter = [&](const std::function<void(TMemo&)>& title,
                     const std::function<void(TEdit&)>& label) {
        kit.modalScript.push_back([&](TCustomForm&) {
            chart.TitleForm().Memo->Lines().Clear();
            title(*chart.TitleForm().Memo);
            return TModalResult(mrOk);
        });
        chart.TitleLabelDblClick(&chart.TitleLabel(0));
        kit.modalScript.push_back([&](TCustomForm&) {
            kit.modalScript.push_front([&](TCustomForm&) {
                labels.YLBaseEdit.SetText("");
                label(labels.YLBaseEdit);
                return TModalResult(mrOk);
            });
            scale.LabelBtn.Click();
            return TypeAndOk({});
        });
        win.ScaleBtnClick(&win.ScaleBtn);
        ASSERT_TRUE(scale.LabelsAccepted);
    };
    struct SSeen {
        QImage screen, title, copy;
        QByteArray metafile;
    };
    auto seen = [&] {
        SSeen s;
        s.screen = WidgetOf(chart).grab().toImage();
        s.title = WidgetOf(chart.TitleLabel(0)).grab().toImage();
        win.CopyBtnClick(&win.CopyBtn);
        const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
        if (!copied) return s;
        s.copy = qvariant_cast<QImage>(copied->imageData()).convertToFormat(QImage::Format_RGB32);
        s.metafile = copied->data(kWmfMimeType);
        return s;
    };

    enter([&](TMemo& m) { type(m, "R = 5 Ω"); }, [&](TEdit& e) { type(e, "θ"); });
    EXPECT_EQ(chart.TitleLabel(0).Caption(), "R = 5 \xCE\xA9");
    const SSeen typed = seen();
    ASSERT_FALSE(typed.copy.isNull());
    EXPECT_TRUE(typed.metafile.contains("R = 5 ?"));
    // The clipboard's picture is the metafile's, drawn with the texts as typed: played
    // with the metafile's own texts it is another picture.
    wmf::File file;
    ASSERT_EQ(wmf::Parse({reinterpret_cast<const std::uint8_t*>(typed.metafile.data()),
                          std::size_t(typed.metafile.size())},
                         file),
              "");
    TBitmap own(typed.copy.width(), typed.copy.height());
    wmf::Play(file, own.Canvas());
    EXPECT_FALSE(ImageOf(own).convertToFormat(QImage::Format_RGB32) == typed.copy);

    kit.modalScript.push_back([](TCustomForm&) { return mrOk; });
    win.PrintBtnClick(&win.PrintBtn);
    // poppler's text without blanks, which it may or may not see between the title's words.
    const std::string page = std::regex_replace(
        Shell("pdftotext -enc UTF-8 " + pdf.string() + " -"), std::regex(" "), "");
    EXPECT_NE(page.find("R=5Ω"), std::string::npos) << page;
    EXPECT_NE(page.find("θ"), std::string::npos) << page;

    // The same texts given as stored bytes look the same; a question mark does not.
    enter([](TMemo& m) { m.Lines().SetText("R = 5 \xCE\xA9"); },
          [](TEdit& e) { e.SetText("\xCE\xB8"); });
    const SSeen stored = seen();
    EXPECT_TRUE(stored.screen == typed.screen);
    EXPECT_TRUE(stored.copy == typed.copy);
    enter([](TMemo& m) { m.Lines().SetText("R = 5 ?"); }, [](TEdit& e) { e.SetText("?"); });
    EXPECT_FALSE(seen().title == typed.title);
}
