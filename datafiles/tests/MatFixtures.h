#pragma once
// MAT version 4 fixtures built from the byte layout: a 20-byte little-endian
// header, the name with its zero byte, then the values column after column.

#include "TestFiles.h"

#include <cstdint>
#include <string>
#include <vector>

namespace matfix {

// One matrix header and name; the caller appends the values.
inline testfiles::Bytes& matrix(testfiles::Bytes& b, std::int32_t type, std::int32_t mrows,
                                std::int32_t ncols, const std::string& name) {
    b.i32(type).i32(mrows).i32(ncols).i32(0).i32(static_cast<std::int32_t>(name.size() + 1));
    return b.text(name).u8(0);
}

// A one-column float matrix appended to b.
inline testfiles::Bytes floats(testfiles::Bytes b, const std::string& name,
                               const std::vector<float>& v) {
    matrix(b, 10, static_cast<std::int32_t>(v.size()), 1, name);
    for (float x : v)
        b.f32(x);
    return b;
}

} // namespace matfix
