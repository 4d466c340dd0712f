#pragma once
// The window for the plot window's axis labels dialog; created once at start-up and reused.

#include "Form.h"
#include "AppContext.h"

class TLabelForm : public TForm {
public:
    TLabelForm(TComponent* owner, SAppContext& ctx);

private:
    SAppContext& ctx_;
    SGlobalVars& globals_;
    SProgramOptions& options_;
};
