#include "PrintFF.h"

#include "DialogButtons.h"
#include <string>

namespace {

void FillSizes(TComboBox& box, std::initializer_list<const char*> items) {
    for (const char* item : items)
        box.Items().Add(item);
    box.SetStyle(csDropDownList);
}

// The chosen entry as tenths of a millimetre; the lists hold only digits or "tiny".
int Tenths(TComboBox& box) {
    const int i = box.ItemIndex();
    if (i < 0) return 0;
    const std::string text = box.Items()[i];
    if (text.empty() || text[0] < '0' || text[0] > '9') return 0;
    return std::stoi(text);
}

} // namespace

TPrintDataForm::TPrintDataForm(TComponent* owner, SAppContext& ctx)
    : TForm(owner), SizesLabel(this), FrameLabel(this), CurveLabel(this), DotLabel(this),
      FrThicknCombo(this), CrThicknCombo(this), DotThicknCombo(this), BlackWhiteBox(this),
      PrSetupBtn(this), PrintBtn(this), CancelBtn(this) {
    SetCaption(ctx.globals.programName + " - Print Data");
    SetBorderStyle(bsSingle);
    SetPosition(poScreenCenter);
    SetClientSize(313, 218);

    SizesLabel.SetCaption("Sizes (tenths of mm)");
    SizesLabel.SetBounds(16, 12, 150, 16);
    FrameLabel.SetCaption("Frame pen:");
    FrameLabel.SetBounds(16, 44, 80, 16);
    FillSizes(FrThicknCombo, {"2", "3", "5"});
    FrThicknCombo.SetBounds(100, 40, 60, 22);
    CurveLabel.SetCaption("Curve pen:");
    CurveLabel.SetBounds(16, 78, 80, 16);
    FillSizes(CrThicknCombo, {"2", "3", "5"});
    CrThicknCombo.SetBounds(100, 74, 60, 22);
    DotLabel.SetCaption("Dot width:");
    DotLabel.SetBounds(16, 112, 80, 16);
    FillSizes(DotThicknCombo, {"tiny", "2", "3", "5", "7"});
    DotThicknCombo.SetBounds(100, 108, 60, 22);
    BlackWhiteBox.SetCaption("Black and White");
    BlackWhiteBox.SetBounds(16, 146, 150, 20);

    PrSetupBtn.SetCaption("Printer Setup...");
    PrSetupBtn.SetBounds(184, 40, 116, 27);
    SetUpOkCancel(PrintBtn, "Print", CancelBtn);
    PrintBtn.SetBounds(136, 182, 78, 27);
    CancelBtn.SetBounds(222, 182, 78, 27);
    SetTabOrder({&FrThicknCombo, &PrSetupBtn, &CrThicknCombo, &DotThicknCombo, &BlackWhiteBox,
                 &PrintBtn, &CancelBtn});

    PrSetupBtn.OnClick = [this](TObject* s) { PrSetupBtnClick(s); };
    OnCreate = [this](TObject* s) { FormCreate(s); };
}

void TPrintDataForm::FormCreate(TObject*) {
    for (TComboBox* box : {&FrThicknCombo, &CrThicknCombo, &DotThicknCombo})
        box->SetItemIndex(box->Items().IndexOf("3"));
}

void TPrintDataForm::PrSetupBtnClick(TObject*) {
    PrinterSetupDialog1.Execute();
}

int TPrintDataForm::FrameTenths() {
    return Tenths(FrThicknCombo);
}
int TPrintDataForm::CurveTenths() {
    return Tenths(CrThicknCombo);
}
int TPrintDataForm::DotTenths() {
    return Tenths(DotThicknCombo);
}
