#include "ScaleFF.h"

#include "DialogButtons.h"
#include "EditNumber.h"
#include "LabelsFF.h"
#include "MessageBox.h"
#include "NumericText.h"
#include "PlotWinRules.h"

namespace {

void Place(TControl& c, int left, int top, int width, int height) {
    c.SetBounds(left, top, width, height);
}

// "Max" above "Min" in a y group.
void LayOutYGroup(TLabel& maxLabel, TEdit& maxEdit, TLabel& minLabel, TEdit& minEdit) {
    maxLabel.SetCaption("Max");
    Place(maxLabel, 10, 24, 26, 16);
    Place(maxEdit, 40, 20, 92, 22);
    minLabel.SetCaption("Min");
    Place(minLabel, 10, 60, 26, 16);
    Place(minEdit, 40, 56, 92, 22);
}

} // namespace

TScaleForm::TScaleForm(TComponent* owner, SAppContext& ctx)
    : TForm(owner), YLGB(this), YLMaxLabel(&YLGB), YLMinLabel(&YLGB), YLMaxEdit(&YLGB),
      YLMinEdit(&YLGB), YRGB(this), YRMaxLabel(&YRGB), YRMinLabel(&YRGB), YRMaxEdit(&YRGB),
      YRMinEdit(&YRGB), XGB(this), XMinLabel(&XGB), XMaxLabel(&XGB), XMinEdit(&XGB), XMaxEdit(&XGB),
      ExactMatchBox(this), LabelBtn(this), CancelBtn(this), OKBtn(this), ctx_(ctx) {
    SetCaption(ctx.globals.programName + " - Manual Scaling");
    SetBorderStyle(bsSingle);
    SetPosition(poScreenCenter);
    SetClientSize(309, 279);

    for (TGroupBox* g : {&YLGB, &YRGB, &XGB})
        g->Font().SetColor(clBlack);
    for (TLabel* l : {&YLMaxLabel, &YLMinLabel, &YRMaxLabel, &YRMinLabel, &XMinLabel, &XMaxLabel})
        l->Font().SetColor(clBlack);
    YLGB.SetCaption("Y-Axis");
    Place(YLGB, 8, 8, 142, 92);
    LayOutYGroup(YLMaxLabel, YLMaxEdit, YLMinLabel, YLMinEdit);
    YRGB.SetCaption("Right-Y Axis");
    Place(YRGB, 159, 8, 142, 92);
    LayOutYGroup(YRMaxLabel, YRMaxEdit, YRMinLabel, YRMinEdit);
    YRMaxEdit.SetText("inactive");
    YRMinEdit.SetText("inactive");

    XGB.SetCaption("X-Axis");
    Place(XGB, 8, 110, 293, 60);
    XMinLabel.SetCaption("Min");
    Place(XMinLabel, 10, 28, 26, 16);
    Place(XMinEdit, 38, 24, 100, 22);
    XMaxLabel.SetCaption("Max");
    Place(XMaxLabel, 154, 28, 26, 16);
    Place(XMaxEdit, 184, 24, 100, 22);

    ExactMatchBox.SetCaption("Exact Match ");
    Place(ExactMatchBox, 12, 184, 120, 20);
    ExactMatchBox.SetChecked(true);

    LabelBtn.SetCaption("Labels...");
    Place(LabelBtn, 8, 240, 90, 27);
    SetUpOkCancel(OKBtn, "OK", CancelBtn);
    Place(CancelBtn, 134, 240, 80, 27);
    Place(OKBtn, 221, 240, 80, 27);

    OKBtn.OnClick = [this](TObject* s) { OKBtnClick(s); };
    LabelBtn.OnClick = [this](TObject* s) { LabelBtnClick(s); };

    ScaleBy(ctx.globals.scaleMul, ctx.globals.scaleDiv);
}

bool TScaleForm::ReadScaleNumber(double& out, TEdit& edit) {
    double value = 0;
    if (ReadEditNumber(value, edit) != 0) return false;
    // A value the chart's floats cannot hold would become infinite there.
    if (!FitsFloatScale(value)) {
        const SMessageText m = InvalidNumberMessage(LanguageName);
        MessageBox(std::string(m.text), std::string(m.title), MB_OK | MB_ICONEXCLAMATION);
        edit.SetFocus();
        edit.SelectAll();
        return false;
    }
    out = value;
    return true;
}

bool TScaleForm::ReadPair(TEdit& minEdit, TEdit& maxEdit, const char* refusal) {
    double min = 0, max = 0;
    if (!ReadScaleNumber(min, minEdit) || !ReadScaleNumber(max, maxEdit)) return false;
    if (ScaleRangeOrdered(min, max)) return true;
    MessageBox(refusal, "Error in data inputted", MB_OK | MB_ICONEXCLAMATION);
    minEdit.SetFocus();
    minEdit.SelectAll();
    return false;
}

void TScaleForm::OKBtnClick(TObject*) {
    const bool ok =
        ReadPair(XMinEdit, XMaxEdit, "The X-Axis Max Value must be larger than the min value") &&
        ReadPair(YLMinEdit, YLMaxEdit, "The Y-Axis Max Value must be larger than the min value") &&
        (!YRMinEdit.Enabled() ||
         ReadPair(YRMinEdit, YRMaxEdit,
                  "The Right-Y Axis Max Value must be larger than the min value"));
    if (!ok) SetModalResult(mrNone);
}

void TScaleForm::LabelBtnClick(TObject*) {
    const TModalResult r = ctx_.windows.Label->ShowModal();
    OKBtn.SetFocus();
    LabelsAccepted = r == mrOk;
}
