#include "DataSelFF.h"

void TDataSelForm::DropFiles(const std::vector<std::string>&) {}
