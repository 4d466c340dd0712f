#include "ChartNumbers.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace chartnum {

namespace {
char g_separator = '.';
}

char DecimalSeparator() {
    return g_separator;
}

void SetDecimalSeparator(char separator) {
    g_separator = separator;
}

std::string Print(const char* format, double v) {
    char buf[512];
    const int n = std::snprintf(buf, sizeof buf, format, v);
    if (n < 0) return {};
    return std::string(buf, static_cast<std::size_t>(n) < sizeof buf ? n : sizeof buf - 1);
}

std::string SignedExp3(double v) {
    return Print("%+10.3e", v);
}
std::string Exp3(double v) {
    return Print("%10.3e", v);
}

std::string Fixed(double v, int decimals) {
    if (decimals < 0) decimals = 0;
    if (decimals > 20) decimals = 20;
    char buf[400];
    const int n = std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    if (n < 0) return {};
    return std::string(buf, static_cast<std::size_t>(n) < sizeof buf ? n : sizeof buf - 1);
}

int ExponentOf(double v) {
    if (!std::isfinite(v)) return 0;
    const std::string s = Exp3(v);
    const auto e = s.find('e');
    return e == std::string::npos ? 0 : std::atoi(s.c_str() + e + 1);
}

double ReadBack(const std::string& text) {
    return std::strtod(text.c_str(), nullptr);
}

std::string StripTrailingZeros(std::string text) {
    if (text.find('.') == std::string::npos) return text;
    while (!text.empty() && text.back() == '0')
        text.pop_back();
    return text;
}

int DecimalsOf(const std::string& text) {
    const std::string s = StripTrailingZeros(text);
    const auto p = s.find('.');
    return p == std::string::npos ? 0 : static_cast<int>(s.size() - p - 1);
}

namespace {

std::string NonFinite(double v) {
    if (std::isnan(v)) return "NAN";
    return v < 0 ? "-INF" : "INF";
}

// |v| as decimal digits: value = 0.d1d2d3... x 10^(exponent + 1), i.e. the
// exponent of the first digit. Rounding is half away from zero, as the
// framework's formats round (printf rounds ties to even).
struct Decimal {
    std::string digits;
    int exponent = 0;
    bool negative = false;
};

Decimal Exact(double v) {
    Decimal d;
    char buf[96];
    std::snprintf(buf, sizeof buf, "%+.60e", v);
    d.negative = buf[0] == '-';
    for (const char* p = buf + 1; *p && *p != 'e'; ++p)
        if (*p != '.') d.digits += *p;
    const char* e = std::strchr(buf, 'e');
    d.exponent = e ? std::atoi(e + 1) : 0;
    return d;
}

// Keeps n significant digits (n may be 0 or less: rounds at a higher place).
Decimal RoundTo(Decimal d, int n) {
    if (n >= static_cast<int>(d.digits.size())) return d;
    if (n < 0) {
        d.digits = "0";
        return d;
    }
    const bool up = d.digits[n] >= '5';
    d.digits.resize(n);
    if (up) {
        int i = n - 1;
        while (i >= 0 && d.digits[i] == '9')
            d.digits[i--] = '0';
        if (i >= 0) {
            ++d.digits[i];
        } else {
            d.digits.insert(d.digits.begin(), '1');
            ++d.exponent;
            d.digits.pop_back();
            if (n == 0) d.digits = "1";
        }
    }
    if (d.digits.empty()) d.digits = "0";
    return d;
}

Decimal ToDecimal(double v, int precision) {
    return RoundTo(Exact(v), precision);
}

bool IsZero(const Decimal& d) {
    return d.digits.find_first_not_of('0') == std::string::npos;
}

// Fixed-point text of a rounded decimal with exactly `decimals` decimals.
std::string ToFixed(const Decimal& d, int decimals) {
    auto digitAt = [&](int place) { // place 0 = first digit (10^exponent)
        return place >= 0 && place < static_cast<int>(d.digits.size()) ? d.digits[place] : '0';
    };
    std::string s;
    if (d.exponent < 0) s = "0";
    for (int p = 0; p <= d.exponent; ++p)
        s += digitAt(p);
    if (decimals > 0) {
        s += '.';
        for (int j = 1; j <= decimals; ++j)
            s += digitAt(d.exponent + j);
    }
    if (d.negative && !IsZero(d)) s.insert(s.begin(), '-');
    return s;
}

std::string ExponentPart(int exponent, int minDigits, bool plusSign) {
    std::string s = "E";
    if (exponent < 0)
        s += '-';
    else if (plusSign)
        s += '+';
    std::string n = std::to_string(std::abs(exponent));
    while (static_cast<int>(n.size()) < minDigits)
        n.insert(n.begin(), '0');
    return s + n;
}

// The shown text of a format built with '.'.
std::string Shown(std::string text) {
    std::replace(text.begin(), text.end(), '.', g_separator);
    return text;
}

std::string ExponentText(double v, int precision, int minExpDigits) {
    if (!std::isfinite(v)) return NonFinite(v);
    if (precision < 1) precision = 1;
    if (precision > 18) precision = 18;
    const Decimal d = ToDecimal(v, precision);
    std::string s = d.negative ? "-" : "";
    s += d.digits.substr(0, 1);
    if (d.digits.size() > 1) s += "." + d.digits.substr(1);
    return s + ExponentPart(v == 0 ? 0 : d.exponent, minExpDigits, true);
}

std::string GeneralText(double v, int precision, int minExpDigits) {
    if (!std::isfinite(v)) return NonFinite(v);
    if (v == 0) return "0";
    if (precision < 1) precision = 1;
    if (precision > 18) precision = 18;
    const Decimal d = ToDecimal(v, precision);
    if (d.exponent >= precision || d.exponent < -5) {
        std::string mant = d.digits;
        while (mant.size() > 1 && mant.back() == '0')
            mant.pop_back();
        std::string s = d.negative ? "-" : "";
        s += mant.substr(0, 1);
        if (mant.size() > 1) s += "." + mant.substr(1);
        return s + ExponentPart(d.exponent, minExpDigits, false);
    }
    std::string t = StripTrailingZeros(ToFixed(d, std::max(0, precision - 1 - d.exponent)));
    if (!t.empty() && t.back() == '.') t.pop_back();
    return t;
}

std::string FixedText(double v, int precision, int digits) {
    if (!std::isfinite(v)) return NonFinite(v);
    if (precision < 1) precision = 1;
    if (precision > 18) precision = 18;
    if (digits < 0) digits = 0;
    if (digits > 18) digits = 18;
    if (v == 0) return ToFixed(Decimal{"0", 0, false}, digits);
    const Decimal exact = Exact(v);
    if (RoundTo(exact, precision).exponent + 1 > precision) return GeneralText(v, precision, 0);
    // At most `precision` significant digits and at most `digits` decimals;
    // a rounded zero is shown without a sign (no "-0.0" ticks).
    return ToFixed(RoundTo(exact, std::min(precision, exact.exponent + 1 + digits)), digits);
}

} // namespace

std::string FloatToStrExponent(double v, int precision, int minExpDigits) {
    return Shown(ExponentText(v, precision, minExpDigits));
}

std::string FloatToStrGeneral(double v, int precision, int minExpDigits) {
    return Shown(GeneralText(v, precision, minExpDigits));
}

std::string FloatToStrFixed(double v, int precision, int digits) {
    return Shown(FixedText(v, precision, digits));
}

std::string MyFloatToStrF(float value, int precision) {
    const double v = value;
    std::string s =
        std::fabs(v) > 0.009999 ? GeneralText(v, precision, 3) : ExponentText(v, precision, 2);
    const auto e = s.find('E');
    if (e != std::string::npos) {
        bool zero = true;
        for (std::size_t i = 0; i < e; ++i)
            if (s[i] != '0' && s[i] != '.') zero = false;
        if (zero) s = "0";
    }
    return Shown(s);
}

} // namespace chartnum
