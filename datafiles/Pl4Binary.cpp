// Binary PL4 layout: marker 0x84, date and time, a block of 32-bit header
// words, 16-byte variable records, then the samples point after point.

#include "ByteOrder.h"
#include "FileAccess.h"
#include "Pl4Names.h"
#include "SimOut.h"

#include <string>

namespace {

constexpr std::int64_t kFixedHeader = 76; // marker, 19 date bytes, 14 words
constexpr std::int64_t kRecordBytes = 16;

std::string cutShort(std::int64_t size, std::int64_t needed) {
    return "The PL4 header is cut short: the file has " + std::to_string(size) +
           " bytes, the header needs " + std::to_string(needed);
}

} // namespace

std::string SimOut::LoadFromBinaryPl4(const InputFile& in) {
    const std::int64_t size = in.size();
    unsigned char head[kFixedHeader];
    if (!in.readExactAt(0, head, sizeof head)) return cutShort(size, kFixedHeader);
    pl4Date.assign(reinterpret_cast<const char*>(head) + 1, 9);
    pl4Time.assign(reinterpret_cast<const char*>(head) + 12, 8);
    std::int32_t w[14];
    for (int i = 0; i < 14; ++i)
        w[i] = loadLeI32(head + 20 + 4 * i);

    std::int64_t pos = kFixedHeader;
    if (w[0] > 14) {
        // Further words; the first one marks a harmonic frequency scan.
        const std::int64_t end = pos + 4 * (std::int64_t{w[0]} - 14);
        if (end > size) return cutShort(size, end);
        unsigned char w14[4];
        if (!in.readExactAt(pos, w14, 4)) return cutShort(size, end);
        if (loadLeI32(w14) > 0) pl4RunKind = rkHarmonicScan;
        pos = end;
    }

    const int nOut = w[7] / 2;
    if (nOut < 1)
        return "The PL4 header declares " + std::to_string(nOut) +
               " output variables; at least 1 is needed";
    nVars = nOut + 1;
    if (w[12] < 0)
        return "The PL4 header declares " + std::to_string(w[12]) + " variables per record";
    const std::int64_t perRecord = w[12] == 0 ? 1 : w[12];
    const bool scan = w[10] > 1;
    fsFlag = w[10];
    fsForm = static_cast<std::uint8_t>(w[11] & 0xFF);
    if (scan && pl4RunKind != rkHarmonicScan) pl4RunKind = rkFrequencyScan;

    const std::int64_t nRecords = (nOut + perRecord - 1) / perRecord;
    const std::int64_t recordsEnd = pos + nRecords * kRecordBytes;
    if (recordsEnd > size) return cutShort(size, recordsEnd);
    const std::int64_t start = std::int64_t{w[8]} - 1;
    if (start < recordsEnd || start > size)
        return "The PL4 header places the samples at byte " + std::to_string(start) +
               ", outside the file's " + std::to_string(size) +
               " bytes or inside its header (which ends at byte " + std::to_string(recordsEnd) +
               ")";

    const std::int64_t headerPoints =
        (size - (nVars / perRecord) * kRecordBytes - w[13] - 60) / (std::int64_t{4} * nVars);
    if (std::string r = readPl4Samples(in, start, headerPoints); !r.empty()) return r;

    std::string records(static_cast<std::size_t>(nRecords * kRecordBytes), '\0');
    if (!in.readExactAt(pos, records.data(), records.size())) return cutShort(size, recordsEnd);
    names.assign(static_cast<std::size_t>(nVars), std::string());
    names[0] = scan ? "f" : "t";
    for (std::int64_t r = 0; r < nRecords; ++r) {
        const auto index = static_cast<std::size_t>(1 + r * perRecord);
        names[index] = pl4NameFromRecord(records.data() + r * kRecordBytes);
        if (scan) pl4DeriveScanNames(names, index, w[11]);
    }
    return {};
}
