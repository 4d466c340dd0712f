#pragma once
// The window for the plot window; created once at start-up and reused.

#include "Form.h"
#include "GlobalVars.h"

class TPlotWinForm : public TForm {
public:
    TPlotWinForm(TComponent* owner, SGlobalVars& globals, SProgramOptions& options);

private:
    SGlobalVars& globals_;
    SProgramOptions& options_;
};
