#pragma once
// The window for what the Fourier window copies or prints; created once at start-up and reused.

#include "Form.h"
#include "GlobalVars.h"

class TFourCopyInfo : public TForm {
public:
    TFourCopyInfo(TComponent* owner, SGlobalVars& globals, SProgramOptions& options);

private:
    SGlobalVars& globals_;
    SProgramOptions& options_;
};
