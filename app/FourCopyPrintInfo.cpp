#include "FourCopyPrintInfo.h"

#include "DialogButtons.h"

TFourCopyInfo::TFourCopyInfo(TComponent* owner, SAppContext&)
    : TForm(owner), RadioGroup1(this), AmplBox(this), PhaseBox(this), GoBtn(this), CancelBtn(this),
      PrSetupBtn(this) {
    SetCaption("QJ's Curvix - Fourier chart - Copy...");
    SetPosition(poScreenCenter);
    SetBorderStyle(bsDialog);
    SetClientSize(330, 120);

    RadioGroup1.SetBounds(8, 8, 314, 66);
    RadioGroup1.SetColumns(2);
    RadioGroup1.Items().Assign({"", "Numerical Data"});
    RadioGroup1.SetItemIndex(1);
    // The boxes stand beside the blank first item.
    AmplBox.SetCaption("Amplitude Chart");
    AmplBox.SetBounds(34, 22, 120, 20);
    PhaseBox.SetCaption("Phase Chart");
    PhaseBox.SetBounds(34, 46, 120, 20);
    AmplBox.SetChecked(true);
    PhaseBox.SetChecked(true);
    AmplBox.SetEnabled(false);
    PhaseBox.SetEnabled(false);

    SetUpOkCancel(GoBtn, "Copy", CancelBtn);
    GoBtn.SetBounds(8, 86, 90, 25);
    CancelBtn.SetBounds(120, 86, 90, 25);
    PrSetupBtn.SetCaption("Printer setup...");
    PrSetupBtn.SetBounds(232, 86, 90, 25);
    SetTabOrder({&RadioGroup1, &AmplBox, &PhaseBox, &GoBtn, &CancelBtn, &PrSetupBtn});

    RadioGroup1.OnClick = [this](TObject* s) { RadioGroup1Click(s); };
    AmplBox.OnClick = [this](TObject* s) { AmplBoxClick(s); };
    PhaseBox.OnClick = [this](TObject* s) { PhaseBoxClick(s); };
    PrSetupBtn.OnClick = [this](TObject* s) { PrSetupBtnClick(s); };
}

void TFourCopyInfo::PrSetupBtnClick(TObject*) {
    PrinterSetupDialog1.Execute();
}

void TFourCopyInfo::AmplBoxClick(TObject*) {
    if (AmplBox.Checked()) RadioGroup1.SetItemIndex(0);
}

void TFourCopyInfo::PhaseBoxClick(TObject*) {
    if (PhaseBox.Checked()) RadioGroup1.SetItemIndex(0);
}

void TFourCopyInfo::RadioGroup1Click(TObject*) {
    if (RadioGroup1.ItemIndex() == 1) {
        AmplBox.SetEnabled(false);
        PhaseBox.SetEnabled(false);
        return;
    }
    AmplBox.SetEnabled(true);
    PhaseBox.SetEnabled(AmplitudeOnly < 1);
}

// A box the user cannot reach keeps its old tick; it must not bring back a hidden chart.
bool TFourCopyInfo::AmplitudeChosen() const {
    return AmplBox.Checked() && AmplBox.Enabled();
}

bool TFourCopyInfo::PhaseChosen() const {
    return PhaseBox.Checked() && PhaseBox.Enabled();
}
