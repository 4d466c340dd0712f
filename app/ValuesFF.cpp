#include "ValuesFF.h"

TValuesForm::TValuesForm(TComponent* owner, SGlobalVars& globals, SProgramOptions& options)
    : TForm(owner), globals_(globals), options_(options) {
    SetCaption("Values");
    SetClientSize(400, 300);
}
