#include "NumberText.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace numtext {

namespace {

// The "C" locale as an object: the rare forms from_chars does not take
// (hexadecimal, values beyond the float range) go through strtod_l with it,
// so the process locale never matters.
locale_t cLocale() {
    static const locale_t loc = newlocale(LC_ALL_MASK, "C", locale_t{});
    return loc;
}

std::optional<float> parseSlow(std::string_view token) {
    const std::string text(token);
    char* end = nullptr;
    const float v = strtof_l(text.c_str(), &end, cLocale());
    if (text.empty() || end != text.c_str() + text.size()) return std::nullopt;
    return v;
}

} // namespace

std::optional<float> parseFloatGeneral(std::string_view token) {
    const char* end = token.data() + token.size();
    const char* p = skipPlusSign(token.data(), end);
    float v;
    const auto r = std::from_chars(p, end, v);
    if (r.ec == std::errc{} && r.ptr == end) return v;
    return parseSlow(token);
}

std::optional<LeadingNumber> parseLeadingNumber(std::string_view text) {
    // strtod would skip white space; the caller has already skipped what it allows.
    if (text.empty() || std::string_view(" \t\n\v\f\r").find(text[0]) != std::string_view::npos)
        return std::nullopt;
    const std::string copy(text);
    char* end = nullptr;
    const double v = strtod_l(copy.c_str(), &end, cLocale());
    if (end == copy.c_str()) return std::nullopt;
    return LeadingNumber{v, static_cast<std::size_t>(end - copy.c_str())};
}

const char* parseFiniteNumber(const char* p, const char* end, double& v) {
    p = skipPlusSign(p, end);
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

char* formatFloat(char* out, float v) {
    return std::to_chars(out, out + 32, v).ptr;
}

} // namespace numtext
