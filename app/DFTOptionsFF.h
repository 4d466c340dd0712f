#pragma once
// The window for the Fourier window's options dialog; created once at start-up and reused.

#include "Form.h"
#include "GlobalVars.h"

class TDFTOptions : public TForm {
public:
    TDFTOptions(TComponent* owner, SGlobalVars& globals, SProgramOptions& options);

private:
    SGlobalVars& globals_;
    SProgramOptions& options_;
};
