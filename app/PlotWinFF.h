#pragma once
// The window for the plot window; created once at start-up and reused.

#include "Form.h"
#include "AppContext.h"

class TPlotWinForm : public TForm {
public:
    TPlotWinForm(TComponent* owner, SAppContext& ctx);

private:
    SAppContext& ctx_;
    SGlobalVars& globals_;
    SProgramOptions& options_;
};
