// Placeholder bodies until the saved-state unit stands.
#include "DataSelFF.h"

void TDataSelForm::SSSpeedBtnClick(TObject*) {}
void TDataSelForm::LSSpeedBtnClick(TObject*) {}
