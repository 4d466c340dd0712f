#pragma once
// The chart's title dialog, built in code: one or two rows of text.

#include "LineChart.h"

#include "Form.h"

class TButton;
class TMemoPlus;
class TRadioGroup;

class TLineChart::TTitleForm : public TForm {
public:
    TTitleForm();

    TMemoPlus* Memo = nullptr;
    TButton* OKButton = nullptr;
    TButton* CancelButton = nullptr;
    TRadioGroup* RowsRadioGroup = nullptr;

    // One row: Enter closes the dialog; two: Enter breaks the line.
    void RowsRadioGroupClick(TObject* Sender);

private:
    int oneRowHeight_ = 22;
};
