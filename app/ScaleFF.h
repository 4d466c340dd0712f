#pragma once
// The window for the plot window's manual scaling dialog; created once at start-up and reused.

#include "Form.h"
#include "AppContext.h"

class TScaleForm : public TForm {
public:
    TScaleForm(TComponent* owner, SAppContext& ctx);

private:
    SAppContext& ctx_;
    SGlobalVars& globals_;
    SProgramOptions& options_;
};
