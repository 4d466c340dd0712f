#pragma once
// The window for the Fourier window's options dialog; created once at start-up and reused.

#include "Form.h"
#include "AppContext.h"

class TDFTOptions : public TForm {
public:
    TDFTOptions(TComponent* owner, SAppContext& ctx);

private:
    SAppContext& ctx_;
    SGlobalVars& globals_;
    SProgramOptions& options_;
};
