#include "OptionsFF.h"

TOptionsForm::TOptionsForm(TComponent* owner, SAppContext& ctx)
    : TForm(owner), ctx_(ctx), globals_(ctx.globals), options_(ctx.options) {
    SetCaption("QJ's Curvix - Program Options");
    SetClientSize(400, 300);
}
