#include "NumericText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace {

char g_decimalSeparator = '.';

// A positive finite value as decimal digits d0 d1 d2 ... (no leading zero) and the power of
// ten of d0.
struct SDecimal {
    std::string digits;
    int exponent = 0;
};

// All the digits of the value: every float, and so its widening, has a finite decimal
// expansion of at most about 110 significant digits.
SDecimal ExactDigits(double magnitude) {
    char buffer[256];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                std::chars_format::scientific, 160);
    std::string_view text(buffer, static_cast<size_t>(result.ptr - buffer));
    size_t e = text.find('e');
    SDecimal decimal;
    decimal.digits += text[0];
    if (e > 2) decimal.digits.append(text.substr(2, e - 2));
    std::string_view exponent = text.substr(e + 1);
    if (exponent.front() == '+') exponent.remove_prefix(1);
    std::from_chars(exponent.data(), exponent.data() + exponent.size(), decimal.exponent);
    return decimal;
}

// Keeps `count` significant digits, rounding halves away from zero (the digits are exact,
// so a following digit of 5 or more means at least a half).
SDecimal Round(SDecimal decimal, int count) {
    size_t keep = static_cast<size_t>(count);
    if (decimal.digits.size() <= keep) {
        decimal.digits.resize(keep, '0');
        return decimal;
    }
    bool up = decimal.digits[keep] >= '5';
    decimal.digits.resize(keep);
    if (up) {
        size_t i = keep;
        while (i > 0 && decimal.digits[i - 1] == '9')
            decimal.digits[--i] = '0';
        if (i == 0) {
            decimal.digits.insert(decimal.digits.begin(), '1');
            decimal.digits.pop_back();
            ++decimal.exponent;
        } else {
            ++decimal.digits[i - 1];
        }
    }
    return decimal;
}

void AppendExponent(std::string& out, int exponent, int minWidth) {
    out += 'E';
    out += exponent < 0 ? '-' : '+';
    std::string magnitude = std::to_string(std::abs(exponent));
    if (static_cast<int>(magnitude.size()) < minWidth)
        out.append(static_cast<size_t>(minWidth) - magnitude.size(), '0');
    out += magnitude;
}

// d.dddE+dd with all `digits` digits kept.
std::string ExponentForm(const SDecimal& d, char separator) {
    std::string out(1, d.digits[0]);
    if (d.digits.size() > 1) {
        out += separator;
        out.append(d.digits, 1);
    }
    AppendExponent(out, d.exponent, 2);
    return out;
}

std::string GeneralForm(SDecimal d, int digits, int exponentDigits, char separator) {
    while (d.digits.size() > 1 && d.digits.back() == '0')
        d.digits.pop_back();
    std::string out;
    if (d.exponent >= digits || d.exponent < -5) {
        out += d.digits[0];
        if (d.digits.size() > 1) {
            out += separator;
            out.append(d.digits, 1);
        }
        AppendExponent(out, d.exponent, exponentDigits);
    } else if (d.exponent >= 0) {
        size_t integerDigits = static_cast<size_t>(d.exponent) + 1;
        if (d.digits.size() < integerDigits) d.digits.resize(integerDigits, '0');
        out.append(d.digits, 0, integerDigits);
        if (d.digits.size() > integerDigits) {
            out += separator;
            out.append(d.digits, integerDigits);
        }
    } else {
        out += '0';
        out += separator;
        out.append(static_cast<size_t>(-d.exponent - 1), '0');
        out += d.digits;
    }
    return out;
}

// A text in exponent form whose mantissa holds only zeros and separators is "0".
std::string ApplyZeroRule(std::string text) {
    size_t e = text.find('E');
    if (e != std::string::npos &&
        std::all_of(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(e),
                    [](char c) { return c == '0' || c == '.' || c == ','; }))
        return "0";
    return text;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

char DecimalSeparator() {
    return g_decimalSeparator;
}

void SetDecimalSeparator(char separator) {
    g_decimalSeparator = separator;
}

double FloatAbs(float value) {
    return std::fabs(static_cast<double>(value));
}

std::string FormatNumber(float value, int digits) {
    return FormatNumber(value, digits, g_decimalSeparator);
}

std::string FormatNumber(float value, int digits, char decimalSeparator) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    digits = std::clamp(digits, 1, 18);
    double magnitude = FloatAbs(value);
    // Negative zero has no sign to show.
    std::string text = value < 0 ? "-" : "";
    if (magnitude > 0.009999) {
        text += GeneralForm(Round(ExactDigits(magnitude), digits), digits, 3, decimalSeparator);
    } else if (magnitude == 0) {
        text += ExponentForm(SDecimal{std::string(static_cast<size_t>(digits), '0'), 0},
                             decimalSeparator);
    } else {
        text += ExponentForm(Round(ExactDigits(magnitude), digits), decimalSeparator);
    }
    return ApplyZeroRule(std::move(text));
}

std::string FormatGeneral(float value, int digits, int exponentDigits) {
    return FormatGeneral(value, digits, exponentDigits, g_decimalSeparator);
}

std::string FormatGeneral(float value, int digits, int exponentDigits, char decimalSeparator) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (value == 0) return "0";
    digits = std::clamp(digits, 1, 18);
    std::string text = value < 0 ? "-" : "";
    return text + GeneralForm(Round(ExactDigits(FloatAbs(value)), digits), digits,
                              std::clamp(exponentDigits, 1, 4), decimalSeparator);
}

int TextToDouble(double& out, std::string_view text) {
    return TextToDouble(out, text, g_decimalSeparator);
}

int TextToDouble(double& out, std::string_view text, char decimalSeparator) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);

    // Check the whole grammar first, writing the number with '.' for the conversion.
    std::string plain;
    plain.reserve(text.size());
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') plain += '-';
        ++i;
    }
    size_t mantissaDigits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i, ++mantissaDigits)
        plain += text[i];
    if (i < text.size() && text[i] == decimalSeparator) {
        plain += '.';
        for (++i; i < text.size() && IsDigit(text[i]); ++i, ++mantissaDigits)
            plain += text[i];
    }
    if (mantissaDigits == 0) return 1;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        plain += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) plain += text[i++];
        size_t exponentDigits = 0;
        for (; i < text.size() && IsDigit(text[i]); ++i, ++exponentDigits)
            plain += text[i];
        if (exponentDigits == 0) return 1;
    }
    if (i != text.size()) return 1;

    double value = 0;
    auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (error != std::errc() || end != plain.data() + plain.size()) return 1;
    out = value;
    return 0;
}

SMessageText InvalidNumberMessage(std::string_view languageName) {
    if (languageName == "Italian")
        return {"Valore non valido nel campo evidenziato", "Errore di introduzione dati"};
    return {"Invalid number in the evidenced field", "Error in the data entered"};
}
