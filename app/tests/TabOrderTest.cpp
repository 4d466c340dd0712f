// Tab through every window of the program with real key events: the focus visits the
// controls in the order of the layout, top row first and left to right, a group or a
// page with what it holds, and comes back to the first.
#include "AppTestKit.h"

#include "Control_p.h"
#include "DFTChartFF.h"
#include "DFTOptionsFF.h"
#include "DataSelFF.h"
#include "FourCopyPrintInfo.h"
#include "Grid.h"
#include "LabelsFF.h"
#include "MemoPlus.h"
#include "OptionsFF.h"
#include "PlotOptFF.h"
#include "PlotWinFF.h"
#include "PrintFF.h"
#include "ScaleFF.h"
#include "TitleForm.h"
#include "ValuesFF.h"

#include "Button.h"
#include "RadioGroup.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include <functional>
#include <string>
#include <vector>

namespace {

struct STabWalk {
    std::string window;
    TCustomForm* form;
    std::function<void()> before; // e.g. the page to show
    std::vector<TControl*> order;
};

// The control whose widgets hold `w`.
TControl* ControlOf(QWidget* w) {
    for (; w; w = w->parentWidget())
        if (auto* cw = dynamic_cast<ControlWidget*>(w)) return &cw->Control();
    return nullptr;
}

// Each Tab's control as its place in `order` (-1: not listed), from the first control until
// the focus comes back to it; the buttons of a radio group count once.
std::vector<int> Walk(TCustomForm& form, const std::vector<TControl*>& order) {
    QWidget& window = WidgetOf(form);
    // Every control takes the focus, so that Tab meets them all.
    for (QWidget* w : window.findChildren<QWidget*>())
        if (auto* cw = dynamic_cast<ControlWidget*>(w)) cw->Control().SetEnabled(true);
    order.front()->SetFocus();
    QApplication::processEvents();
    std::vector<int> seen;
    for (std::size_t step = 0; step < 3 * order.size() + 3; ++step) {
        TControl* c = ControlOf(window.focusWidget());
        if (step > 0 && c == order.front()) break;
        const auto at = std::find(order.begin(), order.end(), c);
        const int place = at == order.end() ? -1 : static_cast<int>(at - order.begin());
        if (seen.empty() || seen.back() != place) seen.push_back(place);
        // In a grid Tab moves between cells; Ctrl+Tab leaves it.
        QTest::keyClick(window.focusWidget(), Qt::Key_Tab,
                        dynamic_cast<TCustomGrid*>(c) ? Qt::ControlModifier : Qt::NoModifier);
        QApplication::processEvents();
    }
    return seen;
}

TEST(TabOrder, FollowsTheLayoutInEveryWindow) {
    AppTestKit kit;
    CurvixUnderTest app;
    const SCurvixWindows& w = app.w;
    TDataSelForm& main = *w.DataSel;
    TPlotOptForm& opt = *w.PlotOpt;
    TOptionsForm& options = *w.Options;
    TLineChart::TTitleForm& title = w.PlotWin->MyChart.TitleForm();
    TPlotWinForm& plot = *w.PlotWin;
    TDFTChartForm& fourier = *w.DFTChart;
    auto page = [](TPageControl& pages, TTabSheet& sheet) {
        return [&pages, &sheet] { pages.SetActivePage(&sheet); };
    };
    const std::vector<STabWalk> walks = {
        {"main", &main, {}, {&main.LoadBtn,      &main.RefreshBtn,   &main.RefUpdBtn,
                             &main.MultiFileBtn, &main.OptionsBtn,   &main.SSSpeedBtn,
                             &main.LSSpeedBtn,   &main.AboutBtn,     &main.FileStringGrid,
                             &main.VarList,      &main.SelectedGrid, &main.ResetBtn,
                             &main.UpdateBtn,    &main.SaveVarBtn,   &main.PlusBtn,
                             &main.MinusBtn,     &main.TimesBtn,     &main.PlotBtn,
                             &main.DFTBtn,       &main.WidthsBtn}},
        {"plot options, General",
         &opt,
         page(opt.PageControl1, opt.GeneralPage),
         {&opt.PageControl1, &opt.YScaleTypeRG, &opt.XScaleTypeRG, &opt.GridBox, &opt.CancelBtn,
          &opt.OKBtn}},
        {"plot options, Font",
         &opt,
         page(opt.PageControl1, opt.FontPage),
         {&opt.PageControl1, &opt.AxisSizeGroup, &opt.CBoxFixed, &opt.LegendSizeGroup,
          &opt.CancelBtn, &opt.OKBtn}},
        {"plot options, Lines",
         &opt,
         page(opt.PageControl1, opt.LinesPage),
         {&opt.PageControl1, &opt.UseLinesBtn, &opt.LineTypeRadioGr, &opt.UsePointsBtn,
          &opt.PointTypeRadioGr, &opt.CancelBtn, &opt.OKBtn}},
        {"manual scaling",
         w.Scale,
         {},
         {&w.Scale->YLMaxEdit, &w.Scale->YLMinEdit, &w.Scale->YRMaxEdit, &w.Scale->YRMinEdit,
          &w.Scale->XMinEdit, &w.Scale->XMaxEdit, &w.Scale->ExactMatchBox, &w.Scale->LabelBtn,
          &w.Scale->CancelBtn, &w.Scale->OKBtn}},
        {"manual labels",
         w.Label,
         {},
         {&w.Label->YLBaseEdit, &w.Label->YLExpEdit, &w.Label->YRBaseEdit, &w.Label->YRExpEdit,
          &w.Label->XBaseEdit, &w.Label->XExpEdit, &w.Label->CancelBtn, &w.Label->OKBtn}},
        {"print data",
         w.PrintData,
         {},
         {&w.PrintData->FrThicknCombo, &w.PrintData->PrSetupBtn, &w.PrintData->CrThicknCombo,
          &w.PrintData->DotThicknCombo, &w.PrintData->BlackWhiteBox, &w.PrintData->PrintBtn,
          &w.PrintData->CancelBtn}},
        {"values", w.Values, {}, {&w.Values->InterpolationBox}},
        {"program options, General",
         &options,
         page(options.TPageControl1, options.GeneralSheet),
         {&options.TPageControl1, &options.AssociateFOBox, &options.WinPosSizeBox,
          &options.SmallWindowsBox, &options.OKBtn, &options.CancelBtn, &options.DefaultBtn}},
        {"program options, Input",
         &options,
         page(options.TPageControl1, options.InputSheet),
         {&options.TPageControl1, &options.CommaSepBox, &options.OKBtn, &options.CancelBtn,
          &options.DefaultBtn}},
        {"program options, Plot",
         &options,
         page(options.TPageControl1, options.PlotSheet),
         {&options.TPageControl1, &options.AutoLabelBox, &options.BarFSBox, &options.BarHFSBox,
          &options.PointsBox, &options.OKBtn, &options.CancelBtn, &options.DefaultBtn}},
        {"program options, DFT",
         &options,
         page(options.TPageControl1, options.DFTSheet),
         {&options.TPageControl1, &options.FrequencyEdit, &options.OKBtn, &options.CancelBtn,
          &options.DefaultBtn}},
        {"Fourier options",
         w.DFTOptions,
         {},
         {&w.DFTOptions->InitialTimeEdit, &w.DFTOptions->FinalTimeEdit,
          &w.DFTOptions->UnitRadioGroup, &w.DFTOptions->ArmMinEdit, &w.DFTOptions->ArmMaxEdit,
          &w.DFTOptions->SizeRadioGroup, &w.DFTOptions->OkBtn, &w.DFTOptions->CancelBtn}},
        {"Fourier copy",
         w.FourCopyInfo,
         {},
         {&w.FourCopyInfo->RadioGroup1, &w.FourCopyInfo->AmplBox, &w.FourCopyInfo->PhaseBox,
          &w.FourCopyInfo->GoBtn, &w.FourCopyInfo->CancelBtn, &w.FourCopyInfo->PrSetupBtn}},
        {"title",
         &title,
         {},
         {title.Memo, title.RowsRadioGroup, title.OKButton, title.CancelButton}},
        {"plot",
         &plot,
         {},
         {&plot.TitleBtn, &plot.PlotOptBtn, &plot.ScaleBtn, &plot.CursorBtn, &plot.MarkBtn,
          &plot.SaveBtn, &plot.CopyBtn, &plot.PrintBtn}},
        {"Fourier",
         &fourier,
         {},
         {&fourier.OptionsBtn, &fourier.InfoBtn, &fourier.PrintButton, &fourier.CopyBtn}},
    };
    for (const STabWalk& walk : walks) {
        if (walk.before) walk.before();
        walk.form->Show();
        std::vector<int> inOrder(walk.order.size());
        for (std::size_t i = 0; i < inOrder.size(); ++i)
            inOrder[i] = static_cast<int>(i);
        EXPECT_EQ(Walk(*walk.form, walk.order), inOrder) << walk.window;
        walk.form->Hide();
    }
}

} // namespace
