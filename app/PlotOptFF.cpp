#include "PlotOptFF.h"

#include "DialogButtons.h"
#include "Label.h"
#include "PlotWinFF.h"
#include "ScaleFF.h"

namespace {

void Fill(TRadioGroup& g, const char* caption, int columns,
          std::initializer_list<const char*> items) {
    g.SetCaption(caption);
    g.SetColumns(columns);
    for (const char* item : items)
        g.Items().Add(item);
}

} // namespace

TPlotOptForm::TPlotOptForm(TComponent* owner, SAppContext& ctx)
    : TForm(owner), PageControl1(this), GeneralPage(&PageControl1), FontPage(&PageControl1),
      LinesPage(&PageControl1), YScaleTypeRG(&GeneralPage), XScaleTypeRG(&GeneralPage),
      GridBox(&GeneralPage), AxisSizeGroup(&FontPage), CBoxFixed(&FontPage),
      LegendSizeGroup(&FontPage), UseLinesBtn(&LinesPage), UsePointsBtn(&LinesPage),
      LineTypeRadioGr(&LinesPage), PointTypeRadioGr(&LinesPage), CancelBtn(this), OKBtn(this),
      ctx_(ctx) {
    SetCaption(ctx.globals.programName + " - Plot Options");
    SetBorderStyle(bsSingle);
    SetPosition(poScreenCenter);
    SetClientSize(269, 242);

    PageControl1.SetBounds(4, 4, 261, 198);
    GeneralPage.SetCaption("General");
    FontPage.SetCaption("Font");
    LinesPage.SetCaption("Lines");

    Fill(YScaleTypeRG, "Y-Scale Type", 2, {"Linear", "Log"});
    YScaleTypeRG.SetBounds(8, 8, 236, 46);
    YScaleTypeRG.SetItemIndex(0);
    Fill(XScaleTypeRG, "X-Scale Type", 2, {"Linear", "Log"});
    XScaleTypeRG.SetBounds(8, 62, 236, 46);
    XScaleTypeRG.SetItemIndex(0);
    GridBox.SetCaption("Display Grid");
    GridBox.SetBounds(12, 118, 140, 20);

    // The size box sits in the blanks of the fixed entry (FitFixedSizeBox).
    Fill(AxisSizeGroup, "Axis", 1, {"FIxed              pts", "Auto"});
    AxisSizeGroup.SetBounds(8, 8, 236, 66);
    AxisSizeGroup.SetItemIndex(1);
    for (const char* size : {"7", "8", "9", "10", "11", "13"})
        CBoxFixed.Items().Add(size);
    CBoxFixed.SetStyle(csDropDownList);
    CBoxFixed.SetBounds(72, 24, 46, 22);
    CBoxFixed.SetItemIndex(2);
    CBoxFixed.SetEnabled(false);
    Fill(LegendSizeGroup, "Legend", 1, {"Equal to axis", "Auto"});
    LegendSizeGroup.SetBounds(8, 84, 236, 66);
    LegendSizeGroup.SetItemIndex(1);

    UseLinesBtn.SetCaption("Use lines");
    UseLinesBtn.SetBounds(12, 6, 120, 20);
    UseLinesBtn.SetChecked(true);
    Fill(LineTypeRadioGr, "Line type", 3, {"thin", "thick", "auto"});
    LineTypeRadioGr.SetBounds(8, 28, 236, 46);
    LineTypeRadioGr.SetItemIndex(2);
    UsePointsBtn.SetCaption("Only dots");
    UsePointsBtn.SetBounds(12, 84, 120, 20);
    Fill(PointTypeRadioGr, "Point Type", 2, {"pixel", "square"});
    PointTypeRadioGr.SetBounds(8, 106, 236, 46);
    PointTypeRadioGr.SetItemIndex(1);
    PointTypeRadioGr.SetEnabled(false);

    SetUpOkCancel(OKBtn, "OK", CancelBtn);
    CancelBtn.SetBounds(100, 210, 78, 27);
    OKBtn.SetBounds(186, 210, 78, 27);
    SetTabOrder({&PageControl1, &YScaleTypeRG, &XScaleTypeRG, &GridBox, &AxisSizeGroup, &CBoxFixed,
                 &LegendSizeGroup, &UseLinesBtn, &LineTypeRadioGr, &UsePointsBtn, &PointTypeRadioGr,
                 &CancelBtn, &OKBtn});

    // Bound after the start values, which fire the groups' clicks.
    AxisSizeGroup.OnClick = [this](TObject* s) { AxisSizeGroupClick(s); };
    XScaleTypeRG.OnClick = [this](TObject* s) { XScaleTypeRGClick(s); };
    YScaleTypeRG.OnClick = [this](TObject* s) { YScaleTypeRGClick(s); };
    UseLinesBtn.OnClick = [this](TObject* s) { UseLinesBtnClick(s); };
    UsePointsBtn.OnClick = [this](TObject* s) { UsePointsBtnClick(s); };

    ScaleBy(ctx.globals.scaleMul, ctx.globals.scaleDiv);
    FitFixedSizeBox();
}

// The box starts one blank after "FIxed" and the blanks run on until "pts" clears it.
void TPlotOptForm::FitFixedSizeBox() {
    constexpr int kWord = 5, kGap = 3; // "FIxed"
    const int left = AxisSizeGroup.Left();
    CBoxFixed.SetLeft(left + AxisSizeGroup.ItemTextRight(0, kWord + 1));
    const int need = CBoxFixed.Left() + CBoxFixed.Width() + kGap - left;
    for (int blanks = 1; blanks <= 60; ++blanks) {
        const std::string caption = "FIxed" + std::string(static_cast<std::size_t>(blanks), ' ');
        if (AxisSizeGroup.Items()[0] != caption + "pts")
            AxisSizeGroup.Items().Put(0, caption + "pts");
        if (AxisSizeGroup.ItemTextRight(0, kWord + blanks) >= need) break;
    }
}

void TPlotOptForm::AxisSizeGroupClick(TObject*) {
    CBoxFixed.SetEnabled(AxisSizeGroup.ItemIndex() == 0);
}

void TPlotOptForm::UseLinesBtnClick(TObject*) {
    if (!UseLinesBtn.Checked()) return;
    UsePointsBtn.SetChecked(false);
    LineTypeRadioGr.SetEnabled(true);
    PointTypeRadioGr.SetEnabled(false);
}

void TPlotOptForm::UsePointsBtnClick(TObject*) {
    if (!UsePointsBtn.Checked()) return;
    UseLinesBtn.SetChecked(false);
    LineTypeRadioGr.SetEnabled(false);
    PointTypeRadioGr.SetEnabled(true);
}

void TPlotOptForm::MarkAndGridForScales() {
    TPlotWinForm* plot = ctx_.windows.PlotWin;
    const bool anyLog = XScaleTypeRG.ItemIndex() == 1 || YScaleTypeRG.ItemIndex() == 1;
    if (anyLog) {
        if (plot) plot->MarkBtn.SetEnabled(false);
        return;
    }
    if (plot) plot->MarkBtn.SetEnabled(true);
    GridBox.SetEnabled(true);
}

void TPlotOptForm::XScaleTypeRGClick(TObject*) {
    const bool xLog = XScaleTypeRG.ItemIndex() == 1;
    const bool yLog = YScaleTypeRG.ItemIndex() == 1;
    if (TScaleForm* scale = ctx_.windows.Scale) {
        scale->XGB.SetEnabled(!xLog);
        // The x ends can be typed again as soon as x is linear again.
        scale->XMinEdit.SetEnabled(!xLog);
        scale->XMaxEdit.SetEnabled(!xLog);
        if (!xLog)
            scale->ExactMatchBox.SetEnabled(true);
        else if (yLog)
            scale->ExactMatchBox.SetEnabled(false);
    }
    MarkAndGridForScales();
}

void TPlotOptForm::YScaleTypeRGClick(TObject*) {
    const bool xLog = XScaleTypeRG.ItemIndex() == 1;
    const bool yLog = YScaleTypeRG.ItemIndex() == 1;
    if (TScaleForm* scale = ctx_.windows.Scale) {
        scale->XMinEdit.SetEnabled(!xLog);
        scale->XMaxEdit.SetEnabled(!xLog);
        for (TLabel* l : {&scale->XMinLabel, &scale->XMaxLabel}) {
            l->SetEnabled(true);
            l->Font().SetColor(clBlack);
        }
        scale->XGB.Font().SetColor(clBlack);
        scale->YLGB.Font().SetColor(yLog ? kInactiveCaption : clBlack);
        for (TEdit* e : {&scale->YLMaxEdit, &scale->YLMinEdit})
            e->SetEnabled(!yLog);
        for (TLabel* l : {&scale->YLMaxLabel, &scale->YLMinLabel}) {
            l->SetEnabled(!yLog);
            l->Font().SetColor(yLog ? kInactiveCaption : clBlack);
        }
        scale->ExactMatchBox.SetEnabled(!(xLog && yLog));
    }
    MarkAndGridForScales();
}

TPlotOptForm::SState TPlotOptForm::SaveState() {
    SState s;
    s.y = YScaleTypeRG.ItemIndex();
    s.x = XScaleTypeRG.ItemIndex();
    s.grid = GridBox.Checked();
    s.axisSize = AxisSizeGroup.ItemIndex();
    s.fixed = CBoxFixed.ItemIndex();
    s.legend = LegendSizeGroup.ItemIndex();
    s.lines = UseLinesBtn.Checked();
    s.lineType = LineTypeRadioGr.ItemIndex();
    s.pointType = PointTypeRadioGr.ItemIndex();
    std::vector<TControl*> controls = {&GridBox, &CBoxFixed, &LineTypeRadioGr, &PointTypeRadioGr};
    if (TPlotWinForm* plot = ctx_.windows.PlotWin) controls.push_back(&plot->MarkBtn);
    if (TScaleForm* scale = ctx_.windows.Scale) {
        for (TControl* c : std::initializer_list<TControl*>{
                 &scale->XGB, &scale->XMinEdit, &scale->XMaxEdit, &scale->XMinLabel,
                 &scale->XMaxLabel, &scale->ExactMatchBox, &scale->YLMaxEdit, &scale->YLMinEdit,
                 &scale->YLMaxLabel, &scale->YLMinLabel})
            controls.push_back(c);
        for (TFont* f :
             {&scale->XGB.Font(), &scale->YLGB.Font(), &scale->XMinLabel.Font(),
              &scale->XMaxLabel.Font(), &scale->YLMaxLabel.Font(), &scale->YLMinLabel.Font()})
            s.colours.emplace_back(f, f->Color());
    }
    for (TControl* c : controls)
        s.enabled.emplace_back(c, c->Enabled());
    return s;
}

// The choices first: their clicks set the other windows, which then get their own state.
void TPlotOptForm::RestoreState(const SState& s) {
    YScaleTypeRG.SetItemIndex(s.y);
    XScaleTypeRG.SetItemIndex(s.x);
    GridBox.SetChecked(s.grid);
    AxisSizeGroup.SetItemIndex(s.axisSize);
    CBoxFixed.SetItemIndex(s.fixed);
    LegendSizeGroup.SetItemIndex(s.legend);
    (s.lines ? UseLinesBtn : UsePointsBtn).SetChecked(true);
    LineTypeRadioGr.SetItemIndex(s.lineType);
    PointTypeRadioGr.SetItemIndex(s.pointType);
    for (const auto& [control, enabled] : s.enabled)
        control->SetEnabled(enabled);
    for (const auto& [font, colour] : s.colours)
        font->SetColor(colour);
}
