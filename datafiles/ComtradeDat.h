#pragma once
// The data (DAT) file of a COMTRADE set, ASCII or BINARY, read into one row
// per variable: row 0 the time in seconds, then the analog channels scaled to
// their units, then the digital channels as 0 or 1.

#include <cstdint>
#include <string>
#include <vector>

class InputFile;

namespace comtrade {

struct DatLayout {
    int nAnalog = 0, nDigital = 0;
    double secondsPerTick = 1e-6;
    std::vector<double> scale, offset; // per analog channel, unit factor included

    // BINARY: sample number, time stamp, 16-bit analogs, digital words of 16 bits.
    std::int64_t recordBytes() const { return 8 + 2 * nAnalog + 2 * ((nDigital + 15) / 16); }
    // ASCII: the shortest line holding every field ("0,0,...,0\n").
    std::int64_t minLineBytes() const { return 2 * (std::int64_t{nAnalog} + nDigital + 2); }
};

// The data file beside the CFG file: the CFG name with its last three
// characters replaced by "DAT" in any case; empty when there is none.
std::string findDatFile(const std::string& cfgPath);

// Why the DAT file is too short for nPoints samples; empty when it can hold
// them. An ASCII file too short for them is scanned for the row that fails.
std::string datSizeProblem(const InputFile& f, const DatLayout& layout, bool binary,
                           std::int64_t nPoints);

// Fill rows[0 .. 1+nAnalog+nDigital) with nPoints samples; empty text on
// success. Null rows only check the ASCII lines.
std::string readBinaryDat(const InputFile& f, const DatLayout& layout, std::int64_t nPoints,
                          float* const* rows);
std::string readAsciiDat(const InputFile& f, const DatLayout& layout, std::int64_t nPoints,
                         float* const* rows);

} // namespace comtrade
