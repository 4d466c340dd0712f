#pragma once
// The window for the plot window's options dialog; created once at start-up and reused.

#include "Form.h"
#include "GlobalVars.h"

class TPlotOptForm : public TForm {
public:
    TPlotOptForm(TComponent* owner, SGlobalVars& globals, SProgramOptions& options);

private:
    SGlobalVars& globals_;
    SProgramOptions& options_;
};
