// Placeholder body until the saving unit stands.
#include "DataSelFF.h"

void TDataSelForm::SaveVarBtnClick(TObject*) {}
