#pragma once
// The manual axis labels dialog: per axis a label text and a raised exponent. Opened from
// the manual scaling dialog; created once at start-up.

#include "AppContext.h"
#include "Button.h"
#include "Edit.h"
#include "Form.h"
#include "Label.h"
#include "Panel.h"

class TLabelForm : public TForm {
public:
    TLabelForm(TComponent* owner, SAppContext& ctx);

    TGroupBox YLGB, YRGB, XGB;
    TLabel YLBaseLabel, YRBaseLabel, XBaseLabel;
    TEdit YLBaseEdit, YRBaseEdit, XBaseEdit;
    TLabel YLHatLabel, YRHatLabel, XHatLabel;
    TEdit YLExpEdit, YRExpEdit, XExpEdit;
    TButton CancelBtn, OKBtn;
};
