#pragma once
// The window for the plot window's print dialog; created once at start-up and reused.

#include "Form.h"
#include "GlobalVars.h"

class TPrintDataForm : public TForm {
public:
    TPrintDataForm(TComponent* owner, SGlobalVars& globals, SProgramOptions& options);

private:
    SGlobalVars& globals_;
    SProgramOptions& options_;
};
