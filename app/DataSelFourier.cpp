// The Four button: plot the selection, then the harmonics of its first curve.
#include "DataSelFF.h"

#include "DFTChartFF.h"
#include "DFTOptionsFF.h"
#include "MessageBox.h"
#include "NumericText.h"

void TDataSelForm::DFTBtnClick(TObject* Sender) {
    PlotBtnClick(Sender);
    if (!lastPlotOk || !PreparedPlot || PreparedPlot->nFiles < 1) return;
    const SPlotSnapshot& plot = *PreparedPlot;
    // The curve's own file gives the name and the base period: in the multi-file layout
    // the current slot may be another file.
    const int slot = plot.slot[0];
    const int n = plot.nPoints[0];
    const float* x = plot.xData[0].data();
    TDFTChartForm& chart = *ctx_.windows.DFTChart;
    TDFTOptions& dialog = *ctx_.windows.DFTOptions;
    chart.SetData(x, plot.yData[0][0], plot.varNames[0], fileSlots.Name(slot), slot,
                  plot.xFromFile[0], n);

    const float t0 = globals_.fourierStart[static_cast<std::size_t>(slot)];
    const float t1 = globals_.timeMax[static_cast<std::size_t>(slot)];
    // Times that do not rise leave no rate to find the samples with.
    bool found = n >= 2 && x[n - 1] > x[0];
    if (found) {
        const float rate = static_cast<float>(n - 1) / (x[n - 1] - x[0]);
        const auto i0 = static_cast<long long>((double(t0) - x[0]) * rate + 0.5) + 1;
        const auto i1 = static_cast<long long>((double(t1) - x[0]) * rate + 0.5);
        found = !(t0 < x[0] || t1 > x[n - 1] || t0 >= t1 || i1 < i0 + 2);
    }
    if (found) {
        dialog.AskInitialTime = false;
        chart.Show();
        chart.FormShow(&chart);
        return;
    }
    MessageBox("Unable to determine \"Four\" time-range based on default frequency\nPlease "
               "select at least initial time...",
               "", MB_OK | MB_ICONEXCLAMATION);
    dialog.InitialTimeEdit.SetText("Undefined");
    dialog.FinalTimeEdit.SetText(n > 0 ? FormatNumber(x[n - 1], 4) : std::string("Undefined"));
    dialog.AskInitialTime = true;
    chart.OptionsBtnClick(&chart);
    if (chart.OptionsAccepted) {
        chart.Show();
        chart.FormShow(&chart);
    } else {
        chart.Close();
    }
}
