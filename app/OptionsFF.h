#pragma once
// The window for the program options dialog; created once at start-up and reused.

#include "Form.h"
#include "AppContext.h"

class TOptionsForm : public TForm {
public:
    TOptionsForm(TComponent* owner, SAppContext& ctx);

private:
    SAppContext& ctx_;
    SGlobalVars& globals_;
    SProgramOptions& options_;
};
