// Placeholder body until the Fourier window stands.
#include "DataSelFF.h"

void TDataSelForm::DFTBtnClick(TObject*) {}
