#pragma once
// The plot options dialog: scale types and grid, axis and legend fonts, lines or dots.
// Created once at start-up; the plot window opens it and applies its choices.

#include "AppContext.h"
#include "Button.h"
#include "CheckBox.h"
#include "ComboBox.h"
#include "Form.h"
#include "PageControl.h"
#include "RadioGroup.h"

#include <utility>
#include <vector>

class TPlotOptForm : public TForm {
public:
    TPlotOptForm(TComponent* owner, SAppContext& ctx);

    void AxisSizeGroupClick(TObject* Sender);
    void XScaleTypeRGClick(TObject* Sender);
    void YScaleTypeRGClick(TObject* Sender);
    void UseLinesBtnClick(TObject* Sender);
    void UsePointsBtnClick(TObject* Sender);

    TPageControl PageControl1;
    TTabSheet GeneralPage, FontPage, LinesPage;
    TRadioGroup YScaleTypeRG, XScaleTypeRG;
    TCheckBox GridBox;
    TRadioGroup AxisSizeGroup;
    TComboBox CBoxFixed;
    TRadioGroup LegendSizeGroup;
    TRadioButton UseLinesBtn, UsePointsBtn;
    TRadioGroup LineTypeRadioGr, PointTypeRadioGr;
    TButton CancelBtn, OKBtn;

    // The choices shown, and what their clicks set in the plot window and the scaling
    // dialog, so that a cancelled dialog or refused scales leave everything as it was.
    struct SState {
        int y = 0, x = 0, axisSize = 1, fixed = 2, legend = 1, lineType = 2, pointType = 1;
        bool grid = false, lines = true;
        std::vector<std::pair<TControl*, bool>> enabled;
        std::vector<std::pair<TFont*, TColor>> colours;
    };
    SState SaveState();
    void RestoreState(const SState& s);

private:
    // Mark and grid follow the scale types: both linear enable them.
    void MarkAndGridForScales();
    // The size box between "FIxed" and "pts" of the fixed entry, in whatever font.
    void FitFixedSizeBox();

    SAppContext& ctx_;
};
