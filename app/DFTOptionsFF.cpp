#include "DFTOptionsFF.h"

TDFTOptions::TDFTOptions(TComponent* owner, SAppContext& ctx)
    : TForm(owner), ctx_(ctx), globals_(ctx.globals), options_(ctx.options) {
    SetCaption("QJ's Curvix - Fourier Options");
    SetClientSize(400, 300);
}
