#include "DFTOptionsFF.h"

#include "DialogButtons.h"
#include "FourierEngine.h"
#include "MessageBox.h"
#include "NumericText.h"

TDFTOptions::TDFTOptions(TComponent* owner, SAppContext& ctx)
    : TForm(owner), OkBtn(this), CancelBtn(this), GroupBox1(this), InitialTimeLabel(&GroupBox1),
      FinalTimeLabel(&GroupBox1), InitialTimeEdit(&GroupBox1), FinalTimeEdit(&GroupBox1),
      GroupBox2(this), UnitRadioGroup(&GroupBox2), SizeRadioGroup(&GroupBox2),
      OrdersLabel1(&GroupBox2), OrdersLabel2(&GroupBox2), OrdersDashLabel(&GroupBox2),
      ArmMinEdit(&GroupBox2), ArmMaxEdit(&GroupBox2), ctx_(ctx) {
    SetCaption("QJ's Curvix - Fourier Options");
    SetPosition(poScreenCenter);
    SetBorderStyle(bsDialog);
    SetClientSize(352, 300);

    GroupBox1.SetCaption("Base period for current file");
    GroupBox1.SetBounds(8, 8, 336, 78);
    InitialTimeLabel.SetCaption("Initial time:");
    InitialTimeLabel.SetBounds(12, 24, 70, 16);
    InitialTimeEdit.SetBounds(90, 20, 120, 22);
    FinalTimeLabel.SetCaption("Final time:");
    FinalTimeLabel.SetBounds(12, 50, 70, 16);
    FinalTimeEdit.SetBounds(90, 46, 120, 22);
    InitialTimeEdit.SetText("Undefined");
    FinalTimeEdit.SetText("Undefined");

    GroupBox2.SetCaption("Options valid for current session");
    GroupBox2.SetBounds(8, 92, 336, 168);
    UnitRadioGroup.SetCaption("Unit of amplitude chart");
    UnitRadioGroup.SetBounds(8, 18, 150, 98);
    for (int u = 0; u < 4; ++u)
        UnitRadioGroup.Items().Add(FourierUnitText(u));
    UnitRadioGroup.SetItemIndex(0);
    SizeRadioGroup.SetCaption("Relative size of Amplitude chart");
    SizeRadioGroup.SetBounds(8, 120, 320, 40); // room for the buttons under the caption
    SizeRadioGroup.SetColumns(3);
    SizeRadioGroup.Items().Assign({"50%", "70%", "100%"});
    SizeRadioGroup.SetItemIndex(1);
    OrdersLabel1.SetCaption("Harmonic orders");
    OrdersLabel1.SetBounds(172, 24, 150, 16);
    OrdersLabel2.SetCaption("to consider:");
    OrdersLabel2.SetBounds(172, 42, 150, 16);
    ArmMinEdit.SetBounds(172, 64, 50, 22);
    OrdersDashLabel.SetCaption("-");
    OrdersDashLabel.SetBounds(230, 68, 8, 16);
    // The labels show the group's own background, not a box of another grey.
    for (TLabel* l :
         {&InitialTimeLabel, &FinalTimeLabel, &OrdersLabel1, &OrdersLabel2, &OrdersDashLabel})
        l->SetTransparent(true);
    ArmMaxEdit.SetBounds(244, 64, 50, 22);
    ArmMinEdit.SetText("0");
    ArmMaxEdit.SetText("30");

    SetUpOkCancel(OkBtn, "OK", CancelBtn);
    OkBtn.SetBounds(92, 268, 75, 25);
    CancelBtn.SetBounds(185, 268, 75, 25);
    SetTabOrder({&InitialTimeEdit, &FinalTimeEdit, &UnitRadioGroup, &ArmMinEdit, &ArmMaxEdit,
                 &SizeRadioGroup, &OkBtn, &CancelBtn});

    OkBtn.OnClick = [this](TObject* s) { OkBtnClick(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
}

void TDFTOptions::SetData(float t0, float tEnd, int n, float sps) {
    SmallestTime = t0;
    LargestTime = LargestAllowedTime(tEnd);
    lastTime_ = tEnd;
    n_ = n;
    sps_ = sps;
}

void TDFTOptions::ShowTimes(std::optional<float> initial, std::optional<float> final, int digits) {
    auto show = [digits](TEdit& edit, std::optional<float> value, SShownTime& shown) {
        shown = {};
        if (value) shown = {FormatNumber(*value, digits), *value};
        edit.SetText(value ? shown.text : std::string("Undefined"));
    };
    show(InitialTimeEdit, initial, shownInitial_);
    show(FinalTimeEdit, final, shownFinal_);
}

void TDFTOptions::FormShow(TObject*) {
    if (!AskInitialTime) return;
    GroupBox1.SetFocus();
    InitialTimeEdit.SetFocus();
}

void TDFTOptions::OkBtnClick(TObject*) {
    SFourierOptionsInput in;
    in.initialText = InitialTimeEdit.Text();
    in.finalText = FinalTimeEdit.Text();
    in.shownInitial = shownInitial_;
    in.shownFinal = shownFinal_;
    in.firstOrderText = ArmMinEdit.Text();
    in.lastOrderText = ArmMaxEdit.Text();
    in.smallest = SmallestTime;
    in.largestAllowed = LargestTime;
    in.tFirst = SmallestTime;
    in.tLast = lastTime_;
    in.n = n_;
    in.sps = sps_;
    const SFourierOptionsVerdict v = CheckFourierOptions(in);
    if (v.ok) {
        Accepted = v;
        return;
    }
    MessageBox(v.message, "Invalid data", MB_OK | MB_ICONEXCLAMATION);
    SetModalResult(mrNone);
    TEdit* field = nullptr;
    switch (v.field) {
    case EFourierField::InitialTime:
        field = &InitialTimeEdit;
        break;
    case EFourierField::FinalTime:
        field = &FinalTimeEdit;
        break;
    case EFourierField::FirstOrder:
        field = &ArmMinEdit;
        break;
    case EFourierField::LastOrder:
        field = &ArmMaxEdit;
        break;
    case EFourierField::None:
        break;
    }
    if (field) {
        field->SetFocus();
        field->SelectAll();
    }
}
