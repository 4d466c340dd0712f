#pragma once
// The window for the plot window's manual scaling dialog; created once at start-up and reused.

#include "Form.h"
#include "GlobalVars.h"

class TScaleForm : public TForm {
public:
    TScaleForm(TComponent* owner, SGlobalVars& globals, SProgramOptions& options);

private:
    SGlobalVars& globals_;
    SProgramOptions& options_;
};
