#include "SimOut.h"

std::string SimOut::readAdf(const std::string&) { return "Not yet readable"; }
std::string SimOut::SaveToAdfFile(const std::string&, const std::string&, int, const int*) { return "Not yet"; }
void SimOut::MakePl4NamesPlain() {}
void SimOut::MakeComtradeNamesPlain(bool) {}
