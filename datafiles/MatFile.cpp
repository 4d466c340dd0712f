// Reading Matlab version 4 MAT files: a checking pass over the matrix
// headers (every size tested against the bytes the file holds), then the
// values of every column read in blocks into one row each.

#include "FileAccess.h"
#include "MatFormat.h"
#include "SimOut.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>
#include <stdexcept>

namespace {

struct MatrixInfo {
    std::string name;
    mat4::Type type;
    std::int64_t mrows = 0, ncols = 0;
    std::int64_t valuesAt = 0; // offset of the first value
    std::int64_t present = 0;  // values in the file; below mrows * ncols only for the last
};

struct MatLayout {
    std::vector<MatrixInfo> matrices;
    std::int64_t nVars = 0, nPoints = 0, present = 0;
    std::int64_t abscissa = -1; // variable number of the one-column matrix "t"
    MatHeader lastHeader;
};

constexpr std::size_t kBlock = std::size_t{1} << 20;

std::string at(std::int64_t offset) {
    return " at byte " + std::to_string(offset);
}

std::string readName(const InputFile& f, std::int64_t offset, const MatHeader& h,
                     std::string& name) {
    const std::int64_t nameAt = offset + static_cast<std::int64_t>(mat4::kHeaderSize);
    if (h.namlen < 1 || h.namlen > f.size() - nameAt)
        return "Invalid matrix header" + at(offset) + " (name length " + std::to_string(h.namlen) +
               " does not fit in the file)";
    name.assign(static_cast<std::size_t>(h.namlen), '\0');
    if (!f.readExactAt(nameAt, name.data(), name.size())) return "Unable to read file";
    name.resize(std::strlen(name.c_str()));
    return {};
}

// The checks of one matrix whose header starts at offset.
std::string checkMatrix(const InputFile& f, std::int64_t offset, const MatLayout& lay,
                        MatrixInfo& info, MatHeader& h) {
    unsigned char raw[mat4::kHeaderSize];
    if (!f.readExactAt(offset, raw, sizeof raw)) return "Unable to read file";
    if (auto reason = mat4::decodeType(raw, offset, info.type); !reason.empty()) return reason;
    h = mat4::unpackHeader(raw, info.type.bigEndian);
    if (h.mrows < 0 || h.ncols < 0)
        return "Invalid matrix header" + at(offset) + " (negative number of rows or columns)";
    if (auto reason = readName(f, offset, h, info.name); !reason.empty()) return reason;
    if (info.type.form == 1)
        return "Matrix \"" + info.name + "\" holds text; only numeric matrices can be read";
    if (info.type.form == 2)
        return "Matrix \"" + info.name + "\" is sparse; only full matrices can be read";
    if (h.imagf != 0) return "file format appears to contain complex numbers, that is not allowed";
    if (h.mrows == 0) return "File contains variables having a null number of rows";
    if (!lay.matrices.empty() && h.mrows != lay.nPoints)
        return "File contains variables having different column lengths";
    info.mrows = h.mrows;
    info.ncols = h.ncols;
    info.valuesAt = offset + static_cast<std::int64_t>(mat4::kHeaderSize) + h.namlen;
    const auto size = static_cast<std::int64_t>(mat4::elementSize(info.type.number));
    info.present = std::min(info.mrows * info.ncols, (f.size() - info.valuesAt) / size);
    return {};
}

std::string scanMatrices(const InputFile& f, MatLayout& lay) {
    std::int64_t offset = 0;
    while (f.size() - offset >= static_cast<std::int64_t>(mat4::kHeaderSize)) {
        MatrixInfo info;
        MatHeader h;
        if (auto reason = checkMatrix(f, offset, lay, info, h); !reason.empty()) return reason;
        if (info.ncols == 1 && info.name == "t") lay.abscissa = lay.nVars;
        lay.nPoints = info.mrows;
        lay.nVars += info.ncols;
        lay.present += info.present;
        lay.lastHeader = h;
        if (lay.nVars > INT_MAX) return "File contains more variables than can be loaded";
        const std::int64_t declared = info.mrows * info.ncols;
        lay.matrices.push_back(std::move(info));
        const MatrixInfo& m = lay.matrices.back();
        if (m.present < declared) break; // the file ends inside this matrix
        offset =
            m.valuesAt + declared * static_cast<std::int64_t>(mat4::elementSize(m.type.number));
    }
    if (lay.nVars == 0) return "File contains no variables";
    return {};
}

// Little-endian floats are read straight into their row, with no scratch.
bool readsDirect(const mat4::Type& type) {
    return type.number == mat4::Number::f32 && !type.bigEndian;
}

// Reads `have` values of one column from offset into row, in blocks; what
// the file does not hold is 0.
void readColumn(const InputFile& f, std::int64_t offset, std::int64_t have, std::int64_t mrows,
                const mat4::Type& type, std::vector<unsigned char>& buf, float* row) {
    const std::size_t size = mat4::elementSize(type.number);
    const bool direct = readsDirect(type);
    std::int64_t done = 0;
    while (done < have) {
        const auto n = static_cast<std::size_t>(std::min<std::int64_t>(have - done, kBlock / size));
        void* dst = direct ? static_cast<void*>(row + done) : buf.data();
        const std::size_t got =
            f.readAt(offset + done * static_cast<std::int64_t>(size), dst, n * size) / size;
        if (!direct) mat4::convert(buf.data(), got, type, row + done);
        done += static_cast<std::int64_t>(got);
        if (got < n) break;
    }
    std::fill(row + done, row + mrows, 0.0f);
}

std::int64_t rowOf(std::int64_t k, std::int64_t abscissa) {
    if (abscissa < 0 || k > abscissa) return k;
    return k == abscissa ? 0 : k + 1;
}

void readValues(const InputFile& f, const MatLayout& lay, float* const* rows,
                std::vector<std::string>& names) {
    // One block at most, and no more than the longest converted column
    // present needs: a small file is read without a megabyte of scratch.
    std::int64_t longest = 0;
    for (const MatrixInfo& m : lay.matrices)
        if (!readsDirect(m.type))
            longest =
                std::max(longest, std::min(m.present, m.mrows) *
                                      static_cast<std::int64_t>(mat4::elementSize(m.type.number)));
    std::vector<unsigned char> buf(std::min(kBlock, static_cast<std::size_t>(longest)));
    std::int64_t k = 0;
    for (const MatrixInfo& m : lay.matrices) {
        for (std::int64_t c = 0; c < m.ncols; ++c, ++k) {
            const std::int64_t row = rowOf(k, lay.abscissa);
            names[row] = m.ncols == 1 ? m.name : m.name + "(" + std::to_string(c + 1) + ")";
            const std::int64_t have = std::clamp<std::int64_t>(m.present - c * m.mrows, 0, m.mrows);
            const auto offset =
                m.valuesAt +
                c * m.mrows * static_cast<std::int64_t>(mat4::elementSize(m.type.number));
            readColumn(f, offset, have, m.mrows, m.type, buf, rows[row]);
        }
    }
}

} // namespace

std::string SimOut::readMat(const std::string& fileName) {
    const InputFile f(fileName);
    if (!f.isOpen()) return "Unable to open file in \"LoadFromMatFile\"";
    unsigned char first[4];
    if (!f.readExactAt(0, first, sizeof first)) return "Unable to read file in \"LoadFromMatFile\"";
    // A version 4 type word always has a zero high byte; later formats begin with text.
    if (std::all_of(first, first + 4, [](unsigned char b) { return b != 0; })) {
        warning("Unsupported file structure",
                "The file appears to be written with Matlab version later than 4.0\nThis file "
                "structure is currently unsupported.\nYou can generate in Matlab 5.x a supported "
                "file by saving using the \"V4\"option");
        return "Unsupported File structure";
    }
    return ReadMatMatrices(fileName);
}

std::string SimOut::ReadMatMatrices(const std::string& fileName) try {
    const InputFile f(fileName);
    if (!f.isOpen()) return "Unable to open file";
    MatLayout lay;
    if (auto reason = scanMatrices(f, lay); !reason.empty()) return reason;

    // Zeros may stand in for a cut-off end, but never for more values than
    // the file holds: a header cannot make the load allocate at will.
    const MatrixInfo& last = lay.matrices.back();
    const std::int64_t missing = last.mrows * last.ncols - last.present;
    const std::string cut = "The file ends inside matrix \"" + last.name + "\": only " +
                            std::to_string(last.present) + " of its " +
                            std::to_string(last.mrows * last.ncols) + " values are present";
    if (missing > lay.present) return cut;

    FMatrix m(static_cast<long>(lay.nVars), static_cast<long>(lay.nPoints));
    if (!m) return "Unable to allocate space for data storage";
    std::vector<std::string> nm(static_cast<std::size_t>(lay.nVars));
    readValues(f, lay, m.get(), nm);
    if (missing > 0)
        warning("Warning reading file \"" + fileName + "\"",
                cut + ";\nthe missing values are set to 0");

    names = std::move(nm);
    data = std::move(m);
    nVars = static_cast<int>(lay.nVars);
    nPoints = static_cast<int>(lay.nPoints);
    matHeader = lay.lastHeader;
    fileKind = fkMat;
    pl4TimeRun = false;
    xFromFile = true;
    return {};
} catch (const std::bad_alloc&) {
    return "Unable to allocate space for data storage";
} catch (const std::length_error&) {
    return "Unable to allocate space for data storage";
}
