// Placeholder bodies until the plotting unit stands.
#include "DataSelFF.h"

int TDataSelForm::PreparePlotData() { return 1; }
void TDataSelForm::PlotBtnClick(TObject*) {}
void TDataSelForm::UpdateBtnClick(TObject*) {}
