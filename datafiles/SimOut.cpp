#include "SimOut.h"

#include <algorithm>

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

const int* SimOut::firstUnknownIndex(int nSel, const int* indices) const {
    const auto rows =
        std::min<std::size_t>(static_cast<std::size_t>(std::max(nVars, 0)), names.size());
    for (int k = 0; k < nSel; ++k)
        if (indices[k] < 0 || static_cast<std::size_t>(indices[k]) >= rows) return indices + k;
    return nullptr;
}

bool SimOut::selectsVariables(int nSel, const int* indices) const {
    return nSel >= 1 && indices && data && nPoints >= 1 && !firstUnknownIndex(nSel, indices);
}
