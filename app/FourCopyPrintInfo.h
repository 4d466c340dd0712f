#pragma once
// What the Fourier window copies or prints: its charts (amplitude, phase or both) or its
// numbers; with the printer set-up. The Fourier window sets the caption, the go button's
// text and whether it shows the amplitude chart alone before each use.

#include "AppContext.h"
#include "Button.h"
#include "CheckBox.h"
#include "Form.h"
#include "Printer.h"
#include "RadioGroup.h"

#include <cstdint>

class TFourCopyInfo : public TForm {
public:
    TFourCopyInfo(TComponent* owner, SAppContext& ctx);

    void PrSetupBtnClick(TObject* Sender);
    void AmplBoxClick(TObject* Sender);
    void PhaseBoxClick(TObject* Sender);
    void RadioGroup1Click(TObject* Sender);

    // Whether a chart is to be output: its box checked and open to the user.
    bool AmplitudeChosen() const;
    bool PhaseChosen() const;

    TRadioGroup RadioGroup1; // 0 the charts of the boxes, 1 the numbers
    TCheckBox AmplBox, PhaseBox;
    TButton GoBtn, CancelBtn, PrSetupBtn;
    TPrinterSetupDialog PrinterSetupDialog1;

    std::int32_t AmplitudeOnly = 0; // 1 while the Fourier window shows no phase chart
};
