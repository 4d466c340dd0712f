#include "LabelsFF.h"

TLabelForm::TLabelForm(TComponent* owner, SAppContext& ctx)
    : TForm(owner), ctx_(ctx), globals_(ctx.globals), options_(ctx.options) {
    SetClientSize(400, 300);
}
