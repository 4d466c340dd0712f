#pragma once
// The main window, "Data selection": its buttons, the variable list and the start-up
// and close steps that belong to it. Loading, selection and plotting come later.

#include "Button.h"
#include "Form.h"
#include "GlobalVars.h"
#include "Label.h"
#include "ListBox.h"
#include "Panel.h"
#include "SpeedButton.h"

#include <string>
#include <vector>

class TDataSelForm : public TForm {
public:
    TDataSelForm(TComponent* owner, SGlobalVars& globals, SProgramOptions& options);

    int ParseCommandLine();
    void AboutBtnClick(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    // The application's activation handler: leaves the composite-variable mode.
    void UnObscure(TObject* Sender);
    void FormCreate(TObject* Sender);
    void FormResize(TObject* Sender);

    TButton LoadBtn, RefreshBtn, OptionsBtn, SaveVarBtn, PlotBtn, UpdateBtn, DFTBtn, AboutBtn,
        ResetBtn;
    TSpeedButton RefUpdBtn, MultiFileBtn, WidthsBtn, PlusBtn, MinusBtn, TimesBtn, SSSpeedBtn,
        LSSpeedBtn;
    TPanel Panel2;
    TLabel Variables;
    TListBox VarList;

private:
    SGlobalVars& globals_;
    SProgramOptions& options_;
    bool creationDone_ = false;
};
