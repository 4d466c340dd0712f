#include "PlotWinFF.h"

#include "DFTChartFF.h"
#include "DataSelFF.h"
#include "LabelsFF.h"
#include "MessageBox.h"
#include "NumericText.h"
#include "PlotOptFF.h"
#include "PlotWinRules.h"
#include "PrintFF.h"
#include "Printer.h"
#include "ScaleFF.h"
#include "Screen.h"
#include "ValuesFF.h"

#include <algorithm>

namespace {

constexpr int kDesignClientWidth = 426, kDesignClientHeight = 333, kPanelHeight = 24;

void SetUpButton(TSpeedButton& b, const char* caption, const char* hint, int left, int top,
                 int width, int height) {
    b.SetCaption(caption);
    b.SetHint(hint);
    b.SetShowHint(true);
    b.SetBounds(left, top, width, height);
}

void SetUpReadOut(TLabel& l, int left) {
    l.SetColor(clWhite);
    l.Font().SetName("Arial");
    l.Font().SetSize(9);
    l.Font().SetColor(clBlack);
    l.SetLeft(left);
    l.SetTop(4);
}

// An axis end as the scaling dialog shows it: general format, 4 digits, in the user's
// decimal separator.
std::string ScaleText(float v) {
    return ScaleEndText(v, DecimalSeparator());
}

float EditFloat(const TEdit& e) {
    double v = 0;
    TextToDouble(v, e.Text());
    return static_cast<float>(v);
}

void SetCaptionActive(TLabel& l, bool active) {
    l.SetEnabled(active);
    l.Font().SetColor(active ? clBlack : kInactiveCaption);
}

void SetQuietly(TCheckBox& box, bool on) {
    TNotifyEvent click = std::move(box.OnClick);
    box.OnClick = nullptr;
    box.SetChecked(on);
    box.OnClick = std::move(click);
}

// What the plot options set on the chart and the window, put back when the chart
// refuses the new scales.
struct SOptionsOnChart {
    EScaleType x, y;
    bool xGrid, yGrid, autoAxis, autoLegend, interpolation, zoomed, boxEnabled;
    int userFont;
    EPlotType type;
    EPlotPenWidth pen;
    ESwarmPointSize swarm;
    std::uint8_t kind, yChoice;

    explicit SOptionsOnChart(TPlotWinForm& w)
        : x(w.MyChart.XScaleType), y(w.MyChart.YScaleType), xGrid(w.MyChart.XGrid),
          yGrid(w.MyChart.YGrid), autoAxis(w.MyChart.AutoAxisFont),
          autoLegend(w.MyChart.AutoLegendFont), interpolation(w.MyChart.LinearInterpolation),
          zoomed(w.MyChart.Zoomed), boxEnabled(w.InterpolationBox.Enabled()),
          userFont(w.MyChart.UserFontSize), type(w.MyChart.PlotType), pen(w.MyChart.PlotPenWidth),
          swarm(w.MyChart.SwarmPointSize), kind(w.PlotKind), yChoice(w.YScaleChoice) {}

    void PutBack(TPlotWinForm& w) const {
        TLineChart& c = w.MyChart;
        c.SetXScaleType(x);
        c.SetYScaleType(y);
        c.SetXGrid(xGrid);
        c.SetYGrid(yGrid);
        c.AutoAxisFont = autoAxis;
        c.AutoLegendFont = autoLegend;
        c.UserFontSize = userFont;
        c.LinearInterpolation = interpolation;
        c.Zoomed = zoomed;
        c.PlotType = type;
        c.PlotPenWidth = pen;
        c.SwarmPointSize = swarm;
        w.PlotKind = kind;
        w.YScaleChoice = yChoice;
        w.InterpolationBox.SetEnabled(boxEnabled);
    }
};

} // namespace

TPlotWinForm::TPlotWinForm(TComponent* owner, SAppContext& ctx)
    : TForm(owner), Panel1(this), TitleBtn(&Panel1), PlotOptBtn(&Panel1), ScaleBtn(&Panel1),
      CursorBtn(&Panel1), InterpolationBox(&Panel1), Label1(&Panel1), Label2(&Panel1),
      MarkBtn(&Panel1), SaveBtn(&Panel1), CopyBtn(&Panel1), PrintBtn(&Panel1), MyChart(this),
      ctx_(ctx), globals_(ctx.globals), options_(ctx.options) {
    SetCaption("QJ's Curvix plot");
    Font().SetName("MS Sans Serif");
    Font().SetSize(8);
    SetClientSize(kDesignClientWidth, kDesignClientHeight);

    Panel1.SetBevelOuter(bvNone);
    Panel1.SetAlign(TAlign::alBottom);
    Panel1.SetBounds(0, kDesignClientHeight - kPanelHeight, kDesignClientWidth, kPanelHeight);
    SetUpButton(TitleBtn, "Tt", "Show title", 3, 2, 28, 20);
    TitleBtn.SetGroupIndex(3);
    TitleBtn.SetAllowAllUp(true);
    SetUpButton(PlotOptBtn, "Opt", "Customise plot", 35, 2, 27, 20);
    SetUpButton(ScaleBtn, "1:n", "Manual Scale", 65, 2, 33, 20);
    SetUpButton(CursorBtn, "-|-", "Show cursor", 101, 2, 30, 20);
    CursorBtn.SetGroupIndex(2);
    CursorBtn.SetAllowAllUp(true);
    InterpolationBox.SetHint("Linear Interpolation");
    InterpolationBox.SetShowHint(true);
    InterpolationBox.SetBounds(146, 4, 18, 17);
    InterpolationBox.SetTabStop(false);
    InterpolationBox.Hide();
    SetUpReadOut(Label1, 170);
    SetUpReadOut(Label2, 235);
    SetUpButton(MarkBtn, "M", "Mark", 315, 1, 25, 22);
    SetUpButton(SaveBtn, "W", "Write WMF file...", 340, 1, 25, 22);
    SetUpButton(CopyBtn, "C", "Copy to Clipbrd", 367, 1, 25, 22);
    SetUpButton(PrintBtn, "P", "Print...", 393, 1, 25, 22);
    MyChart.SetBounds(0, 0, 416, 266);
    MyChart.ApplicationName = globals_.programName;
    MyChart.Legend = true;

    TitleBtn.OnClick = [this](TObject* s) { TitleBtnClick(s); };
    PlotOptBtn.OnClick = [this](TObject* s) { PlotOptBtnClick(s); };
    ScaleBtn.OnClick = [this](TObject* s) { ScaleBtnClick(s); };
    CursorBtn.OnClick = [this](TObject* s) { CursorBtnClick(s); };
    InterpolationBox.OnClick = [this](TObject* s) { InterpolationBoxClick(s); };
    MarkBtn.OnClick = [this](TObject* s) { MarkBtnClick(s); };
    auto mouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        CopyBtnMouseDown(s, b, sh, x, y);
    };
    SaveBtn.OnMouseDown = mouseDown;
    CopyBtn.OnMouseDown = mouseDown;
    SaveBtn.OnClick = [this](TObject* s) { SaveBtnClick(s); };
    CopyBtn.OnClick = [this](TObject* s) { CopyBtnClick(s); };
    PrintBtn.OnClick = [this](TObject* s) { PrintBtnClick(s); };
    MyChart.OnValuesChange = [this](TObject* s, XYValues v) { MyChartValuesChange(s, v); };
    MyChart.OnZoomStateChange = [this](TObject* s, bool on) { MyChartZoomStateChange(s, on); };
    // The arrows reach the chart whichever control has the focus.
    SetKeyPreview(true);
    OnKeyDown = [this](TObject* s, WORD& k, TShiftState sh) { FormKeyDown(s, k, sh); };
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };

    ScaleBy(globals_.scaleMul, globals_.scaleDiv);
    const bool remembered = options_.Flag(poRememberWindows);
    if (!remembered) SetTop(0);
    SetTop(Top() + globals_.instanceOffset);
    CaptionBase = Caption();
    if (globals_.instanceNumber >= 2)
        CaptionBase += " (" + std::to_string(globals_.instanceNumber) + ")";
    SetCaption(CaptionBase);
    InitialClientWidth = ClientWidth();
    InitialClientHeight = ClientHeight();

    const int screenW = Screen->Width(), screenH = Screen->Height();
    if (remembered) {
        const auto& pos = globals_.winPos;
        // A size from the registry never makes a picture larger than the screen.
        SetBounds(pos[4], pos[3], std::clamp<int>(pos[5], 1, std::max(1, screenW)),
                  std::clamp<int>(pos[6], 1, std::max(1, screenH)));
    } else if (TDataSelForm* main = ctx_.windows.DataSel) {
        // Beside the main window where the screen has room; on a narrower screen it moves
        // left over the main window rather than hide its own buttons past the edge.
        SetLeft(std::max(0, std::min(main->Width() + 1, screenW - Width())));
    }
    const auto keep = remembered ? KeepWholeOnScreen : KeepHalfOnScreen;
    SetBounds(keep(Left(), Width(), screenW), keep(Top(), Height(), screenH), Width(), Height());
    const double s = globals_.scaleFactor;
    SetMinTrackSize(static_cast<int>(285 * s), static_cast<int>(185 * s));

    Label1.Hide();
    Label2.Hide();
    if (options_.Flag(poPointsOnly)) InterpolationBox.SetEnabled(false);
    FormResize(this);
    OnResize = [this](TObject* s) { FormResize(s); };

    // The values window starts beside this one unless it has a remembered place: on its
    // right, else below it at its right edge (clear of the Fourier window, which opens
    // under the main window), else on its left (where it may cover the main window's
    // buttons).
    if (TValuesForm* values = ctx_.windows.Values; values && !remembered) {
        int left = Left() + Width() + 2, top = Top();
        if (left + values->Width() > screenW) {
            if (Top() + Height() + 2 + values->Height() <= screenH) {
                left = Left() + Width() - values->Width();
                top = Top() + Height() + 2;
            } else {
                left = std::max(0, Left() - values->Width() - 2);
            }
        }
        values->SetBounds(left, top, values->Width(), values->Height());
    }
    // The Fourier window opens under the main window. Where this window reaches lower over
    // the same columns (a narrow screen), it opens under this one instead, so that its
    // title bar does not cover this window's buttons, and keeps its read-out on the screen.
    if (TDFTChartForm* fourier = ctx_.windows.DFTChart; fourier && !remembered) {
        const bool sameColumns =
            fourier->Left() < Left() + Width() && Left() < fourier->Left() + fourier->Width();
        if (sameColumns && fourier->Top() > Top() && fourier->Top() <= Top() + Height())
            fourier->PlaceUnder(Top() + Height() + 1, screenH);
    }
}

// ---- hand-over and plotting

void TPlotWinForm::SetCurveData(PlotSnapshotPtr data) {
    if (data) data->BindPointers();
    curveData_ = std::move(data);
    MyChart.AutoLabel = options_.Flag(poAutoLabel);
}

void TPlotWinForm::ShowPlot(const SPlotHandOver& h) {
    if (!h.plot) return;
    SetCurveData(h.plot);
    PlotKind = h.plot->chartKind;
    SetLegendData(h.plot);
    if (!h.cursorAllowed) {
        if (CursorBtn.Down()) {
            CursorBtn.SetDown(false);
            CursorBtnClick(&CursorBtn);
        }
        CursorBtn.SetEnabled(false);
    } else {
        CursorBtn.SetEnabled(true);
    }
    Show();
    ShowCurves(h.keepScale);
}

void TPlotWinForm::SetLegendData(PlotSnapshotPtr data) {
    legendData_ = std::move(data);
}

void TPlotWinForm::ShowCurves(bool keepScale) {
    // The chart keeps drawing the snapshot on screen until a drawable one replaces it.
    if (!curveData_ || !SnapshotDrawable(*curveData_)) return;
    SPlotSnapshot& d = *curveData_;
    SPlotSnapshot& legend = legendData_ ? *legendData_ : d;

    TotalCurves = 0;
    for (int f = 0; f < d.nFiles; ++f)
        TotalCurves += d.nCurves[static_cast<std::size_t>(f)];
    MyChart.UserLabel = false;

    // A plot of the full range is no zoom, whatever was zoomed before.
    if (!keepScale) MyChart.Zoomed = false;
    MarkBtn.SetEnabled(d.xParam.xIsTime || !MyChart.Zoomed);
    PrintBtn.SetEnabled(true);
    MyChart.PlotType = static_cast<EPlotType>(std::min<int>(PlotKind, ptSwarm));
    InterpolationBox.SetEnabled(true);

    if (TPlotOptForm* opt = ctx_.windows.PlotOpt) {
        opt->UseLinesBtn.SetEnabled(PlotKind != 1);
        opt->UsePointsBtn.SetEnabled(PlotKind != 1);
        if (PlotKind == 2)
            MyChart.SwarmPointSize = opt->PointTypeRadioGr.ItemIndex() == 0 ? ssPixel : ssSquare;
    }
    if (PlotKind == 2) InterpolationBox.SetEnabled(false);

    MyChart.GetData(d.nFiles, d.xFromFile.data(), d.nCurves.data(), d.nPoints.data(), d.xParam,
                    d.curves.data(), d.xPtr.data(), d.yPtr.data());
    // From here on the chart reads this snapshot; the one shown before may go.
    Shown = curveData_;
    legendShown_ = legendData_ ? legendData_ : curveData_;
    MyChart.GetInfoLegend(legend.legendNames.data(), legend.varNames.data(), legend.totalCurves,
                          legend.factors.data(), legend.offsets.data());
    MyChart.ResetMarkData();
    MyChart.Plot(!keepScale);

    SetCaption(options_.Flag(poCaptionText) ? CaptionBase + MyChart.PlotTimeText : CaptionBase);

    if (TValuesForm* values = ctx_.windows.Values) values->SetCurves(d.nFiles, d.nCurves.data());
    ShowInterpolationState();

    if (MyChart.DataCursorVisible) {
        CursorBtnClick(this);
        CursorBtnClick(this);
    }
}

// ---- cursor, resize, close, keys

void TPlotWinForm::CursorBtnClick(TObject*) {
    TValuesForm* values = ctx_.windows.Values;
    if (MyChart.DataCursorVisible) {
        MyChart.SetDataCursorVisible(false);
        InterpolationBox.Hide();
        Label2.Hide();
        Label1.Hide();
        if (values) values->Hide();
        return;
    }
    MyChart.SetDataCursorVisible(true);
    if (CursorValuesInPanel(TotalCurves, ClientWidth(), InitialClientWidth)) {
        InterpolationBox.Show();
        Label2.Show();
        Label1.Show();
        if (values) values->Hide();
    } else if (values) {
        values->Show();
        SetFocus();
    }
}

void TPlotWinForm::FormResize(TObject*) {
    if (MyChart.DataCursorVisible) {
        CursorBtnClick(this);
        CursorBtnClick(this);
    }
    const int w = ClientWidth(), h = ClientHeight();
    Panel1.SetBounds(0, h - Panel1.Height(), w, Panel1.Height());
    const SPanelButtons b =
        PackPanelButtons(w, PrintBtn.Width(), CopyBtn.Width(), SaveBtn.Width(), MarkBtn.Width());
    PrintBtn.SetLeft(b.print);
    CopyBtn.SetLeft(b.copy);
    SaveBtn.SetLeft(b.save);
    MarkBtn.SetLeft(b.mark);
    ChartHeight = h - Panel1.Height();
    MyChart.Resize_(w, std::max(0, ChartHeight));
}

void TPlotWinForm::FormClose(TObject*, TCloseAction&) {
    if (!MyChart.DataCursorVisible) return;
    CursorBtn.SetDown(false);
    CursorBtnClick(this);
}

void TPlotWinForm::FormKeyDown(TObject*, WORD& Key, TShiftState Shift) {
    MyChart.KeyDown(Key, Shift);
}

void TPlotWinForm::MyChartValuesChange(TObject*, XYValues Values) {
    if (!CursorBtn.Enabled() || !Shown || !Values.X || !Values.Y) return;
    Label1.SetCaption(FormatNumber(Values.X[0], 5));
    Label2.SetCaption(FormatNumber(Values.Y[0][0], 5));
    Label2.Font().SetColor(Shown->curves[0].color);
    if (TValuesForm* values = ctx_.windows.Values) {
        values->ShowFileHeadings(legendShown_->legendNames.data());
        values->ShowValues(Values.X, Values.Y, Shown->curves.data());
    }
}

void TPlotWinForm::MyChartZoomStateChange(TObject*, bool Info) {
    TDataSelForm* main = ctx_.windows.DataSel;
    if (!main) return;
    if (Info)
        main->EnableUpdate();
    else
        main->DisableUpdate();
}

// ---- panel buttons

void TPlotWinForm::TitleBtnClick(TObject*) {
    if (TitleBtn.Down())
        MyChart.EnableTitle();
    else
        MyChart.DisableTitle();
}

void TPlotWinForm::InterpolationBoxClick(TObject*) {
    InterpolationChosen(InterpolationBox.Checked());
}

void TPlotWinForm::InterpolationChosen(bool on) {
    MyChart.SetLinearInterpolation(on);
    ShowInterpolationState();
    // The arrows must reach the window, not the box.
    SetFocus();
}

void TPlotWinForm::ShowInterpolationState() {
    SetQuietly(InterpolationBox, MyChart.LinearInterpolation);
    if (TValuesForm* values = ctx_.windows.Values)
        SetQuietly(values->InterpolationBox, MyChart.LinearInterpolation);
}

void TPlotWinForm::MarkBtnClick(TObject*) {
    if (MyChart.DataCursorVisible)
        MyChart.Mark();
    else
        MyChart.MarkAuto();
    SetFocus();
}

void TPlotWinForm::CopyBtnMouseDown(TObject*, TMouseButton, TShiftState Shift, int, int) {
    MyChart.StrongFilter = (Shift & ssAlt) != 0;
}

void TPlotWinForm::CopyBtnClick(TObject*) {
    MyChart.Copy();
}

void TPlotWinForm::SaveBtnClick(TObject*) {
    MyChart.Save();
}

// ---- the dialogs

void TPlotWinForm::PlotOptBtnClick(TObject*) {
    TPlotOptForm* opt = ctx_.windows.PlotOpt;
    if (!opt) return;
    switch (PlotKind) {
    case 0:
        opt->UseLinesBtn.SetChecked(true);
        opt->UsePointsBtn.SetChecked(false);
        opt->LineTypeRadioGr.SetEnabled(true);
        opt->PointTypeRadioGr.SetEnabled(false);
        break;
    case 2:
        opt->UsePointsBtn.SetChecked(true);
        opt->UseLinesBtn.SetChecked(false);
        opt->LineTypeRadioGr.SetEnabled(false);
        opt->PointTypeRadioGr.SetEnabled(true);
        break;
    default: // bars: neither lines nor dots apply
        opt->UseLinesBtn.SetEnabled(false);
        opt->UsePointsBtn.SetEnabled(false);
        opt->LineTypeRadioGr.SetEnabled(false);
        opt->PointTypeRadioGr.SetEnabled(false);
        if (opt->PageControl1.ActivePage() == &opt->LinesPage)
            opt->PageControl1.SetActivePage(&opt->GeneralPage);
        break;
    }
    // Cancel, or scales the chart refuses, leave the dialog, the chart and the other
    // windows as they were.
    TPlotOptForm::SState shown = opt->SaveState();
    if (opt->ShowModal() != mrOk) {
        opt->RestoreState(shown);
        return;
    }
    const SOptionsOnChart was(*this);

    MyChart.Zoomed = true;
    MyChart.SetXScaleType(opt->XScaleTypeRG.ItemIndex() == 1 ? stLog : stLin);
    YScaleChoice = opt->YScaleTypeRG.ItemIndex() == 1 ? 2 : 0;
    MyChart.SetYScaleType(static_cast<EScaleType>(YScaleChoice));
    MyChart.SetYGrid(opt->GridBox.Checked());
    MyChart.SetXGrid(opt->GridBox.Checked());

    if (opt->AxisSizeGroup.ItemIndex() == 0) {
        MyChart.AutoAxisFont = false;
        MyChart.UserFontSize = std::stoi(opt->CBoxFixed.Items()[opt->CBoxFixed.ItemIndex()]);
    } else {
        MyChart.AutoAxisFont = true;
    }
    MyChart.AutoLegendFont = opt->LegendSizeGroup.ItemIndex() != 0;

    if (opt->UseLinesBtn.Enabled()) {
        if (opt->UseLinesBtn.Checked()) {
            PlotKind = 0;
            MyChart.PlotType = ptLine;
            MyChart.PlotPenWidth =
                static_cast<EPlotPenWidth>(std::clamp(opt->LineTypeRadioGr.ItemIndex(), 0, 2));
            InterpolationBox.SetEnabled(true);
            // Shown by the read-out once the new picture stands.
            MyChart.LinearInterpolation = InterpolationBox.Checked();
        } else {
            PlotKind = 2;
            MyChart.PlotType = ptSwarm;
            MyChart.SwarmPointSize = opt->PointTypeRadioGr.ItemIndex() != 0 ? ssSquare : ssPixel;
            InterpolationBox.SetEnabled(false);
            MyChart.LinearInterpolation = false;
        }
    }
    MyChart.DesignPlot();
    MyChart.Plot(false);
    if (MyChart.ScaleRefused) {
        was.PutBack(*this);
        MyChart.DesignPlot();
        opt->RestoreState(shown);
    } else {
        MyChart.MarkAll();
    }
    ShowInterpolationState();
    MyChart.RefreshValues();
}

void TPlotWinForm::ScaleBtnClick(TObject*) {
    TScaleForm* scale = ctx_.windows.Scale;
    TLabelForm* labels = ctx_.windows.Label;
    if (!scale || !labels) return;
    const FloatRect2& r = MyChart.DispRect;
    scale->XMinEdit.SetText(ScaleText(r.xLower));
    scale->XMaxEdit.SetText(ScaleText(r.xUpper));
    scale->YLMinEdit.SetText(ScaleText(r.yLeftLower));
    scale->YLMaxEdit.SetText(ScaleText(r.yLeftUpper));
    const SAxisSet& a = MyChart.Axes;
    labels->XBaseEdit.SetText(a.xText.unit);
    labels->XExpEdit.SetText(a.xText.exponent);
    labels->YLBaseEdit.SetText(a.yLeftText.unit);
    labels->YLExpEdit.SetText(a.yLeftText.exponent);
    labels->YRBaseEdit.SetText(a.yRightText.unit);
    labels->YRExpEdit.SetText(a.yRightText.exponent);

    const bool right = MyChart.SecondYAxis;
    for (TLabel* l :
         {&scale->YRMaxLabel, &scale->YRMinLabel, &labels->YRBaseLabel, &labels->YRHatLabel})
        SetCaptionActive(*l, right);
    for (TEdit* e : {&scale->YRMaxEdit, &scale->YRMinEdit, &labels->YRBaseEdit, &labels->YRExpEdit})
        e->SetEnabled(right);
    scale->YRGB.Font().SetColor(right ? clBlack : kInactiveCaption);
    labels->YRGB.Font().SetColor(right ? clBlack : kInactiveCaption);
    if (right) {
        scale->YRMinEdit.SetText(ScaleText(r.yRightLower));
        scale->YRMaxEdit.SetText(ScaleText(r.yRightUpper));
    } else {
        scale->YRMinEdit.SetText("inactive");
        scale->YRMaxEdit.SetText("inactive");
    }

    if (scale->ShowModal() != mrOk) return;

    MyChart.Zoomed = true;
    ManualRect.xLower = EditFloat(scale->XMinEdit);
    ManualRect.xUpper = EditFloat(scale->XMaxEdit);
    ManualRect.yLeftUpper = EditFloat(scale->YLMaxEdit);
    ManualRect.yLeftLower = EditFloat(scale->YLMinEdit);
    if (right) {
        ManualRect.yRightUpper = EditFloat(scale->YRMaxEdit);
        ManualRect.yRightLower = EditFloat(scale->YRMinEdit);
    }
    if (scale->LabelsAccepted) {
        SAxisSet& texts = MyChart.Axes;
        texts.xText = {labels->XBaseEdit.Text(), labels->XExpEdit.Text()};
        texts.yLeftText = {labels->YLBaseEdit.Text(), labels->YLExpEdit.Text()};
        texts.yRightText = {labels->YRBaseEdit.Text(), labels->YRExpEdit.Text()};
        MyChart.UserLabel = true;
    }
    if (TDataSelForm* main = ctx_.windows.DataSel) main->EnableUpdate();
    MyChart.ManualScale = scale->ExactMatchBox.Checked();
    FloatRect2 shownRect = ManualRect;
    // A log y axis spans the decades of the whole data; x ends that could be typed hold.
    if (MyChart.YScaleType != stLin) {
        const FloatRect2 full = MyChart.FullDataRectangle();
        shownRect.yLeftUpper = full.yLeftUpper;
        shownRect.yLeftLower = full.yLeftLower;
        shownRect.yRightUpper = full.yRightUpper;
        shownRect.yRightLower = full.yRightLower;
        if (!scale->XMinEdit.Enabled()) {
            shownRect.xLower = full.xLower;
            shownRect.xUpper = full.xUpper;
        }
    }
    MyChart.DispRect = shownRect;

    MyChart.DesignPlot();
    MyChart.Plot(false);
    MyChart.MarkAll();
    MyChart.RefreshValues();
}

void TPlotWinForm::PrintBtnClick(TObject*) {
    TPrintDataForm* pd = ctx_.windows.PrintData;
    if (!pd) return;
    const bool dots = MyChart.PlotType == ptSwarm;
    pd->CrThicknCombo.SetEnabled(!dots);
    pd->CrThicknCombo.SetColor(dots ? clInactiveBorder : clWindow);
    SetCaptionActive(pd->CurveLabel, !dots);
    pd->DotThicknCombo.SetEnabled(dots);
    pd->DotThicknCombo.SetColor(dots ? clWindow : clInactiveBorder);
    SetCaptionActive(pd->DotLabel, dots);
    pd->BlackWhiteBox.SetChecked(MyChart.AreThereAnyMarks());

    if (pd->ShowModal() != mrOk) return;

    TPrinter& printer = Printer();
    const SPrintPens pens = PrintPens(pd->FrameTenths(), pd->CurveTenths(), pd->DotTenths(),
                                      printer.Resolution(), MyChart.PlotType == ptLine);
    if (!pens.ok) {
        MessageBox("Output resolution is too low to use the required pen witdhs\nPlease raise "
                   "resolution or pen width(s).",
                   globals_.programName + " - Error", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    MyChart.PrintPenWidth = pens.dot;
    MyChart.BlackWhite = pd->BlackWhiteBox.Checked();
    printer.SetTitle(globals_.programName + " - Plot Print");
    MyChart.Print(pens.frame, pens.curve);
}
