#include "DFTChartFF.h"

TDFTChartForm::TDFTChartForm(TComponent* owner, SAppContext& ctx)
    : TForm(owner), ctx_(ctx), globals_(ctx.globals), options_(ctx.options) {
    SetCaption("QJ's Curvix - Fourier chart");
    SetClientSize(400, 300);
}
