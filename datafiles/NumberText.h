#pragma once
// Numbers in data-file text, never dependent on the process locale. ADF
// values accept the forms of a C "%f" conversion (leading '+', ".5", "5.",
// "1e-3", inf, nan, hexadecimal); COMTRADE fields only finite decimals.
// Writing gives the shortest text that reads back to the same float.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace numtext {

// from_chars takes no leading '+'; the C conversions take one, but not "+-1".
inline const char* skipPlusSign(const char* p, const char* end) {
    return end - p > 1 && *p == '+' && p[1] != '+' && p[1] != '-' ? p + 1 : p;
}

namespace detail {

inline constexpr double kPow10[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                    1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// Digits from p on into m; returns where they end.
inline const char* readDigits(const char* p, const char* end, std::uint64_t& m) {
    for (; p != end; ++p) {
        const unsigned d = static_cast<unsigned char>(*p) - unsigned{'0'};
        if (d >= 10) break;
        m = m * 10 + d;
    }
    return p;
}

// Plain decimals whose digits make an integer m below 2^52 and whose scale
// k is small, the bulk of any data file. m and 10^k are exact doubles, so
// m * 10^k or m / 10^k is one rounding to double; for k <= 12 that double
// lies farther from every float rounding midpoint than half its own ulp, so
// the float taken from it is the correctly rounded float of the text.
// Returns the end of the number; null for every other form (from_chars
// then decides).
inline const char* parseSimplePrefix(const char* p, const char* end, float& out) {
    const bool negative = p != end && *p == '-';
    if (p != end && (*p == '-' || *p == '+')) ++p;
    std::uint64_t m = 0;
    const char* start = p;
    p = readDigits(p, end, m);
    std::ptrdiff_t digits = p - start, fractionDigits = 0;
    if (p != end && *p == '.') {
        const char* fraction = ++p;
        p = readDigits(p, end, m);
        fractionDigits = p - fraction;
        digits += fractionDigits;
    }
    // 19 digits cannot overflow m.
    if (digits == 0 || digits > 19 || m > (std::uint64_t{1} << 52)) return nullptr;
    std::ptrdiff_t exponent = 0;
    if (p != end && (*p == 'e' || *p == 'E')) {
        ++p;
        const bool negExp = p != end && *p == '-';
        if (p != end && (*p == '-' || *p == '+')) ++p;
        std::uint64_t e = 0;
        start = p;
        p = readDigits(p, end, e);
        if (p == start || p - start > 4) return nullptr;
        exponent = negExp ? -static_cast<std::ptrdiff_t>(e) : static_cast<std::ptrdiff_t>(e);
    }
    const std::ptrdiff_t scale = exponent - fractionDigits;
    double v;
    if (m == 0) {
        v = 0;
    } else if (scale >= 0) {
        if (scale > 15 || static_cast<double>(m) * kPow10[scale] > 0x1p53) return nullptr;
        v = static_cast<double>(m) * kPow10[scale];
    } else {
        if (scale < -12) return nullptr;
        v = static_cast<double>(m) / kPow10[-scale];
    }
    out = static_cast<float>(negative ? -v : v);
    return p;
}

inline bool parseSimple(const char* p, const char* end, float& out) {
    return parseSimplePrefix(p, end, out) == end;
}

} // namespace detail

// Forms the fast path leaves: from_chars, then strtof in the "C" locale.
std::optional<float> parseFloatGeneral(std::string_view token);

// The whole token as a float, or nothing when any of it is not a number.
// Values beyond the float range become +-inf or +-0, as "%f" gives them.
inline std::optional<float> parseFloat(std::string_view token) {
    float v = 0.0f;
    if (detail::parseSimple(token.data(), token.data() + token.size(), v)) return v;
    return parseFloatGeneral(token);
}

// A number at the start of text (after nothing: the caller skips blanks),
// as a double, with the count of characters it took; nothing when the text
// does not begin with a number.
struct LeadingNumber {
    double value;
    std::size_t length;
};
std::optional<LeadingNumber> parseLeadingNumber(std::string_view text);

// Shortest round-trip text of v at out; returns the end. out needs 32 chars.
char* formatFloat(char* out, float v);

// A finite decimal number at p (a leading '+' allowed), as a double; returns
// the end of the number, or null when there is none.
const char* parseFiniteNumber(const char* p, const char* end, double& v);

} // namespace numtext
