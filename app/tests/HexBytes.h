#pragma once
// Bytes as upper-case hexadecimal pairs separated by spaces, for comparing byte layouts.

#include <cstddef>
#include <cstdint>
#include <string>

inline std::string Hex(const std::uint8_t* p, std::size_t n) {
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    for (std::size_t i = 0; i < n; ++i) {
        if (i) out += ' ';
        out += digits[p[i] >> 4];
        out += digits[p[i] & 15];
    }
    return out;
}
