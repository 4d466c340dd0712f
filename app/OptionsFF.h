#pragma once
// The program options dialog: the persistent switches and the default frequency of the
// options block, shown from the main window, written whole to the registry on OK.

#include "AppContext.h"
#include "Button.h"
#include "CheckBox.h"
#include "Edit.h"
#include "Form.h"
#include "Label.h"
#include "PageControl.h"

class TOptionsForm : public TForm {
public:
    TOptionsForm(TComponent* owner, SAppContext& ctx);

    // Puts the block into the controls and shows the dialog; returns its modal result.
    TModalResult LoadOptions();
    void OKBtnClick(TObject* Sender);
    void CancelBtnClick(TObject* Sender);
    void DefaultBtnClick(TObject* Sender);
    void FrequencyEditExit(TObject* Sender);

    TPageControl TPageControl1;
    TTabSheet GeneralSheet, InputSheet, PlotSheet, DFTSheet;
    TCheckBox AssociateFOBox, WinPosSizeBox, SmallWindowsBox;
    TCheckBox CommaSepBox;
    TCheckBox AutoLabelBox, BarFSBox, BarHFSBox, PointsBox;
    TLabel FrequencyLabel;
    TEdit FrequencyEdit;
    TCheckBox MaxSpeedBox, AutoRefreshBox; // hidden and disabled
    TLabel OKLabel, DefaultLabel, PersistentLabel;
    TButton OKBtn, CancelBtn, DefaultBtn;

private:
    // The frequency typed in the edit when it is a positive finite single; else false
    // after the message, with the focus back in the edit.
    bool ReadFrequency(float& hz);

    SAppContext& ctx_;
    SGlobalVars& globals_;
    SProgramOptions& options_;
};
