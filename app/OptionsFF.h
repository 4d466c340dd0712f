#pragma once
// The window for the program options dialog; created once at start-up and reused.

#include "Form.h"
#include "GlobalVars.h"

class TOptionsForm : public TForm {
public:
    TOptionsForm(TComponent* owner, SGlobalVars& globals, SProgramOptions& options);

private:
    SGlobalVars& globals_;
    SProgramOptions& options_;
};
