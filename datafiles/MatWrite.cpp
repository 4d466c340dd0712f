// Writing Matlab version 4 MAT files: each selected variable as a one-column
// matrix of little-endian floats.

#include "FileAccess.h"
#include "MatFormat.h"
#include "SimOut.h"

#include <bit>
#include <set>

namespace {

// Two variables of one name would overwrite each other in Matlab's
// workspace: later ones get "_2", "_3", ... appended.
std::vector<std::string> uniqueNames(std::vector<std::string> names) {
    const std::set<std::string> given(names.begin(), names.end());
    std::set<std::string> used;
    for (std::string& name : names) {
        if (used.insert(name).second) continue;
        for (int k = 2;; ++k) {
            std::string candidate = name + "_" + std::to_string(k);
            if (!given.count(candidate) && used.insert(candidate).second) {
                name = std::move(candidate);
                break;
            }
        }
    }
    return names;
}

} // namespace

std::string SimOut::SaveToMatFile(const std::string& fileName, int nSel, const int* indices) {
    static_assert(std::endian::native == std::endian::little, "MAT samples are written as stored");
    if (!selectsVariables(nSel, indices)) return "Invalid selection of variables";
    // Little-endian full float32 matrices. The O digit is reserved and must stay
    // 0: other readers refuse 110.
    matHeader = MatHeader{10, nPoints, 1, 0, 0};
    OutputFile out;
    if (!out.open(fileName, "w+b")) return "Unable to open file";

    makeNamesPlain(true);
    // Every kind ends as Matlab identifiers: COMTRADE and MAT names need not be.
    MakeMatNames();
    std::vector<std::string> outNames;
    for (int k = 0; k < nSel; ++k)
        outNames.push_back(names[indices[k]]);
    outNames = uniqueNames(std::move(outNames));

    for (int k = 0; k < nSel; ++k) {
        matHeader.namlen = static_cast<std::int32_t>(outNames[k].size() + 1);
        const auto header = mat4::packHeader(matHeader);
        out.write(header.data(), header.size());
        out.write(outNames[k].c_str(), outNames[k].size() + 1);
        out.write(data[indices[k]], sizeof(float) * static_cast<std::size_t>(nPoints));
    }
    return out.close() ? std::string() : "Error closing file";
}
