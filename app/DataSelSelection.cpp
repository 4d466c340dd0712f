// Placeholder bodies until the selection unit stands.
#include "DataSelFF.h"

void TDataSelForm::VarListMouseDown(TObject*, TMouseButton, TShiftState, int, int) {}
void TDataSelForm::VarListMouseUp(TObject*, TMouseButton, TShiftState, int, int) {}
void TDataSelForm::AddSelectedVariable(int, bool) {}
void TDataSelForm::RemoveSelectedRow(int) {}
void TDataSelForm::SelectedGridMouseUp(TObject*, TMouseButton, TShiftState, int, int) {}
void TDataSelForm::SelectedGridKeyDown(TObject*, WORD&, TShiftState) {}
void TDataSelForm::ResetBtnClick(TObject*) {}
void TDataSelForm::PlusBtnClick(TObject*) {}
void TDataSelForm::MinusBtnClick(TObject*) {}
void TDataSelForm::TimesBtnClick(TObject*) {}
void TDataSelForm::SetOperatorMode(bool) {}
void TDataSelForm::User1Click(TObject*) {}
void TDataSelForm::smtimefactor1Click(TObject*) {}
void TDataSelForm::shtimefactor1Click(TObject*) {}
bool TDataSelForm::ResolveCompositeName(int) { return false; }
bool TDataSelForm::SelectionFromOneFile() { return false; }
void TDataSelForm::SwapGridRows(TStringAlignGrid&, int, int) {}
void TDataSelForm::ApplyDefaultFO(int) {}
void TDataSelForm::StoreDefaultFO(int) {}
TColor TDataSelForm::AllocCurveColour() { return 0; }
void TDataSelForm::FreeCurveColour(TColor) {}
void TDataSelForm::ResetCurveColours() {}
void TDataSelForm::EnableUpdate() {}
void TDataSelForm::DisableUpdate() {}
