// Writes selected variables of a time run as a binary PL4 file: marker,
// date and time, 14 header words, one 16-byte record per variable after the
// abscissa, then the samples point after point.

#include "ByteOrder.h"
#include "FileAccess.h"
#include "Pl4Names.h"
#include "SimOut.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

static_assert(std::endian::native == std::endian::little,
              "PL4 samples are written straight from memory as little-endian floats");

namespace {

constexpr std::size_t kChunkBytes = std::size_t{4} << 20;
// W8 = 16 x count + 61 must stay a positive 32-bit word.
constexpr int kMaxVariables = (INT32_MAX - 61) / 16;

std::uint32_t bitsOf(float f) {
    std::uint32_t u;
    std::memcpy(&u, &f, 4);
    return u;
}

std::string fixed(const std::string& s, std::size_t width) {
    std::string f = s.substr(0, width);
    f.resize(width, ' ');
    return f;
}

} // namespace

std::string SimOut::SaveToPl4File(const std::string& fileName, int nSel, const int* indices) {
    if (fileKind == fkPl4 && pl4RunKind != rkTimeRun)
        return "Sorry, output type PL4 not available for Frequency Scan and HFS runs\n"
               "Please, choose ADF or MAT output format.";
    if (nSel < 2 || !indices)
        return "Nothing to write: select at least one variable besides the abscissa";
    if (nSel > kMaxVariables) return "Too many variables for one PL4 file";
    if (const int* bad = firstUnknownIndex(nSel, indices))
        return "Invalid variable index " + std::to_string(*bad);
    const std::int64_t points = data ? std::max(nPoints, 0) : 0;

    // The last abscissa value and the step exist only with 1 and 2 points.
    const float last = points >= 1 ? data[0][points - 1] : 0.0f;
    const float step = points >= 2 ? data[0][1] - data[0][0] : 0.0f;
    const std::uint32_t count = static_cast<std::uint32_t>(nSel);
    const std::uint32_t words[14] = {
        14, 0, 0, 0, bitsOf(last), bitsOf(step), 0, 2 * count - 2, 16 * count + 61, 0, 1, 0, 1, 0};

    std::string header(1, '\x84');
    header +=
        fileKind == fkPl4 ? fixed(pl4Date, 9) + "  " + fixed(pl4Time, 8) : "11-Nov-18  11.00.00";
    for (std::uint32_t w : words)
        appendLeU32(header, w);
    for (int i = 1; i < nSel; ++i) {
        const Pl4Record r = pl4RecordFromName(names[static_cast<std::size_t>(indices[i])]);
        header.append(r.data(), r.size());
    }

    OutputFile out;
    if (!out.open(fileName, "wb")) return "Unable to open file (does it exist?)";
    out.write(header.data(), header.size());

    std::vector<const float*> rows(static_cast<std::size_t>(nSel));
    for (int i = 0; i < nSel; ++i)
        rows[static_cast<std::size_t>(i)] = data ? data[indices[i]] : nullptr;
    const std::int64_t perChunk =
        std::max<std::int64_t>(1, static_cast<std::int64_t>(kChunkBytes / (4 * count)));
    std::vector<float> buf(static_cast<std::size_t>(std::min(points, perChunk) * nSel));
    for (std::int64_t p0 = 0; !out.writeFailed() && p0 < points; p0 += perChunk) {
        const std::int64_t p1 = std::min(points, p0 + perChunk);
        float* next = buf.data();
        for (std::int64_t p = p0; p < p1; ++p)
            for (const float* row : rows)
                *next++ = row[p];
        out.write(buf.data(), sizeof(float) * static_cast<std::size_t>(next - buf.data()));
    }
    if (out.writeFailed()) return "Error writing file";
    return out.close() ? std::string() : "Error closing file";
}
