#include "AppContext.h"

#include "Application.h"
#include "DFTChartFF.h"
#include "DFTOptionsFF.h"
#include "DataSelFF.h"
#include "FourCopyPrintInfo.h"
#include "LabelsFF.h"
#include "OptionsFF.h"
#include "PlotOptFF.h"
#include "PlotWinFF.h"
#include "PrintFF.h"
#include "ScaleFF.h"
#include "ValuesFF.h"

void CreateCurvixWindows(TApplication& app, SAppContext& ctx) {
    SCurvixWindows& w = ctx.windows;
    w.DataSel = app.CreateForm<TDataSelForm>(ctx);
    w.DFTChart = app.CreateForm<TDFTChartForm>(ctx);
    w.DFTOptions = app.CreateForm<TDFTOptions>(ctx);
    w.FourCopyInfo = app.CreateForm<TFourCopyInfo>(ctx);
    w.Options = app.CreateForm<TOptionsForm>(ctx);
    w.PlotOpt = app.CreateForm<TPlotOptForm>(ctx);
    w.PrintData = app.CreateForm<TPrintDataForm>(ctx);
    w.Scale = app.CreateForm<TScaleForm>(ctx);
    w.Values = app.CreateForm<TValuesForm>(ctx);
    w.PlotWin = app.CreateForm<TPlotWinForm>(ctx);
    w.Label = app.CreateForm<TLabelForm>(ctx);
    TDataSelForm* main = w.DataSel;
    app.OnActivate = [main](TObject* sender) { main->UnObscure(sender); };
}
