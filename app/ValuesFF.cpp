#include "ValuesFF.h"

TValuesForm::TValuesForm(TComponent* owner, SAppContext& ctx)
    : TForm(owner), ctx_(ctx), globals_(ctx.globals), options_(ctx.options) {
    SetCaption("Values");
    SetClientSize(400, 300);
}
