#pragma once
// The window for what the Fourier window copies or prints; created once at start-up and reused.

#include "Form.h"
#include "AppContext.h"

class TFourCopyInfo : public TForm {
public:
    TFourCopyInfo(TComponent* owner, SAppContext& ctx);

private:
    SAppContext& ctx_;
    SGlobalVars& globals_;
    SProgramOptions& options_;
};
