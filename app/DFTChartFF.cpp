#include "DFTChartFF.h"

#include "Application.h"
#include "Bitmap.h"
#include "Clipboard.h"
#include "DFTOptionsFF.h"
#include "DataSelFF.h"
#include "DateText.h"
#include "FourCopyPrintInfo.h"
#include "FourierOutput.h"
#include "MessageBox.h"
#include "Metafile.h"
#include "NumericText.h"
#include "PlotWinRules.h"
#include "Printer.h"
#include "Screen.h"
#include "services/FileNames.h"

#include <algorithm>
#include <cmath>
#include <concepts>
#include <new>

namespace {

constexpr int kClientWidth = 640, kClientHeight = 460;
constexpr int kPanelWidth = 124;

void EndProgram() {
    if (Application) Application->Terminate();
}

} // namespace

TDFTChartForm::TDFTChartForm(TComponent* owner, SAppContext& ctx)
    : TForm(owner), Panel1(this), Label1(&Panel1), Label2(&Panel1), OptionsBtn(&Panel1),
      CopyBtn(&Panel1), PrintButton(&Panel1), InfoBtn(&Panel1), ViewGroup(&Panel1),
      ChartTypeLabel(&ViewGroup), HarmNumLabel(&ViewGroup), ValueLabelTxt(&ViewGroup),
      ValueLabel(&ViewGroup), ResolvedLabel(&ViewGroup), ctx_(ctx), globals_(ctx.globals),
      options_(ctx.options) {
    SetCaption("QJ's Curvix - Fourier chart");
    SetClientSize(kClientWidth, kClientHeight);

    Panel1.SetBevelOuter(bvNone);
    Panel1.SetBounds(kClientWidth - kPanelWidth, 0, kPanelWidth, kClientHeight);
    Label1.SetCaption("Initial time: ");
    Label1.SetBounds(4, 8, kPanelWidth - 6, 16);
    Label2.SetCaption("Final time: ");
    Label2.SetBounds(4, 28, kPanelWidth - 6, 16);
    struct SButton {
        TSpeedButton& b;
        const char* caption;
        const char* hint;
        int left, top;
    };
    for (const SButton& b :
         {SButton{OptionsBtn, "Options", "Options...", 6, 54}, SButton{InfoBtn, "Info", "", 64, 54},
          SButton{PrintButton, "Print", "Print...", 6, 84},
          SButton{CopyBtn, "Copy", "Copy...", 64, 84}}) {
        b.b.SetCaption(b.caption);
        b.b.SetHint(b.hint);
        b.b.SetShowHint(*b.hint != 0);
        b.b.SetBounds(b.left, b.top, 54, 26);
    }
    SetTabOrder({&OptionsBtn, &InfoBtn, &PrintButton, &CopyBtn});
    ViewGroup.SetColor(clWhite);
    ViewGroup.SetBevelOuter(bvLowered);
    ViewGroup.SetBounds(4, kClientHeight - 110, kPanelWidth - 8, 106);
    int top = 4;
    for (TLabel* l :
         {&ChartTypeLabel, &HarmNumLabel, &ValueLabelTxt, &ValueLabel, &ResolvedLabel}) {
        l->SetColor(clWhite);
        l->SetBounds(6, top, kPanelWidth - 20, 16);
        top += 20;
    }
    ValueLabel.Font().SetColor(clRed);

    xParam_.xIsTime = true;
    curveParam_.color = 0;
    curveParam_.axis = 0;

    OptionsBtn.OnClick = [this](TObject* s) { OptionsBtnClick(s); };
    CopyBtn.OnClick = [this](TObject* s) { CopyBtnClick(s); };
    PrintButton.OnClick = [this](TObject* s) { PrintButtonClick(s); };
    InfoBtn.OnClick = [this](TObject* s) { InfoBtnClick(s); };
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnResize = [this](TObject* s) { FormResize(s); };
    OnDestroy = [this](TObject* s) { FormDestroy(s); };
}

TDFTChartForm::~TDFTChartForm() = default;

void TDFTChartForm::FormCreate(TObject*) {
    // The side panel's font: as large as lets a typical time fit the panel.
    TBitmap measure(1, 1);
    TCanvas& c = measure.Canvas();
    c.Font() = Label1.Font();
    const int size = FitSidePanelFont(Label1.Font().Size(), Panel1.Width(), [&c](int s) {
        c.Font().SetSize(s);
        return c.TextWidth("Initial time: 0.1234");
    });
    for (TLabel* l : {&Label1, &Label2, &ChartTypeLabel, &HarmNumLabel, &ValueLabelTxt, &ValueLabel,
                      &ResolvedLabel})
        l->Font().SetSize(size);

    if (globals_.instanceNumber > 1)
        SetCaption(Caption() + " (" + std::to_string(globals_.instanceNumber) + ")");

    if (options_.Flag(poRememberWindows)) {
        const int screenW = Screen->Width(), screenH = Screen->Height();
        const int width = std::min<int>(globals_.winPos[11], screenW);
        const int height = std::min<int>(globals_.winPos[12], screenH);
        SetBounds(KeepWholeOnScreen(globals_.winPos[10], width, screenW),
                  KeepWholeOnScreen(globals_.winPos[9], height, screenH), width, height);
    } else if (const TDataSelForm* main = ctx_.windows.DataSel) {
        SetLeft(main->Left());
        SetTop(main->Top() + main->Height() + 1);
    }

    try {
        AmplChart = std::make_unique<TLineChart>(this);
        PhaseChart = std::make_unique<TLineChart>(this);
    } catch (const std::bad_alloc&) {
        AmplChart.reset();
        PhaseChart.reset();
        MessageBox("Unable to allocate BarChart", "Unexpected Error!", MB_OK);
        EndProgram();
        return;
    }
    for (TLineChart* chart : {AmplChart.get(), PhaseChart.get()}) {
        chart->PlotType = ptBar;
        chart->SetDataCursorVisible(true);
        chart->OnValuesChange = [this](TObject* s, XYValues v) { ChartValuesChange(s, v); };
        chart->SetLeft(0);
        chart->SetTop(0);
    }
    AmplChart->AutoLabel = true;

    const SFourierMinSize min =
        FourierMinTrackSize(Panel1.Width(), Height() - ClientHeight(),
                            CopyBtn.Top() + CopyBtn.Height(), ViewGroup.Height());
    SetMinTrackSize(min.width, min.height);
    Ready = true;
    FormResize(this);
}

void TDFTChartForm::PlaceUnder(int top, int screenHeight) {
    SetBounds(Left(), top, Width(), std::min(Height(), screenHeight - top)); // held to its minimum
}

void TDFTChartForm::SetData(const float* t, const float* x, const std::string& variableName,
                            const std::string& fileName, int slot, bool, int n) {
    n = std::max(n, 0);
    Time.assign(t, t + n);
    Value.assign(x, x + n);
    SampleCount = n;
    Slot = std::clamp(slot, 0, 7);
    VariableName = variableName;
    FileName = fileName;
    SamplesPerSec = SamplesPerSecond(Time.data(), n);
    TimeFactor = 1;
    TimeOffset = 0;
    curveParam_.unitChar = FourierUnitChar(VariableName);
    Harmonics.last = -1; // another curve: nothing computed may be reused
    if (ctx_.windows.DFTOptions && n > 0)
        ctx_.windows.DFTOptions->SetData(Time.front(), Time.back(), n, SamplesPerSec);
}

void TDFTChartForm::SetTimeScale(float factor, float offset) {
    if (factor == 0 || !std::isfinite(factor) || !std::isfinite(offset)) return;
    TimeFactor = factor;
    TimeOffset = offset;
}

float TDFTChartForm::FileTime(double plotTime) const {
    return static_cast<float>((plotTime - TimeOffset) / TimeFactor);
}

void TDFTChartForm::ComputeDFT() {
    THourGlass wait;
    if (Period.end >= SampleCount || Period.start < 0 || Period.Count() < 1) {
        MessageBox("Error \"IndexRight\" in DFTChartFF", "Error", MB_OK | MB_ICONSTOP);
        EndProgram();
        return;
    }
    Harmonics = ComputeHarmonics(Value.data(), Period, LastOrder);
}

float TDFTChartForm::ComputeTHD() {
    THD = ::ComputeTHD(Harmonics, FirstOrder, LastOrder);
    return THD;
}

void TDFTChartForm::ShowTHDHint(bool show) {
    ChartTypeLabel.SetHint("THD=" + FormatNumber(THD, 5) + "%");
    ChartTypeLabel.SetShowHint(show);
}

void TDFTChartForm::ShowResolved() {
    ResolvedLabel.SetCaption(ShownLast() < LastOrder
                                 ? "Resolved up to h. " + std::to_string(ShownLast())
                                 : std::string());
}

bool TDFTChartForm::ApplyUnit() {
    const bool ok = DisplayedAmplitudes(Harmonics, FirstOrder, LastOrder, Unit, Displayed);
    if (!ok) {
        // A zero reference would give infinite bars: the peak values are kept.
        MessageBox(Unit == fuRmsPerHarm0
                       ? "The mean value (harmonic 0) is zero:\nthe amplitudes are shown as peak "
                         "values"
                       : "The amplitude of harmonic 1 is zero:\nthe amplitudes are shown as peak "
                         "values",
                   "Warning", MB_OK | MB_ICONEXCLAMATION);
        Unit = fuPeak;
        ctx_.windows.DFTOptions->UnitRadioGroup.SetItemIndex(fuPeak);
    }
    if (AmplChart) {
        AmplChart->AutoLabel = Unit <= fuRms && options_.Flag(poAutoLabel);
        // The relative units are ratios: the curve's own unit does not apply.
        AmplChart->YUnitText = Unit <= fuRms ? "" : "pu";
    }
    return ok;
}

void TDFTChartForm::HandOver() {
    if (!Ready) return;
    const int count = ShownLast() - FirstOrder + 1;
    const auto first = static_cast<std::size_t>(FirstOrder);
    float* x = Harmonics.number.data() + first;
    amplRow_[0] = Displayed.data() + first;
    phaseRow_[0] = Harmonics.phase.data() + first;
    AmplChart->GetData(false, 1, count, xParam_, &curveParam_, x, amplRow_);
    PhaseChart->GetData(false, 1, count, xParam_, &curveParam_, x, phaseRow_);
}

// The share of the amplitude chart from the dialog; a new share lays the window out again.
void TDFTChartForm::ApplyShare() {
    const float share = AmplitudeShare(ctx_.windows.DFTOptions->SizeRadioGroup.ItemIndex());
    ctx_.windows.FourCopyInfo->AmplitudeOnly = static_cast<std::int32_t>(share);
    if (share == Share) return;
    Share = share;
    FormResize(this);
}

// Full range on both charts: after a layout the charts keep their old ends otherwise.
// The read-out then tells what lies under the amplitude chart's cursor now, not the bar,
// orders or unit of the picture before.
void TDFTChartForm::PlotVisible() {
    if (!Ready) return;
    AmplChart->Plot(true);
    if (Share < 1) PhaseChart->Plot(true);
    AmplChart->SetLinearInterpolation(AmplChart->LinearInterpolation);
}

void TDFTChartForm::FormShow(TObject*) {
    if (!Ready || SampleCount < 1) return;
    TDFTOptions& dlg = *ctx_.windows.DFTOptions;
    const float ts = PlotTime(globals_.fourierStart[static_cast<std::size_t>(Slot)]);
    const float te = PlotTime(globals_.timeMax[static_cast<std::size_t>(Slot)]);
    const float tFirst = Time.front(), tLast = Time.back();
    Period = PeriodFromTimes(tFirst, SamplesPerSec, ClampTime(ts, tFirst, tLast),
                             ClampTime(te, tFirst, tLast));
    Label1.SetCaption("Initial time: " + FormatNumber(ts, 5));
    Label2.SetCaption("Final time: " + FormatNumber(te, 5));
    dlg.ShowTimes(ts, te, 5);
    FirstOrder = 0;
    LastOrder = 30;
    dlg.ArmMinEdit.SetText("0");
    dlg.ArmMaxEdit.SetText("30");
    dlg.UnitRadioGroup.SetItemIndex(fuPeak);
    Unit = fuPeak;
    ComputeDFT();
    if (Harmonics.last < LastOrder) return;
    ApplyUnit();
    ComputeTHD();
    ShowTHDHint(THD >= -0.5f);
    ShowResolved();
    HandOver();
    ApplyShare();
    PlotVisible();
}

void TDFTChartForm::OptionsBtnClick(TObject*) {
    OptionsAccepted = false;
    if (!Ready || SampleCount < 1) return;
    TDFTOptions& dlg = *ctx_.windows.DFTOptions;
    const SBasePeriod before = Period;
    if (dlg.ShowModal() != mrOk) return;
    OptionsAccepted = true;
    const SFourierOptionsVerdict& v = dlg.Accepted;

    // Times are held within the data, so an accepted time never reads outside it.
    const float tFirst = Time.front(), tLast = Time.back();
    const auto ti = static_cast<float>(ClampTime(v.initialTime, tFirst, tLast));
    const auto tf = static_cast<float>(ClampTime(v.finalTime, tFirst, tLast));
    globals_.fourierStart[static_cast<std::size_t>(Slot)] = FileTime(ti);
    globals_.timeMax[static_cast<std::size_t>(Slot)] = FileTime(tf);
    Period = PeriodFromDialog(tFirst, tLast, SampleCount, SamplesPerSec, ti, tf);
    Label1.SetCaption("Initial time: " + FormatNumber(ti, 4));
    Label2.SetCaption("Final time: " + FormatNumber(tf, 4));

    FirstOrder = v.firstOrder;
    LastOrder = v.lastOrder;
    if (LastOrder > Harmonics.last || !(Period == before)) {
        ComputeDFT();
        if (Harmonics.last < LastOrder) return;
    }
    Unit = dlg.UnitRadioGroup.ItemIndex();
    ApplyUnit();
    ComputeTHD();
    ShowTHDHint(FirstOrder <= 2);
    ShowResolved();
    HandOver();
    ApplyShare();
    PlotVisible();
}

void TDFTChartForm::ChartValuesChange(TObject* Sender, XYValues Values) {
    if (!Values.X || !Values.Y) return;
    if (Sender == AmplChart.get()) {
        static const char* const kUnitTexts[] = {"Value [peak]", "Value [rms]",
                                                 "Value [pu of h. 0]", "Value [pu of h. 1]"};
        ChartTypeLabel.SetCaption("Ampl. Chart");
        if (Unit >= 0 && Unit <= 3) {
            ValueLabelTxt.SetCaption(kUnitTexts[Unit]);
            ValueLabel.SetCaption(FormatNumber(Values.Y[0][0], 4));
        }
    } else {
        ChartTypeLabel.SetCaption("Phase Chart");
        ValueLabelTxt.SetCaption("Value [deg]");
        ValueLabel.SetCaption(FormatNumber(Values.Y[0][0], 4));
    }
    HarmNumLabel.SetCaption("Harm. num.: " + FormatNumber(Values.X[0], 4));
}

void TDFTChartForm::FormResize(TObject*) {
    if (!Ready) return;
    const int panelWidth = Panel1.Width();
    Panel1.SetBounds(ClientWidth() - panelWidth, 0, panelWidth, ClientHeight());
    ViewGroup.SetTop(
        std::max(CopyBtn.Top() + CopyBtn.Height() + 4, ClientHeight() - ViewGroup.Height() - 4));
    const SFourierChartLayout l =
        FourierChartLayout(ClientWidth(), ClientHeight(), panelWidth, Share);
    AmplChart->Resize_(std::max(1, l.amplitudeWidth), std::max(1, l.amplitudeHeight));
    if (l.phaseVisible) {
        PhaseChart->SetTop(l.phaseTop);
        PhaseChart->Resize_(std::max(1, l.phaseWidth), std::max(1, l.phaseHeight));
        PhaseChart->Show();
    } else {
        PhaseChart->Hide();
    }
}

void TDFTChartForm::InfoBtnClick(TObject*) {
    MessageBox("File " + FileName + "\n" + "Variable " + VariableName + "\n",
               "Information on Fourier chart", MB_OK | MB_ICONINFORMATION);
}

SFourierTable TDFTChartForm::Table() const {
    SFourierTable t;
    t.shortFileName = ExtractFileName(FileName);
    t.variableName = VariableName;
    t.unitText = FourierUnitText(Unit);
    t.startTime = PlotTime(globals_.fourierStart[static_cast<std::size_t>(Slot)]);
    t.endTime = PlotTime(globals_.timeMax[static_cast<std::size_t>(Slot)]);
    t.first = FirstOrder;
    t.last = ShownLast();
    t.askedLast = LastOrder;
    t.samples = Period.Count();
    t.displayed = &Displayed;
    t.phase = &Harmonics.phase;
    return t;
}

bool TDFTChartForm::RunCopyInfo(const std::string& caption, const std::string& go) {
    if (!Ready || Harmonics.last < LastOrder || Displayed.size() <= std::size_t(LastOrder))
        return false;
    TFourCopyInfo& info = *ctx_.windows.FourCopyInfo;
    if (info.RadioGroup1.ItemIndex() == 0) info.PhaseBox.SetEnabled(Share != 1);
    info.SetCaption(caption);
    info.GoBtn.SetCaption(go);
    return info.ShowModal() == mrOk;
}

void TDFTChartForm::CopyFourier() {
    if (!RunCopyInfo("QJ's Curvix - Fourier chart - Copy...", "Copy")) return;
    const TFourCopyInfo& info = *ctx_.windows.FourCopyInfo;
    if (info.RadioGroup1.ItemIndex() == 1)
        CopyNumbers();
    else
        CopyCharts(info.AmplitudeChosen(), info.PhaseChosen());
}

void TDFTChartForm::CopyNumbers() {
    ComputeTHD();
    Clipboard().SetAsText(FourierCopyText(Table(), THD, ShortDateText()));
    MessageBox("Fourier numerical data copied into Win95 Clipboard", "Information",
               MB_OK | MB_ICONINFORMATION);
}

void TDFTChartForm::CopyCharts(bool amplitude, bool phase) {
    if (!amplitude && !phase) {
        MessageBox("Nothing copied because nothing to copy was selected!", "Information",
                   MB_OK | MB_ICONINFORMATION);
        return;
    }
    const SFourierTable t = Table();
    const int width = AmplChart->Width();
    TMetafile mf;
    mf.SetWidth(width);
    {
        TMetafileCanvas mc(mf);
        auto font = [&mc](int size, bool bold) {
            mc.Font().SetName("Arial");
            mc.Font().SetSize(size);
            mc.Font().SetStyle(bold ? TFontStyles(fsBold) : TFontStyles(0));
        };
        const std::string title =
            "QJ's Curvix - Fourier chart(s).  Copying date: " + ShortDateText();
        const int s = FitCopyTitleSize(width, [&](int size) {
            font(size, true);
            return mc.TextWidth(title);
        });
        font(s, true);
        const int h1 = mc.TextHeight("W");
        font(s - 1, false);
        const int h2 = mc.TextHeight("W");
        const TSize axis = mc.TextExtent("harmonic order");
        const int hh = axis.cy, wh = axis.cx;
        mf.SetHeight(FourierCopyHeight(h1, h2, hh, amplitude, AmplChart->Height(), phase,
                                       PhaseChart->Height()));

        font(s, true);
        mc.TextOut(0, 0, title);
        font(s - 1, false);
        mc.TextOut(0, h1,
                   "File " + t.shortFileName + "   Variable " + t.variableName + " [" + t.unitText +
                       "]");
        mc.TextOut(0, h1 + h2,
                   "Initial Time: " + FormatNumber(t.startTime, 4) +
                       "    Final Time: " + FormatNumber(t.endTime, 4));
        int y = h1 + 2 * h2 + 1;
        for (TLineChart* chart :
             {amplitude ? AmplChart.get() : nullptr, phase ? PhaseChart.get() : nullptr}) {
            if (!chart) continue;
            chart->Copy(&mc, Rect(0, y, width, y + chart->Height()));
            y += chart->Height() - hh / 4;
            font(s - 1, false);
            mc.TextOut((width + chart->PlotRect.left / 2 - wh) / 2, y, "harmonic order");
            y += hh;
        }
    }
    Clipboard().Assign(mf);
    MessageBox("Fourier Plot(s) copied into Win95 Clipboard", "Information",
               MB_OK | MB_ICONINFORMATION);
}

void TDFTChartForm::PrintFourier() {
    if (!RunCopyInfo("QJ's Curvix - Fourier chart - Print...", "Print")) return;
    const TFourCopyInfo& info = *ctx_.windows.FourCopyInfo;
    THourGlass wait;
    if (info.RadioGroup1.ItemIndex() == 1)
        PrintNumbers();
    else
        PrintCharts(info.AmplitudeChosen(), info.PhaseChosen());
}

namespace {
struct SPrintMeasures {
    int h10 = 0, h14 = 0;
};
SPrintMeasures MeasurePrinter(TCanvas& c) {
    c.Font().SetName("Arial");
    c.Font().SetStyle(0);
    SPrintMeasures m;
    c.Font().SetSize(10);
    m.h10 = c.TextHeight("W");
    c.Font().SetSize(14);
    m.h14 = c.TextHeight("W");
    return m;
}
void ReportPrinterError(const std::string& reason) {
    if (!reason.empty()) MessageBox(reason, "Error", MB_OK | MB_ICONSTOP);
}
} // namespace

void TDFTChartForm::PrintNumbers() {
    TPrinter& printer = Printer();
    TCanvas& c = printer.Canvas();
    const SPrintMeasures m = MeasurePrinter(c);
    c.Font().SetSize(10);
    const std::vector<SPrintedText> texts = FourierNumericPrintout(
        Table(), THD, ShortDateText(), printer.PageWidth(), printer.PageHeight(), m.h10, m.h14,
        [&c](const std::string& s) { return c.TextWidth(s); });
    printer.SetTitle("Curvix - Fourier Numerical Data");
    if (std::string reason = printer.BeginDoc(); !reason.empty()) {
        ReportPrinterError(reason);
        return;
    }
    int page = 0;
    for (const SPrintedText& t : texts) {
        if (t.page != page) {
            page = t.page;
            if (std::string reason = printer.NewPage(); !reason.empty()) {
                printer.EndDoc(); // a job left running would refuse every later print
                ReportPrinterError(reason);
                return;
            }
        }
        c.Font().SetName("Arial");
        c.Font().SetSize(t.size);
        c.TextOut(t.x, t.y, t.text);
    }
    ReportPrinterError(printer.EndDoc());
}

void TDFTChartForm::PrintCharts(bool amplitude, bool phase) {
    TPrinter& printer = Printer();
    TCanvas& c = printer.Canvas();
    const SPrintMeasures m = MeasurePrinter(c);
    const int lineStep = m.h10 + m.h14;
    const int total =
        (amplitude ? AmplChart->Height() : 0) + lineStep + (phase ? PhaseChart->Height() : 0);
    const float ratio = static_cast<float>(total) / static_cast<float>(AmplChart->Width());
    const SIntRect a = FourierPrintArea(printer.PageWidth(), printer.PageHeight(), m.h10, ratio);
    const SFourierTable t = Table();
    printer.SetTitle("Curvix - Fourier Bar Chart");
    if (std::string reason = printer.BeginDoc(); !reason.empty()) {
        ReportPrinterError(reason);
        return;
    }
    c.Font().SetSize(14);
    c.TextOut(a.left, a.top,
              "QJ's Curvix - Fourier bar chart(s).  Printing date: " + ShortDateText());
    c.Font().SetSize(10);
    c.TextOut(a.left, a.top + lineStep - m.h10,
              "File " + FileName + "    " + "Variable " + VariableName + "     Initial Time: " +
                  FormatNumber(t.startTime, 4) + "     Final Time: " + FormatNumber(t.endTime, 4));
    int y = a.top + lineStep;
    for (TLineChart* chart :
         {amplitude ? AmplChart.get() : nullptr, phase ? PhaseChart.get() : nullptr}) {
        if (!chart) continue;
        const float r = static_cast<float>(chart->Height()) / static_cast<float>(chart->Width());
        const int y2 = static_cast<int>((a.right - a.left) * r + y);
        chart->Print(2, 4, Rect(a.left, y, a.right, y2));
        y = y2 + 1;
    }
    ReportPrinterError(printer.EndDoc());
}
