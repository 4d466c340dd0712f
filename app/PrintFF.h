#pragma once
// The print settings dialog of the plot window: pen sizes in tenths of a millimetre,
// black and white, and the printer set-up. Created once at start-up.

#include "AppContext.h"
#include "Button.h"
#include "CheckBox.h"
#include "ComboBox.h"
#include "Form.h"
#include "Label.h"
#include "Printer.h"

class TPrintDataForm : public TForm {
public:
    TPrintDataForm(TComponent* owner, SAppContext& ctx);

    void FormCreate(TObject* Sender);
    void PrSetupBtnClick(TObject* Sender);

    // The chosen sizes in tenths of a millimetre; 0 for the "tiny" dot.
    int FrameTenths();
    int CurveTenths();
    int DotTenths();

    TLabel SizesLabel, FrameLabel, CurveLabel, DotLabel;
    TComboBox FrThicknCombo, CrThicknCombo, DotThicknCombo;
    TCheckBox BlackWhiteBox;
    TButton PrSetupBtn, PrintBtn, CancelBtn;
    TPrinterSetupDialog PrinterSetupDialog1;
};
