#pragma once
// The window for the harmonic content of one plotted curve; created once at start-up and reused.

#include "Form.h"
#include "GlobalVars.h"

class TDFTChartForm : public TForm {
public:
    TDFTChartForm(TComponent* owner, SGlobalVars& globals, SProgramOptions& options);

private:
    SGlobalVars& globals_;
    SProgramOptions& options_;
};
