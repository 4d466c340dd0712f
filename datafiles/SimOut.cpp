#include "SimOut.h"

std::string SimOut::LoadFromAdfFile(const std::string& fileName) {
    return loadFresh([&](SimOut& s) { return s.readAdf(fileName); });
}

std::string SimOut::LoadFromPl4File(const std::string& fileName) {
    return loadFresh([&](SimOut& s) { return s.readPl4(fileName); });
}

std::string SimOut::LoadFromComtradeFile(const std::string& cfgFileName) {
    return loadFresh([&](SimOut& s) { return s.readComtrade(cfgFileName); });
}

std::string SimOut::LoadFromMatFile(const std::string& fileName) {
    return loadFresh([&](SimOut& s) { return s.readMat(fileName); });
}
