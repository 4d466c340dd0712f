#pragma once
// Helpers shared by the data-file tests: a scratch folder per test, byte
// buffers in little-endian order, and a recorder for reader warnings.

#include "ScratchFiles.h"
#include "SimOut.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace testfiles {

using testsupport::readFile;
using testsupport::ScratchDir;
using testsupport::writeFile;

// Little-endian byte builder for binary fixtures.
class Bytes {
public:
    Bytes& i32(std::int32_t v) { return raw(&v, 4); }
    Bytes& u16(std::uint16_t v) { return raw(&v, 2); }
    Bytes& i16(std::int16_t v) { return raw(&v, 2); }
    Bytes& u8(std::uint8_t v) { return raw(&v, 1); }
    Bytes& f32(float v) { return raw(&v, 4); }
    Bytes& f64(double v) { return raw(&v, 8); }
    Bytes& text(const std::string& s) { return raw(s.data(), s.size()); }
    // A blank-padded (or cut) fixed-width field.
    Bytes& field(const std::string& s, std::size_t width) {
        std::string f = s.substr(0, width);
        f.resize(width, ' ');
        return text(f);
    }
    Bytes& raw(const void* p, std::size_t n) {
        const auto* b = static_cast<const char*>(p);
        s_.append(b, n);
        return *this;
    }
    const std::string& str() const { return s_; }
    std::size_t size() const { return s_.size(); }

private:
    std::string s_;
};

struct Warning {
    std::string title, text;
};

// Binds a record's warnings to a list the test can inspect.
inline std::vector<Warning>& recordWarnings(SimOut& s) {
    auto* list = new std::vector<Warning>; // owned by the sink below
    auto shared = std::shared_ptr<std::vector<Warning>>(list);
    s.warn = [shared](const std::string& t, const std::string& x) { shared->push_back({t, x}); };
    return *list;
}

// A record holding the given names and rows, as a reader would leave it.
inline SimOut recordOf(std::vector<std::string> names, const std::vector<std::vector<float>>& rows,
                       std::uint8_t kind = fkAdf) {
    SimOut s;
    s.nVars = static_cast<int>(rows.size());
    s.nPoints = static_cast<int>(rows[0].size());
    s.data = FMatrix(s.nVars, s.nPoints);
    for (int v = 0; v < s.nVars; ++v)
        std::copy(rows[v].begin(), rows[v].end(), s.data[v]);
    s.names = std::move(names);
    s.fileKind = kind;
    return s;
}

inline std::uint32_t floatBits(float f) {
    std::uint32_t u = 0;
    std::memcpy(&u, &f, 4);
    return u;
}

} // namespace testfiles
