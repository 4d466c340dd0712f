#include "TitleForm.h"

#include "MemoPlus.h"

#include "Button.h"
#include "RadioGroup.h"

TLineChart::TTitleForm::TTitleForm() : TForm(nullptr) {
    SetBounds(12, 10, 722, 109);
    SetClientSize(722, 109);
    SetCaption("QJ's Curvix Title");
    Font().SetHeight(-11);

    Memo = new TMemoPlus(this, this);
    Memo->SetBounds(5, 20, 711, 22);
    Memo->Font().SetHeight(-15);
    oneRowHeight_ = Memo->Height();

    OKButton = new TButton(this, this);
    OKButton->SetBounds(495, 75, 96, 26);
    OKButton->SetCaption("OK");
    OKButton->SetDefault(true);
    OKButton->SetModalResult(mrOk);

    CancelButton = new TButton(this, this);
    CancelButton->SetBounds(605, 75, 101, 26);
    CancelButton->SetCaption("Cancel");
    CancelButton->SetModalResult(mrCancel);

    RowsRadioGroup = new TRadioGroup(this, this);
    RowsRadioGroup->SetBounds(35, 70, 111, 31);
    RowsRadioGroup->SetCaption("Number of Rows");
    RowsRadioGroup->SetColumns(2);
    RowsRadioGroup->Items().Add("1");
    RowsRadioGroup->Items().Add("2");
    RowsRadioGroup->SetItemIndex(0);
    RowsRadioGroup->OnClick = [this](TObject* s) { RowsRadioGroupClick(s); };
    RowsRadioGroupClick(RowsRadioGroup);
    SetTabOrder({Memo, RowsRadioGroup, OKButton, CancelButton});
}

void TLineChart::TTitleForm::RowsRadioGroupClick(TObject*) {
    const bool two = RowsRadioGroup->ItemIndex() == 1;
    Memo->SetHeight(two ? 2 * oneRowHeight_ : oneRowHeight_);
    Memo->SetWantReturns(two);
}
