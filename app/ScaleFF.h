#pragma once
// The manual scaling dialog: the ends of the x, left-y and right-y axes, the exact-match
// switch and the way to the axis label dialog. Created once at start-up.

#include "AppContext.h"
#include "Button.h"
#include "CheckBox.h"
#include "Edit.h"
#include "Form.h"
#include "Label.h"
#include "Panel.h"

class TScaleForm : public TForm {
public:
    TScaleForm(TComponent* owner, SAppContext& ctx);

    void OKBtnClick(TObject* Sender);
    void LabelBtnClick(TObject* Sender);

    TGroupBox YLGB;
    TLabel YLMaxLabel, YLMinLabel;
    TEdit YLMaxEdit, YLMinEdit;
    TGroupBox YRGB;
    TLabel YRMaxLabel, YRMinLabel;
    TEdit YRMaxEdit, YRMinEdit;
    TGroupBox XGB;
    TLabel XMinLabel, XMaxLabel;
    TEdit XMinEdit, XMaxEdit;
    TCheckBox ExactMatchBox;
    TButton LabelBtn, CancelBtn, OKBtn;

    // The outcome of the last use of the label dialog, kept across openings.
    bool LabelsAccepted = false;

private:
    // Reads one pair; false (and the dialog kept open) on a bad number or min >= max.
    bool ReadPair(TEdit& minEdit, TEdit& maxEdit, const char* refusal);
    // A number the chart can hold as a float; otherwise the invalid-number warning.
    bool ReadScaleNumber(double& out, TEdit& edit);

    SAppContext& ctx_;
};

// Grey for an inactive caption, black for an active one.
constexpr TColor kInactiveCaption = 0x808080;
