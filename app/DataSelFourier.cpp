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
    // The slot keeps its base period in the file's own time; the curve's x went through the
    // x factor and offset (minutes from seconds, say), and so does the period.
    const auto xi = static_cast<std::size_t>(plot.totalCurves);
    chart.SetTimeScale(plot.factors[xi], plot.offsets[xi] + plot.xShift[0]);

    const float t0 = chart.PlotTime(globals_.fourierStart[static_cast<std::size_t>(slot)]);
    const float t1 = chart.PlotTime(globals_.timeMax[static_cast<std::size_t>(slot)]);
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
    dialog.ShowTimes(std::nullopt, n > 0 ? std::optional<float>(x[n - 1]) : std::nullopt, 4);
    dialog.AskInitialTime = true;
    // An accepted dialog has computed and drawn the period, orders and unit just chosen;
    // FormShow would put the orders and unit back to their defaults.
    chart.OptionsBtnClick(&chart);
    if (chart.OptionsAccepted)
        chart.Show();
    else
        chart.Close();
}
