#pragma once
// Field parsing shared by the COMTRADE CFG and ASCII DAT readers: locale-free
// numbers, blanks allowed around a field, nothing else.

#include "NumberText.h"

#include <cmath>
#include <cstdint>
#include <string_view>

namespace comtrade {

inline bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

inline std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// The whole field (blanks aside) is one finite number.
inline bool parseReal(std::string_view field, double& v) {
    const std::string_view s = trimBlanks(field);
    const char* q = numtext::parseFiniteNumber(s.data(), s.data() + s.size(), v);
    return q && q == s.data() + s.size();
}

// The whole field is a whole number (written "1000" or "1000.0").
inline bool parseWhole(std::string_view field, std::int64_t& n) {
    double v = 0;
    if (!parseReal(field, v) || v != std::floor(v) || std::fabs(v) > 9.0e15) return false;
    n = static_cast<std::int64_t>(v);
    return true;
}

} // namespace comtrade
