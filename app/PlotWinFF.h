#pragma once
// The plot window: one chart of the selected curves with its tool panel; created once at
// start-up and reused for every plot. The curve data arrive as a shared snapshot, which
// the window keeps for as long as the chart draws from it.

#include "AppContext.h"
#include "CheckBox.h"
#include "Form.h"
#include "Label.h"
#include "LineChart.h"
#include "Panel.h"
#include "PlotSnapshot.h"
#include "SpeedButton.h"

#include <cstdint>
#include <string>

// A plot as the main window hands it over, in one piece.
struct SPlotHandOver {
    PlotSnapshotPtr plot;      // curves, names and legend texts
    bool cursorAllowed = true; // the data cursor needs x to be the files' first variable
    bool keepScale = false;    // an Update keeps the zoom
};

class TPlotWinForm : public TForm {
public:
    TPlotWinForm(TComponent* owner, SAppContext& ctx);

    // The hand-over from the main window: the snapshot is shared, never copied or freed
    // here while it is shown. Both calls store and draw nothing.
    void SetCurveData(PlotSnapshotPtr data);
    // The main window's plot: stored, the chart kind taken from it, the cursor allowed or
    // put away, the window shown and the curves drawn.
    void ShowPlot(const SPlotHandOver& plot);
    void SetLegendData(PlotSnapshotPtr data);
    // Plots the stored data; keepScale false scales to the full data range.
    void ShowCurves(bool keepScale);
    void CursorBtnClick(TObject* Sender);

    void FormResize(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void TitleBtnClick(TObject* Sender);
    void PlotOptBtnClick(TObject* Sender);
    void ScaleBtnClick(TObject* Sender);
    void InterpolationBoxClick(TObject* Sender);
    void MarkBtnClick(TObject* Sender);
    void CopyBtnMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void CopyBtnClick(TObject* Sender);
    void SaveBtnClick(TObject* Sender);
    void PrintBtnClick(TObject* Sender);
    void MyChartValuesChange(TObject* Sender, XYValues Values);
    void MyChartZoomStateChange(TObject* Sender, bool Info);

    // ---- controls
    TPanel Panel1;
    TSpeedButton TitleBtn, PlotOptBtn, ScaleBtn;
    TSpeedButton CursorBtn;
    TCheckBox InterpolationBox;
    TLabel Label1, Label2;
    TSpeedButton MarkBtn, SaveBtn, CopyBtn, PrintBtn;
    TLineChart MyChart;

    // ---- state
    std::string CaptionBase;
    int InitialClientWidth = 0, InitialClientHeight = 0;
    int ChartHeight = 0;
    std::uint8_t PlotKind = 0;     // 0 lines, 1 bars, 2 dots
    std::uint8_t YScaleChoice = 0; // 0 linear, 2 logarithmic
    FloatRect2 ManualRect;
    int TotalCurves = 0;

    // What the window shows (tests read it).
    PlotSnapshotPtr Shown;

    // Both interpolation boxes (the panel's and the values window's) show the chart's
    // state; setting them clicks nothing.
    void ShowInterpolationState();
    // A box clicked: the chart follows it, both boxes show it, the arrows stay here.
    void InterpolationChosen(bool on);

private:
    SAppContext& ctx_;
    SGlobalVars& globals_;
    SProgramOptions& options_;
    // Handed over and not shown yet.
    PlotSnapshotPtr curveData_, legendData_;
    // The legend texts the chart points into, kept with the curve data.
    PlotSnapshotPtr legendShown_;
};
