#include "LabelsFF.h"

#include "DialogButtons.h"

namespace {

// "Label" [base] "^" [exponent] inside one group.
void LayOutAxis(TGroupBox& group, const char* caption, int left, int top, TLabel& baseLabel,
                TEdit& base, TLabel& hat, TEdit& exponent) {
    group.SetCaption(caption);
    group.Font().SetColor(clBlack);
    group.SetBounds(left, top, 150, 62);
    baseLabel.SetCaption("Label");
    baseLabel.SetBounds(10, 30, 32, 16);
    base.SetMaxLength(5);
    base.SetBounds(46, 26, 56, 22);
    hat.SetCaption("^");
    hat.SetBounds(106, 22, 8, 16);
    exponent.SetMaxLength(2);
    exponent.SetBounds(116, 20, 26, 22);
}

} // namespace

TLabelForm::TLabelForm(TComponent* owner, SAppContext& ctx)
    : TForm(owner), YLGB(this), YRGB(this), XGB(this), YLBaseLabel(&YLGB), YRBaseLabel(&YRGB),
      XBaseLabel(&XGB), YLBaseEdit(&YLGB), YRBaseEdit(&YRGB), XBaseEdit(&XGB), YLHatLabel(&YLGB),
      YRHatLabel(&YRGB), XHatLabel(&XGB), YLExpEdit(&YLGB), YRExpEdit(&YRGB), XExpEdit(&XGB),
      CancelBtn(this), OKBtn(this) {
    SetCaption(ctx.globals.programName + " - Manual Labels");
    SetPosition(poScreenCenter);
    SetClientSize(318, 180);

    LayOutAxis(YLGB, "Y-Axis", 6, 6, YLBaseLabel, YLBaseEdit, YLHatLabel, YLExpEdit);
    LayOutAxis(YRGB, "Right-Y Axis", 162, 6, YRBaseLabel, YRBaseEdit, YRHatLabel, YRExpEdit);
    LayOutAxis(XGB, "X-Axis", 6, 74, XBaseLabel, XBaseEdit, XHatLabel, XExpEdit);

    SetUpOkCancel(OKBtn, "OK", CancelBtn);
    CancelBtn.SetBounds(150, 146, 78, 27);
    OKBtn.SetBounds(234, 146, 78, 27);
    SetTabOrder({&YLBaseEdit, &YLExpEdit, &YRBaseEdit, &YRExpEdit, &XBaseEdit, &XExpEdit,
                 &CancelBtn, &OKBtn});

    ScaleBy(ctx.globals.scaleMul, ctx.globals.scaleDiv);
}
