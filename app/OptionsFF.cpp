#include "OptionsFF.h"

#include "DialogButtons.h"
#include "Dispatch.h"
#include "MessageBox.h"
#include "NumericText.h"
#include "RegistryNames.h"
#include "services/Registry.h"

#include <cmath>

TOptionsForm::TOptionsForm(TComponent* owner, SAppContext& ctx)
    : TForm(owner), TPageControl1(this), GeneralSheet(&TPageControl1), InputSheet(&TPageControl1),
      PlotSheet(&TPageControl1), DFTSheet(&TPageControl1), AssociateFOBox(&GeneralSheet),
      WinPosSizeBox(&GeneralSheet), SmallWindowsBox(&GeneralSheet), CommaSepBox(&InputSheet),
      AutoLabelBox(&PlotSheet), BarFSBox(&PlotSheet), BarHFSBox(&PlotSheet), PointsBox(&PlotSheet),
      FrequencyLabel(&DFTSheet), FrequencyEdit(&DFTSheet), MaxSpeedBox(this), AutoRefreshBox(this),
      OKLabel(this), DefaultLabel(this), PersistentLabel(this), OKBtn(this), CancelBtn(this),
      DefaultBtn(this), ctx_(ctx), globals_(ctx.globals), options_(ctx.options) {
    SetCaption("QJ's Curvix - Program Options");
    SetPosition(poScreenCenter);
    SetBorderStyle(bsDialog);
    SetBorderIcons(false);
    SetClientSize(376, 262);

    TPageControl1.SetBounds(8, 8, 360, 150);
    GeneralSheet.SetCaption("General");
    InputSheet.SetCaption("Input");
    PlotSheet.SetCaption("Plot");
    DFTSheet.SetCaption("DFT");
    struct Box {
        TCheckBox& box;
        const char* caption;
        int top;
    };
    for (const Box& b : {Box{AssociateFOBox, "Associate Factors and Offsets to Variable names", 12},
                         Box{WinPosSizeBox, "Remember windows' positions and sizes", 38},
                         Box{SmallWindowsBox, "Use small windows", 64},
                         Box{CommaSepBox, "Commas are separators in ADF files", 12},
                         Box{AutoLabelBox, "Autolabel known variables", 12},
                         Box{BarFSBox, "Bar Chart for Frequency Scan runs", 38},
                         Box{BarHFSBox, "Bar Chart for Harmonic Frequency Scan runs", 64},
                         Box{PointsBox, "Do not conect points with lines", 90},
                         Box{MaxSpeedBox, "Use maximum plotting speed", 0},
                         Box{AutoRefreshBox, "Enable Autorefresh", 0}}) {
        b.box.SetCaption(b.caption);
        b.box.SetBounds(12, b.top, 330, 20);
    }
    for (TCheckBox* hidden : {&MaxSpeedBox, &AutoRefreshBox}) {
        hidden->SetVisible(false);
        hidden->SetEnabled(false);
    }
    FrequencyLabel.SetCaption("Default frequency (Hz):");
    FrequencyLabel.SetBounds(12, 16, 150, 16);
    FrequencyLabel.SetTransparent(true); // the page's own background
    FrequencyEdit.SetBounds(170, 12, 90, 22);
    FrequencyEdit.SetText("50.");
    TPageControl1.SetActivePageIndex(0);

    OKLabel.SetCaption("OK: all the options are stored in the registry.");
    OKLabel.SetBounds(8, 164, 360, 16);
    DefaultLabel.SetCaption("Default: the registry is cleaned and the default options are used.");
    DefaultLabel.SetBounds(8, 182, 360, 16);
    PersistentLabel.SetCaption("All the options selected here are PERSISTENT.");
    PersistentLabel.SetBounds(8, 200, 360, 16);

    SetUpOkCancel(OKBtn, "OK", CancelBtn);
    OKBtn.SetBounds(48, 228, 80, 25);
    CancelBtn.SetBounds(148, 228, 80, 25);
    DefaultBtn.SetCaption("Default");
    DefaultBtn.SetBounds(248, 228, 80, 25);

    OKBtn.OnClick = [this](TObject* s) { OKBtnClick(s); };
    CancelBtn.OnClick = [this](TObject* s) { CancelBtnClick(s); };
    DefaultBtn.OnClick = [this](TObject* s) { DefaultBtnClick(s); };
    FrequencyEdit.OnExit = [this](TObject* s) { FrequencyEditExit(s); };
}

TModalResult TOptionsForm::LoadOptions() {
    SmallWindowsBox.SetChecked(options_.Flag(poSmallWindows));
    WinPosSizeBox.SetChecked(options_.Flag(poRememberWindows));
    AssociateFOBox.SetChecked(options_.Flag(poAssociateFO));
    CommaSepBox.SetChecked(options_.Flag(poCommaSeparators));
    BarFSBox.SetChecked(options_.Flag(poBarFS));
    BarHFSBox.SetChecked(options_.Flag(poBarHFS));
    PointsBox.SetChecked(options_.Flag(poPointsOnly));
    AutoLabelBox.SetChecked(options_.Flag(poAutoLabel));
    AutoRefreshBox.SetChecked(options_.Flag(poAutoRefresh));
    FrequencyEdit.SetText(FormatNumber(options_.Frequency(), 3));
    MaxSpeedBox.SetChecked(options_.Flag(poMaxSpeed));
    return ShowModal();
}

bool TOptionsForm::ReadFrequency(float& hz) {
    // The edit shows three digits: a value the user left as shown keeps all of its own.
    if (FrequencyEdit.Text() == FormatNumber(options_.Frequency(), 3) &&
        options_.Frequency() > 0.0f && std::isfinite(options_.Frequency())) {
        hz = options_.Frequency();
        return true;
    }
    double value = 0;
    // A text that is no number is refused like a value that is not positive.
    if (TextToDouble(value, FrequencyEdit.Text()) == 0) {
        hz = static_cast<float>(value);
        if (hz > 0.0f && std::isfinite(hz)) return true;
    }
    MessageBox("An invalid (negative or nul) value was read as default frequency.\nPlease, "
               "supply a positive value",
               "QJ's Curvix", MB_OK | MB_ICONEXCLAMATION);
    TPageControl1.SetActivePage(&DFTSheet); // OK may be pressed on another page
    FrequencyEdit.SetFocus();
    return false;
}

void TOptionsForm::FrequencyEditExit(TObject*) {
    float hz;
    ReadFrequency(hz);
}

// A frequency that is refused keeps the dialog open and stores nothing: the edit's own
// check is skipped by Enter and the default button.
void TOptionsForm::OKBtnClick(TObject*) {
    float hz;
    if (!ReadFrequency(hz)) {
        SetModalResult(mrNone);
        return;
    }
    options_.SetFlag(poAutoLabel, AutoLabelBox.Checked());
    options_.SetFlag(poMaxSpeed, MaxSpeedBox.Checked());
    options_.SetFlag(poAutoRefresh, AutoRefreshBox.Checked());
    options_.SetFrequency(hz);
    options_.SetFlag(poCommaSeparators, CommaSepBox.Checked());
    options_.SetFlag(poSmallWindows, SmallWindowsBox.Checked());
    options_.SetFlag(poRememberWindows, WinPosSizeBox.Checked());
    options_.SetFlag(poAssociateFO, AssociateFOBox.Checked());
    options_.SetFlag(poBarFS, BarFSBox.Checked());
    options_.SetFlag(poBarHFS, BarHFSBox.Checked());
    options_.SetFlag(poPointsOnly, PointsBox.Checked());
    try {
        TRegistry registry;
        registry.OpenKey(kProgramKey, true);
        registry.WriteBinaryData(kProgramOptionsValue, options_.bytes.data(),
                                 static_cast<int>(options_.bytes.size()));
        registry.CloseKey();
    } catch (const std::exception& e) {
        ShowException(e);
    }
}

void TOptionsForm::CancelBtnClick(TObject*) {
    AutoLabelBox.SetChecked(options_.Flag(poAutoLabel));
    MaxSpeedBox.SetChecked(options_.Flag(poMaxSpeed));
    AutoRefreshBox.SetChecked(options_.Flag(poAutoRefresh));
}

void TOptionsForm::DefaultBtnClick(TObject*) {
    AutoLabelBox.SetChecked(true);
    AutoRefreshBox.SetChecked(false);
    try {
        TRegistry registry;
        registry.DeleteKey(kMakerKey);
    } catch (const std::exception& e) {
        ShowException(e);
    }
    MessageBox("Default settings restored;\nRegistry Cleared.", "Information",
               MB_OK | MB_ICONINFORMATION);
    Close();
}
