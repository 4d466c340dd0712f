#include "AdfNumber.h"

#include <charconv>
#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace adf {

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

bool startsNumberChar(char c) {
    return c != '+' && c != '-';
}

} // namespace

std::optional<float> parseFloatGeneral(std::string_view token) {
    const char* p = token.data();
    const char* end = p + token.size();
    float v;
    // from_chars takes no '+'; "%f" takes one, but not "+-1".
    if (p != end && *p == '+' && end - p > 1 && startsNumberChar(p[1])) ++p;
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

char* formatFloat(char* out, float v) {
    return std::to_chars(out, out + 32, v).ptr;
}

} // namespace adf
