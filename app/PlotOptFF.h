#pragma once
// The window for the plot window's options dialog; created once at start-up and reused.

#include "Form.h"
#include "AppContext.h"

class TPlotOptForm : public TForm {
public:
    TPlotOptForm(TComponent* owner, SAppContext& ctx);

private:
    SAppContext& ctx_;
    SGlobalVars& globals_;
    SProgramOptions& options_;
};
