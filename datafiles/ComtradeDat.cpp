#include "ComtradeDat.h"

#include "Ascii.h"
#include "ByteOrder.h"
#include "ComtradeCfg.h"
#include "ComtradeText.h"
#include "FileAccess.h"

#include <algorithm>
#include <filesystem>

namespace comtrade {

namespace {

constexpr std::size_t kBlockBytes = std::size_t{8} << 20;
// Samples converted per pass over the channels, so a tile stays in cache.
constexpr std::size_t kTile = 512;

// Converts n whole records at rec into columns col.. of every row.
void decodeRecords(const unsigned char* rec, std::size_t n, std::size_t col, const DatLayout& l,
                   float* const* rows) {
    const auto size = static_cast<std::size_t>(l.recordBytes());
    for (std::size_t s0 = 0; s0 < n; s0 += kTile) {
        const std::size_t m = std::min(kTile, n - s0);
        const unsigned char* base = rec + s0 * size;
        float* t = rows[0] + col + s0;
        for (std::size_t s = 0; s < m; ++s)
            t[s] = static_cast<float>(loadLeU32(base + s * size + 4) * l.secondsPerTick);
        for (int i = 0; i < l.nAnalog; ++i) {
            float* r = rows[1 + i] + col + s0;
            const unsigned char* p = base + 8 + 2 * i;
            const double a = l.scale[i], b = l.offset[i];
            for (std::size_t s = 0; s < m; ++s) {
                const auto v = static_cast<std::int16_t>(loadLeU16(p + s * size));
                r[s] = static_cast<float>(v * a + b);
            }
        }
        const unsigned char* words = base + 8 + 2 * l.nAnalog;
        for (int k = 0; k < l.nDigital; ++k) {
            float* r = rows[1 + l.nAnalog + k] + col + s0;
            const unsigned char* p = words + 2 * (k / 16);
            const int bit = k % 16;
            for (std::size_t s = 0; s < m; ++s)
                r[s] = static_cast<float>((loadLeU16(p + s * size) >> bit) & 1);
        }
    }
}

// Reads the next comma-separated number of a DAT line; p becomes null after
// the line's last field.
bool nextValue(const char*& p, const char* end, double& v) {
    if (!p) return false;
    while (p < end && isBlank(*p))
        ++p;
    const char* q = numtext::parseFiniteNumber(p, end, v);
    if (!q) return false;
    while (q < end && isBlank(*q))
        ++q;
    if (q == end) {
        p = nullptr;
        return true;
    }
    if (*q != ',') return false;
    p = q + 1;
    return true;
}

} // namespace

std::string findDatFile(const std::string& cfgPath) {
    namespace fs = std::filesystem;
    const fs::path cfg(cfgPath);
    const std::string name = cfg.filename().string();
    if (name.size() < 3) return {};
    const std::string stem = name.substr(0, name.size() - 3);
    const fs::path dir = cfg.parent_path();

    // First the CFG extension's own case ("x.Cfg" -> "x.Dat"), then the usual two.
    std::string mirrored = "DAT";
    for (int i = 0; i < 3; ++i)
        if (lowerAscii(name[name.size() - 3 + i]) == name[name.size() - 3 + i])
            mirrored[i] = lowerAscii(mirrored[i]);
    for (const std::string& ext : {mirrored, std::string("DAT"), std::string("dat")}) {
        const std::string candidate = (dir / (stem + ext)).string();
        if (isRegularFile(candidate)) return candidate;
    }

    std::error_code ec;
    std::string found;
    for (fs::directory_iterator it(dir.empty() ? fs::path(".") : dir, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        if (entry.size() != name.size() || entry.compare(0, stem.size(), stem) != 0) continue;
        std::string ext = entry.substr(stem.size());
        for (char& ch : ext)
            ch = lowerAscii(ch);
        if (ext != "dat" || !isRegularFile((dir / entry).string())) continue;
        if (found.empty() || entry < found) found = entry;
    }
    return found.empty() ? std::string() : (dir / found).string();
}

std::string datSizeProblem(const InputFile& f, const DatLayout& l, bool binary,
                           std::int64_t nPoints) {
    const std::int64_t fileSize = f.size();
    if (binary) {
        const std::int64_t whole = fileSize / l.recordBytes();
        return nPoints > whole ? rowError("DAT", whole + 1) : std::string();
    }
    // A last line may lack its line feed.
    if (nPoints <= (fileSize + 1) / l.minLineBytes()) return {};
    std::string reason = readAsciiDat(f, l, nPoints, nullptr);
    return reason.empty() ? rowError("DAT", nPoints) : reason;
}

std::string readBinaryDat(const InputFile& f, const DatLayout& l, std::int64_t nPoints,
                          float* const* rows) {
    const auto size = static_cast<std::size_t>(l.recordBytes());
    const std::size_t perBlock = std::max<std::size_t>(1, kBlockBytes / size);
    std::vector<unsigned char> block(std::min<std::size_t>(perBlock, nPoints) * size);
    for (std::size_t done = 0; done < static_cast<std::size_t>(nPoints);) {
        const std::size_t want = std::min<std::size_t>(perBlock, nPoints - done);
        const auto at = static_cast<std::int64_t>(done * size);
        const std::size_t whole = f.readAt(at, block.data(), want * size) / size;
        decodeRecords(block.data(), whole, done, l, rows);
        if (whole < want) return rowError("DAT", static_cast<std::int64_t>(done + whole + 1));
        done += want;
    }
    return {};
}

// Recorders may put an empty line between samples; rows in messages are the
// file's lines, counted from 1.
std::string readAsciiDat(const InputFile& f, const DatLayout& l, std::int64_t nPoints,
                         float* const* rows) {
    LineReader lines(f, 0, kBlockBytes);
    std::int64_t row = 0;
    for (std::int64_t j = 0; j < nPoints; ++j) {
        std::string_view text;
        do {
            if (lines.next(text) != LineReader::Status::line) return rowError("DAT", row + 1);
            ++row;
        } while (trimBlanks(text).empty());
        const char* p = text.data();
        const char* end = p + text.size();
        double n = 0, v = 0;
        if (!nextValue(p, end, n) || !nextValue(p, end, v)) return rowError("DAT", row);
        if (!rows) {
            for (int i = 0; i < l.nAnalog + l.nDigital; ++i)
                if (!nextValue(p, end, v)) return rowError("DAT", row);
            continue;
        }
        rows[0][j] = static_cast<float>(v * l.secondsPerTick);
        for (int i = 0; i < l.nAnalog; ++i) {
            if (!nextValue(p, end, v)) return rowError("DAT", row);
            rows[1 + i][j] = static_cast<float>(v * l.scale[i] + l.offset[i]);
        }
        for (int k = 0; k < l.nDigital; ++k) {
            if (!nextValue(p, end, v)) return rowError("DAT", row);
            rows[1 + l.nAnalog + k][j] = static_cast<float>(v);
        }
    }
    return {};
}

} // namespace comtrade
