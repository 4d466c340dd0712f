#pragma once
// Fixed byte orders of the binary formats, independent of the machine's:
// PL4, COMTRADE and MAT store little-endian words; MAT files may also be
// big-endian.

#include <cstdint>
#include <string>

inline std::uint16_t loadLeU16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

inline std::uint32_t loadLeU32(const unsigned char* p) {
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
           std::uint32_t{p[3]} << 24;
}

inline std::int32_t loadLeI32(const unsigned char* p) {
    return static_cast<std::int32_t>(loadLeU32(p));
}

inline std::uint32_t loadBeU32(const unsigned char* p) {
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 |
           std::uint32_t{p[3]};
}

inline void storeLeU32(unsigned char* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<unsigned char>(v >> (8 * i));
}

inline void appendLeU32(std::string& out, std::uint32_t v) {
    unsigned char b[4];
    storeLeU32(b, v);
    out.append(reinterpret_cast<const char*>(b), 4);
}
