#include "SimOut.h"

std::string SimOut::readMat(const std::string&) { return "Not yet readable"; }
std::string SimOut::SaveToMatFile(const std::string&, int, const int*) { return "Not yet"; }
void SimOut::MakeMatNames() {}
