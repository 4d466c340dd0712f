#pragma once
// The window for the plot window's print dialog; created once at start-up and reused.

#include "Form.h"
#include "AppContext.h"

class TPrintDataForm : public TForm {
public:
    TPrintDataForm(TComponent* owner, SAppContext& ctx);

private:
    SAppContext& ctx_;
    SGlobalVars& globals_;
    SProgramOptions& options_;
};
