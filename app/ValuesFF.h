#pragma once
// The window for the values under the plot window's data cursor; created once at start-up and
// reused.

#include "Form.h"
#include "AppContext.h"

class TValuesForm : public TForm {
public:
    TValuesForm(TComponent* owner, SAppContext& ctx);

private:
    SAppContext& ctx_;
    SGlobalVars& globals_;
    SProgramOptions& options_;
};
