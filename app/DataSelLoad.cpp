// Placeholder bodies until the loading unit stands.
#include "DataSelFF.h"

void TDataSelForm::DropFiles(const std::vector<std::string>&) {}
void TDataSelForm::LoadBtnClick(TObject*) {}
int TDataSelForm::LoadFile(int, const std::string&, bool, bool) { return 1; }
void TDataSelForm::RefreshBtnClick(TObject*) {}
void TDataSelForm::RefUpdBtnClick(TObject*) {}
void TDataSelForm::FileStringGridMouseUp(TObject*, TMouseButton, TShiftState, int, int) {}
void TDataSelForm::FileStringGridDblClick(TObject*) {}
void TDataSelForm::SelectFileRow(int) {}
void TDataSelForm::MultiFileBtnClick(TObject*) {}
void TDataSelForm::WidthsBtnClick(TObject*) {}
std::string TDataSelForm::CommonXName() { return "??"; }
void TDataSelForm::OptionsBtnClick(TObject*) {}
