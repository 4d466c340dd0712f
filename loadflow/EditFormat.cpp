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

std::string X(int n) {
    return std::string(static_cast<std::size_t>(std::max(n, 0)), ' ');
}

std::string A(std::string_view text, int w) {
    std::string s(text.substr(0, static_cast<std::size_t>(std::max(w, 0))));
    s.resize(static_cast<std::size_t>(std::max(w, 0)), ' ');
    return s;
}

std::string Aright(std::string_view text, int w) {
    if (static_cast<int>(text.size()) >= w) return std::string(text.substr(0, w));
    return padLeft(std::string(text), w);
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
    std::string s(static_cast<std::size_t>(width), ' ');
    for (int i = 0; i < width; ++i) {
        std::size_t at = static_cast<std::size_t>(first - 1 + i);
        if (at < record.size()) s[static_cast<std::size_t>(i)] = record[at];
    }
    return s;
}

} // namespace lf
