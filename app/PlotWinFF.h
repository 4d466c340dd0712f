#pragma once
// The plot window: one chart of the selected curves with its tool panel; created once at
// start-up and reused for every plot.

#include "AppContext.h"
#include "Form.h"
#include "PlotSnapshot.h"
#include "SpeedButton.h"

#include <cstdint>

class TPlotWinForm : public TForm {
public:
    TPlotWinForm(TComponent* owner, SAppContext& ctx);

    // The hand-over from the main window: the snapshot is shared, never copied or freed
    // here while it is shown. Both calls store and draw nothing.
    void SetCurveData(PlotSnapshotPtr data);
    void SetLegendData(PlotSnapshotPtr data);
    // Plots the stored data; keepScale false scales to the full data range.
    void ShowCurves(bool keepScale);
    void CursorBtnClick(TObject* Sender);

    TSpeedButton CursorBtn;
    std::uint8_t PlotKind = 0; // 0 lines, 1 bars, 2 dots

    // What the window shows (tests read it).
    PlotSnapshotPtr Shown;

private:
    SAppContext& ctx_;
    SGlobalVars& globals_;
    SProgramOptions& options_;
};
