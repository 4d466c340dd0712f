// ADF files: a header row, a row of variable names, then one row of numbers
// per sample. The reader makes two passes over the file in blocks (count the
// rows, then parse), so the matrix is allocated once and the file is never
// held in memory.

#include "AdfScan.h"
#include "FileAccess.h"
#include "NumberText.h"
#include "SimOut.h"

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <new>
#include <optional>
#include <stdexcept>

namespace {

struct Abscissa {
    bool generated = false;
    double step = 0;
    std::string name;
};

// Row 1 starting with a number gives a generated abscissa of that step,
// named by the word after the number; anything else is a comment.
Abscissa parseRow1(std::string row) {
    row = row.substr(0, std::min(row.find("//"), row.find('%')));
    const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    std::size_t i = 0;
    while (i < row.size() && isBlank(row[i]))
        ++i;
    const auto number = numtext::parseLeadingNumber(std::string_view(row).substr(i));
    if (!number || !(std::fabs(number->value) <= FLT_MAX)) return {};
    i += number->length;
    while (i < row.size() && isBlank(row[i]))
        ++i;
    std::size_t end = i;
    while (end < row.size() && !isBlank(row[end]))
        ++end;
    return {true, number->value, end > i ? row.substr(i, end - i) : std::string("X_(auto)")};
}

// Numbers of row 3 up to its first word that is not one; the values beyond
// nCols are counted, not kept. Leaves the stream at row 4.
std::int64_t readRow3(adf::TokenStream& ts, std::size_t nCols, std::vector<float>& values) {
    std::int64_t count = 0;
    bool numeric = true;
    std::string_view token;
    for (;;) {
        const auto kind = ts.next(token, true);
        if (kind == adf::TokenStream::Kind::lineEnd || kind == adf::TokenStream::Kind::end) break;
        if (!numeric) continue;
        const auto v =
            kind == adf::TokenStream::Kind::token ? numtext::parseFloat(token) : std::nullopt;
        numeric = v.has_value();
        if (!numeric) continue;
        if (values.size() < nCols) values.push_back(*v);
        ++count;
    }
    return count;
}

// Points 1 on, value after value; line ends separate like blanks. Returns the
// number of points read (including point 0).
// Columns holding an infinity are flagged in `infinite`.
std::int64_t readSamples(adf::TokenStream& ts, float* const* rows, std::size_t nCols,
                         std::int64_t nAlloc, std::vector<char>& infinite) {
    float v;
    for (std::int64_t p = 1; p < nAlloc; ++p) {
        for (std::size_t c = 0; c < nCols; ++c) {
            if (!ts.nextNumber(v)) return p;
            rows[c][p] = v;
            if (std::isinf(v)) infinite[c] = 1;
        }
    }
    return nAlloc;
}

// A diverging run writes values far beyond the float range; they load as
// infinities of their sign, and the user learns which variables hold them.
std::string infiniteNames(const std::vector<std::string>& names,
                          const std::vector<char>& infinite) {
    std::string list;
    for (std::size_t c = 0; c < infinite.size(); ++c)
        if (infinite[c]) list += (list.empty() ? "" : ", ") + names[c];
    return list;
}

std::string row3Mismatch(std::int64_t count, std::size_t nNames) {
    return "The Number of numerical values present in row 3 is " + std::to_string(count) +
           "; this is not consistent\nwith the number of variable names read from row 2 (" +
           std::to_string(nNames) + ")";
}

// Every value takes a character and all but the last a separator after it,
// so the bytes from row 3 on bound the number of points the file can hold.
std::int64_t pointsTheFileCanHold(std::int64_t bytesFromRow3, std::size_t nCols) {
    return (bytesFromRow3 + 1) / (2 * static_cast<std::int64_t>(nCols));
}

// k times the step in double: summing a float step drifts by whole steps
// over long files.
void fillAbscissa(float* row, std::int64_t n, double step) {
    for (std::int64_t k = 0; k < n; ++k)
        row[k] = static_cast<float>(static_cast<double>(k) * step);
}

// A name as one word of row 2: no separator inside, never empty.
std::string adfWord(std::string name, int index) {
    if (name.empty()) return "x" + std::to_string(index);
    const adf::Separators sep(true);
    std::replace_if(
        name.begin(), name.end(), [&](char c) { return sep(c); }, '_');
    return name;
}

// Each value as the shortest text that reads back to the same float,
// followed by a tab; one row per point.
void writeSamples(OutputFile& out, const SimOut& s, int nSel, const int* indices) {
    std::vector<char> buf(adf::kBlockSize + 64);
    std::size_t used = 0;
    for (int p = 0; p < s.nPoints; ++p) {
        for (int k = 0; k < nSel; ++k) {
            char* end = numtext::formatFloat(buf.data() + used, s.data[indices[k]][p]);
            *end++ = '\t';
            used = static_cast<std::size_t>(end - buf.data());
            if (used >= adf::kBlockSize) {
                out.write(buf.data(), used);
                used = 0;
            }
        }
        buf[used++] = '\n';
    }
    out.write(buf.data(), used);
}

} // namespace

std::string SimOut::readAdf(const std::string& fileName) try {
    const InputFile f(fileName);
    if (!f.isOpen()) return "Unable to open file (does it exist?)";
    const adf::Separators sep(commaSeparators);
    const adf::Layout lay = adf::scanLayout(f, sep);
    const Abscissa x = parseRow1(lay.row1);
    std::vector<std::string> words = adf::splitWords(lay.row2, sep);
    if (words.empty() || words.size() >= INT_MAX)
        return "Invalid file structure (invalid row of variable names)";
    const std::size_t nCols = words.size();

    adf::TokenStream ts(f, lay.row3Start, sep);
    std::vector<float> first;
    const std::int64_t count = readRow3(ts, nCols, first);
    if (count != static_cast<std::int64_t>(nCols)) return row3Mismatch(count, nCols);

    const std::int64_t counted = 1 + lay.rowsAfterRow3;
    const std::int64_t nAlloc = std::min<std::int64_t>(
        {counted, pointsTheFileCanHold(f.size() - lay.row3Start, nCols), INT_MAX});
    const int nv = static_cast<int>(nCols) + (x.generated ? 1 : 0);
    FMatrix m(nv, static_cast<long>(nAlloc));
    if (!m) return "Unable to allocate memory for variables";
    if (x.generated) fillAbscissa(m[0], nAlloc, x.step);
    float* const* fileRows = m.get() + (x.generated ? 1 : 0);
    std::vector<char> infinite(nCols, 0);
    for (std::size_t c = 0; c < nCols; ++c) {
        fileRows[c][0] = first[c];
        if (std::isinf(first[c])) infinite[c] = 1;
    }
    const std::int64_t read = readSamples(ts, fileRows, nCols, nAlloc, infinite);
    if (read < counted) {
        if (read == 1)
            return "Only a single row of data was successfully read\nthat is considered "
                   "insufficient to proceed";
        warning("Warning reading file \"" + fileName + "\"",
                "The selected Data File contains only " + std::to_string(read) +
                    " points\nthat is not consistent with a number of rows of " +
                    std::to_string(counted + 2));
    }

    const std::string beyond = infiniteNames(words, infinite);
    if (!beyond.empty())
        warning("Warning reading file \"" + fileName + "\"",
                "Values too large for single precision were loaded as infinite (with their "
                "sign)\nin the variables: " +
                    beyond);
    if (x.generated) words.insert(words.begin(), x.name);
    names = std::move(words);
    data = std::move(m);
    nVars = nv;
    nPoints = static_cast<int>(read);
    fileKind = fkAdf;
    xFromFile = !x.generated;
    pl4TimeRun = false;
    return {};
} catch (const std::bad_alloc&) {
    return "Unable to allocate memory for variables";
} catch (const std::length_error&) {
    return "Unable to allocate memory for variables";
}

std::string SimOut::SaveToAdfFile(const std::string& fileName, const std::string& header, int nSel,
                                  const int* indices) {
    if (!selectsVariables(nSel, indices)) return "Invalid selection of variables";
    OutputFile out;
    if (!out.open(fileName, "w")) return "Unable to open file";

    // A line end inside the header would turn its rest into the names row.
    std::string row1 = "//" + header;
    std::replace_if(
        row1.begin(), row1.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    row1 += '\n';
    out.write(row1.data(), row1.size());

    makeNamesPlain(false);
    std::string row2;
    for (int k = 0; k < nSel; ++k)
        row2 += adfWord(names[indices[k]], indices[k]) + ' ';
    row2 += '\n';
    out.write(row2.data(), row2.size());

    writeSamples(out, *this, nSel, indices);
    return out.close() ? std::string() : "Error closing file";
}
