#pragma once
// The Fourier options dialog: the base period of the current file, the harmonic orders
// shown, the amplitude unit and the share of the amplitude chart. It stays open until its
// fields pass the checks; the Fourier window fills and reads its controls.

#include "AppContext.h"
#include "Button.h"
#include "Edit.h"
#include "Form.h"
#include "FourierOptions.h"
#include "Label.h"
#include "Panel.h"
#include "RadioGroup.h"

#include <optional>

class TDFTOptions : public TForm {
public:
    TDFTOptions(TComponent* owner, SAppContext& ctx);

    // The curve's first and last time, its sample count and rate (for the checks).
    void SetData(float t0, float tEnd, int n, float sps);
    // Fills the time edits (no value: "Undefined") with `digits` significant digits. A
    // text left as it is still stands for the whole value behind it at OK.
    void ShowTimes(std::optional<float> initial, std::optional<float> final, int digits);
    void FormShow(TObject* Sender);
    void OkBtnClick(TObject* Sender);

    TButton OkBtn, CancelBtn;
    TGroupBox GroupBox1;
    TLabel InitialTimeLabel, FinalTimeLabel;
    TEdit InitialTimeEdit, FinalTimeEdit;
    TGroupBox GroupBox2;
    TRadioGroup UnitRadioGroup, SizeRadioGroup;
    TLabel OrdersLabel1, OrdersLabel2, OrdersDashLabel;
    TMaskEdit ArmMinEdit, ArmMaxEdit;

    float SmallestTime = 0;
    float LargestTime = 0;       // largest time of the curve times 1.000001
    bool AskInitialTime = false; // set by the main window when it found no base period
    // What the last OK read (valid after the dialog closed with OK).
    SFourierOptionsVerdict Accepted;

private:
    SAppContext& ctx_;
    float lastTime_ = 0, sps_ = 0; // the first time is SmallestTime
    SShownTime shownInitial_, shownFinal_;
    int n_ = 0;
};
