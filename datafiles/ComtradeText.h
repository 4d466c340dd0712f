#pragma once
// Field parsing shared by the COMTRADE CFG and ASCII DAT readers: locale-free
// numbers, blanks allowed around a field, nothing else.

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string_view>
#include <system_error>

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

// A finite decimal number at p; a leading '+' is allowed. Returns the end of
// the number, or null when there is none.
inline const char* parseNumber(const char* p, const char* end, double& v) {
    if (p < end && *p == '+' && end - p > 1 && p[1] != '-' && p[1] != '+') ++p;
    // Samples are mostly integers, which parse faster as such.
    std::int64_t whole = 0;
    const auto [w, wec] = std::from_chars(p, end, whole);
    if (wec == std::errc{} && (w == end || (*w != '.' && *w != 'e' && *w != 'E'))) {
        v = static_cast<double>(whole);
        return w;
    }
    const auto [q, ec] = std::from_chars(p, end, v, std::chars_format::general);
    if (ec != std::errc{} || !std::isfinite(v)) return nullptr;
    return q;
}

// The whole field (blanks aside) is one finite number.
inline bool parseReal(std::string_view field, double& v) {
    const std::string_view s = trimBlanks(field);
    const char* q = parseNumber(s.data(), s.data() + s.size(), v);
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
