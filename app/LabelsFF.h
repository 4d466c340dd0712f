#pragma once
// The window for the plot window's axis labels dialog; created once at start-up and reused.

#include "Form.h"
#include "GlobalVars.h"

class TLabelForm : public TForm {
public:
    TLabelForm(TComponent* owner, SGlobalVars& globals, SProgramOptions& options);

private:
    SGlobalVars& globals_;
    SProgramOptions& options_;
};
