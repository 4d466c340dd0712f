#include "SimOut.h"

std::string SimOut::readComtrade(const std::string&) { return "Not yet readable"; }
void SimOut::PrefixFromUnit(int, std::string&, const std::string&, const std::string&) {}
