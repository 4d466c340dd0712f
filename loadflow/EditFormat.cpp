#include "EditFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace lf {

namespace {

std::string stars(int w) {
    return std::string(static_cast<std::size_t>(std::max(w, 0)), '*');
}

std::string padLeft(const std::string& s, int w) {
    if (static_cast<int>(s.size()) >= w) return s;
    return std::string(static_cast<std::size_t>(w) - s.size(), ' ') + s;
}

bool continuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// Length in bytes of the character that starts at text[at]: a well-formed
// UTF-8 sequence (no overlong forms, surrogates or values past U+10FFFF), or
// else the single byte.
std::size_t charLength(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t k) {
        return at + k < text.size() ? static_cast<unsigned char>(text[at + k]) : 0u;
    };
    const unsigned c = byte(0);
    std::size_t n = 1;
    unsigned lo = 0x80, hi = 0xBF; // range of the second byte
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        if (c == 0xE0) lo = 0xA0;
        if (c == 0xED) hi = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        if (c == 0xF0) lo = 0x90;
        if (c == 0xF4) hi = 0x8F;
    } else {
        return 1;
    }
    if (byte(1) < lo || byte(1) > hi) return 1;
    for (std::size_t k = 2; k < n; ++k)
        if (!continuation(static_cast<unsigned char>(byte(k)))) return 1;
    return n;
}

// Blanks appended up to w characters.
std::string padRight(std::string_view s, int w) {
    std::string r(s);
    r.append(static_cast<std::size_t>(std::max(w - charCount(s), 0)), ' ');
    return r;
}

std::string nonFinite(double v, int w) {
    std::string s;
    if (std::isnan(v))
        s = "NaN";
    else if (v > 0)
        s = w >= 8 ? "Infinity" : "Inf";
    else
        s = w >= 9 ? "-Infinity" : "-Inf";
    return s;
}

// The digits of a fixed-point number; the leading zero of a magnitude below
// one is dropped when only that makes the number fit.
std::string fixedText(double v, int d, int w) {
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.*f", d, v);
    std::string s = buf;
    if (static_cast<int>(s.size()) > w) {
        if (s.rfind("0.", 0) == 0)
            s.erase(0, 1);
        else if (s.rfind("-0.", 0) == 0)
            s.erase(1, 1);
    }
    return s;
}

} // namespace

int charCount(std::string_view text) {
    int n = 0;
    for (std::size_t at = 0; at < text.size(); at += charLength(text, at))
        ++n;
    return n;
}

std::string_view leftChars(std::string_view text, int n) {
    std::size_t at = 0;
    for (int k = 0; k < n && at < text.size(); ++k)
        at += charLength(text, at);
    return text.substr(0, at);
}

std::string X(int n) {
    return std::string(static_cast<std::size_t>(std::max(n, 0)), ' ');
}

std::string A(std::string_view text, int w) {
    return padRight(leftChars(text, w), w);
}

std::string Aright(std::string_view text, int w) {
    const std::string_view s = leftChars(text, w);
    return X(w - charCount(s)) + std::string(s);
}

std::string F(double value, int w, int d) {
    std::string s = std::isfinite(value) ? fixedText(value, d, w) : nonFinite(value, w);
    if (static_cast<int>(s.size()) > w) return stars(w);
    return padLeft(s, w);
}

std::string I(long long value, int w) {
    std::string s = std::to_string(value);
    if (static_cast<int>(s.size()) > w) return stars(w);
    return padLeft(s, w);
}

std::string Fwide(double value, int w, int d) {
    std::string s = std::isfinite(value) ? fixedText(value, d, w) : nonFinite(value, w);
    if (static_cast<int>(s.size()) > w) return " " + s;
    return padLeft(s, w);
}

std::string Iwide(long long value, int w) {
    std::string s = std::to_string(value);
    if (static_cast<int>(s.size()) > w) return " " + s;
    return padLeft(s, w);
}

std::string listReal(double value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%23.15E", value);
    return buf;
}

std::optional<double> readF(std::string_view field, int d) {
    std::string s;
    for (char c : field)
        if (c != ' ') s += c;
    if (s.empty()) return 0.0;

    std::size_t p = 0;
    std::string mant;
    if (s[p] == '+' || s[p] == '-') mant += s[p++];
    std::string digits;
    bool point = false;
    int fracDigits = 0;
    for (; p < s.size(); ++p) {
        char c = s[p];
        if (c >= '0' && c <= '9') {
            digits += c;
            if (point) ++fracDigits;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (digits.empty()) return std::nullopt;

    long exponent = 0;
    if (p < s.size()) {
        char c = s[p];
        if (c == 'E' || c == 'e' || c == 'D' || c == 'd')
            ++p;
        else if (c != '+' && c != '-')
            return std::nullopt;
        std::string e;
        if (p < s.size() && (s[p] == '+' || s[p] == '-')) e += s[p++];
        std::size_t start = p;
        for (; p < s.size() && s[p] >= '0' && s[p] <= '9'; ++p)
            e += s[p];
        if (p == start || p != s.size() || p - start > 6) return std::nullopt;
        exponent = std::strtol(e.c_str(), nullptr, 10);
    }
    // The digits as an integer, scaled by the decimals and the exponent.
    exponent -= point ? fracDigits : d;
    std::string text = mant + digits + "e" + std::to_string(exponent);
    double v = std::strtod(text.c_str(), nullptr);
    if (!std::isfinite(v)) return std::nullopt;
    return v;
}

std::string column(std::string_view record, int first, int width) {
    const std::string_view before = leftChars(record, first - 1);
    return A(record.substr(before.size()), width);
}

} // namespace lf
