#pragma once
// The Fourier window: the harmonic content of one plotted curve over a base period taken
// from the end of its record, as two bar charts (amplitudes above, phases below), with
// the THD, a read-out of the bar under the data cursor, and copy and print of the charts
// or the numbers. Created once at start-up and reused; the main window's Four button
// hands it the curve.

#include "AppContext.h"
#include "Form.h"
#include "FourierEngine.h"
#include "Label.h"
#include "LineChart.h"
#include "Panel.h"
#include "SpeedButton.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

struct SFourierTable;

class TDFTChartForm : public TForm {
public:
    TDFTChartForm(TComponent* owner, SAppContext& ctx);
    ~TDFTChartForm() override;

    // Copies the curve (n samples of time t and value x) and tells the options dialog its
    // time range. The flag is the file's xFromFile, not used.
    void SetData(const float* t, const float* x, const std::string& variableName,
                 const std::string& fileName, int slot, bool flag, int n);
    // The plot's x factor and offset: the slot's stored times are the file's own, the
    // window's are the plotted ones (file time x factor + offset). SetData resets them.
    void SetTimeScale(float factor, float offset);
    float PlotTime(float fileTime) const { return fileTime * TimeFactor + TimeOffset; }
    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void OptionsBtnClick(TObject* Sender);
    void ComputeDFT();
    float ComputeTHD();
    void ChartValuesChange(TObject* Sender, XYValues Values);
    void FormResize(TObject* Sender);
    void InfoBtnClick(TObject* Sender);
    void CopyBtnClick(TObject*) { CopyFourier(); }
    void PrintButtonClick(TObject*) { PrintFourier(); }
    void CopyFourier();
    void PrintFourier();
    void FormDestroy(TObject*) {}
    // Opens with its top at `top` and, as far as its minimum height allows, its bottom
    // within the screen's height.
    void PlaceUnder(int top, int screenHeight);

    TPanel Panel1;
    TLabel Label1, Label2;
    TSpeedButton OptionsBtn, CopyBtn, PrintButton, InfoBtn;
    TPanel ViewGroup;
    TLabel ChartTypeLabel, HarmNumLabel, ValueLabelTxt, ValueLabel;
    TLabel ResolvedLabel; // how far the base period resolves, when orders asked lie above

    // ---- state (the main window and tests read it)
    bool Ready = false;
    int SampleCount = 0;
    SBasePeriod Period;
    int Slot = 0;
    int FirstOrder = 0, LastOrder = 30;
    int Unit = fuPeak;
    std::vector<float> Time, Value;
    float SamplesPerSec = 0;
    float TimeFactor = 1, TimeOffset = 0;
    float Share = 0.7f;
    SHarmonics Harmonics; // Harmonics.last is the highest order computed
    std::vector<float> Displayed;
    float THD = -1;
    std::string FileName, VariableName;
    bool OptionsAccepted = false; // the last OptionsBtnClick ended with OK
    std::unique_ptr<TLineChart> AmplChart, PhaseChart;

    // The last order with a value: the chosen last order stays for a later period that
    // resolves it.
    int ShownLast() const { return std::min(LastOrder, Harmonics.resolved); }

private:
    void ApplyShare();
    void HandOver();
    void PlotVisible();
    void ShowTHDHint(bool show);
    void ShowResolved();
    bool ApplyUnit();
    SFourierTable Table() const;
    float FileTime(double plotTime) const;
    void CopyNumbers();
    void CopyCharts(bool amplitude, bool phase);
    void PrintNumbers();
    void PrintCharts(bool amplitude, bool phase);
    bool RunCopyInfo(const std::string& caption, const std::string& go);

    SAppContext& ctx_;
    SGlobalVars& globals_;
    SProgramOptions& options_;
    SXVarParam xParam_;
    SCurveParam curveParam_;
    float* amplRow_[1] = {nullptr};
    float* phaseRow_[1] = {nullptr};
};
