#pragma once
// The window for the values under the plot window's data cursor; created once at start-up and
// reused.

#include "Form.h"
#include "GlobalVars.h"

class TValuesForm : public TForm {
public:
    TValuesForm(TComponent* owner, SGlobalVars& globals, SProgramOptions& options);

private:
    SGlobalVars& globals_;
    SProgramOptions& options_;
};
