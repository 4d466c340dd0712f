#pragma once
// What every window of Curvix is handed at creation: the program-wide record, the
// options block and the set of windows, through which the windows reach each other.
// The set is filled in start-up order, so a window may use only those made before it
// while it is being created, and any of them from its handlers.

#include "GlobalVars.h"

class TApplication;
class TDataSelForm;
class TDFTChartForm;
class TDFTOptions;
class TFourCopyInfo;
class TOptionsForm;
class TPlotOptForm;
class TPrintDataForm;
class TScaleForm;
class TValuesForm;
class TPlotWinForm;
class TLabelForm;

struct SCurvixWindows {
    TDataSelForm* DataSel = nullptr;
    TDFTChartForm* DFTChart = nullptr;
    TDFTOptions* DFTOptions = nullptr;
    TFourCopyInfo* FourCopyInfo = nullptr;
    TOptionsForm* Options = nullptr;
    TPlotOptForm* PlotOpt = nullptr;
    TPrintDataForm* PrintData = nullptr;
    TScaleForm* Scale = nullptr;
    TValuesForm* Values = nullptr;
    TPlotWinForm* PlotWin = nullptr;
    TLabelForm* Label = nullptr;
};

struct SAppContext {
    SGlobalVars& globals;
    SProgramOptions& options;
    SCurvixWindows windows{};
};

// Creates the eleven windows in the program's order (the first is the main form) and
// binds the application's activation to the main window. Tests build them this way too.
void CreateCurvixWindows(TApplication& app, SAppContext& ctx);
