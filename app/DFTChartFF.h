#pragma once
// The window for the harmonic content of one plotted curve; created once at start-up and reused.

#include "Form.h"
#include "AppContext.h"

class TDFTChartForm : public TForm {
public:
    TDFTChartForm(TComponent* owner, SAppContext& ctx);

private:
    SAppContext& ctx_;
    SGlobalVars& globals_;
    SProgramOptions& options_;
};
