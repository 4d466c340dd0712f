// PL4 files: telling the binary layout from the C-like one, and the sample
// block that both share.

#include "FileAccess.h"
#include "Pl4Samples.h"
#include "SimOut.h"

#include <algorithm>
#include <climits>
#include <new>
#include <stdexcept>

namespace {

constexpr unsigned char kBinaryMarker = 0x84;
constexpr const char* kNoMemory = "Unable to allocate space for data storage";

} // namespace

std::string SimOut::readPl4(const std::string& fileName) {
    pl4RunKind = rkTimeRun;
    const InputFile in(fileName);
    if (in.status() == InputFile::Status::notRegular)
        return "Not a regular file: a folder or a device cannot be loaded";
    if (!in.isOpen()) return "Unable to open file (does it exist?)";
    fileSize = savedFileSize = in.size();
    if (fileSize == 0) return "The selected file contains no bytes!";
    unsigned char first = 0;
    if (!in.readExactAt(0, &first, 1)) return "Unable to open file (does it exist?)";

    std::string reason;
    try {
        reason = first == kBinaryMarker ? LoadFromBinaryPl4(in) : LoadFromCLikePl4(in);
    } catch (const std::bad_alloc&) {
        reason = kNoMemory;
    } catch (const std::length_error&) {
        reason = kNoMemory;
    }
    fileKind = fkPl4;
    pl4TimeRun = pl4RunKind == rkTimeRun;
    xFromFile = true;
    return reason;
}

std::string SimOut::readPl4Samples(const InputFile& in, std::int64_t start,
                                   std::int64_t headerPoints) {
    const std::int64_t pointBytes = std::int64_t{4} * nVars;
    const std::int64_t room = start >= 0 && start <= in.size() ? in.size() - start : 0;
    // The header's count is only an estimate; the samples present decide.
    const std::int64_t points = std::min(headerPoints, room / pointBytes);
    if (points <= 0)
        return "The file holds no sample points (" + std::to_string(nVars) +
               " variables of 4 bytes each; " + std::to_string(room) + " bytes after the header)";
    if (points > INT_MAX)
        return "The file holds " + std::to_string(points) + " points, more than " +
               std::to_string(INT_MAX) + " cannot be loaded";

    FMatrix m(nVars, static_cast<long>(points));
    if (!m) return kNoMemory;
    const std::int64_t got = pl4ReadPoints(in, start, nVars, points, m.get());
    if (got <= 0) return "The file holds no sample points (reading the first one failed)";
    nPoints = static_cast<int>(got);
    data = std::move(m);
    return {};
}
