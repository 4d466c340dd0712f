#include "SimOut.h"

std::string SimOut::readPl4(const std::string&) { return "Not yet readable"; }
std::string SimOut::SaveToPl4File(const std::string&, int, const int*) { return "Not yet"; }
