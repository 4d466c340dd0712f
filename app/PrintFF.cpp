#include "PrintFF.h"

TPrintDataForm::TPrintDataForm(TComponent* owner, SGlobalVars& globals, SProgramOptions& options)
    : TForm(owner), globals_(globals), options_(options) {
    SetClientSize(400, 300);
}
