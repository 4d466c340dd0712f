#include "OptionsFF.h"

TOptionsForm::TOptionsForm(TComponent* owner, SGlobalVars& globals, SProgramOptions& options)
    : TForm(owner), globals_(globals), options_(options) {
    SetCaption("QJ's Curvix - Program Options");
    SetClientSize(400, 300);
}
