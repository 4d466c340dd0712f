#include "PlotWinFF.h"

TPlotWinForm::TPlotWinForm(TComponent* owner, SAppContext& ctx)
    : TForm(owner), CursorBtn(this), ctx_(ctx), globals_(ctx.globals), options_(ctx.options) {
    SetClientSize(426, 333);
}

void TPlotWinForm::SetCurveData(PlotSnapshotPtr data) { Shown = std::move(data); }
void TPlotWinForm::SetLegendData(PlotSnapshotPtr) {}
void TPlotWinForm::ShowCurves(bool) {}
void TPlotWinForm::CursorBtnClick(TObject*) {}
