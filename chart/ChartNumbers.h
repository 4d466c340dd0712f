#pragma once
// Number texts of the chart: the printf forms its axis rounding reads digits
// from, and the component framework's float formats (fixed, general,
// exponent) that tick labels and legends show. The printf forms always write
// '.'; the shown formats write the user's decimal separator.

#include <string>

namespace chartnum {

// Decimal separator of the shown formats: '.' until the program passes in the user's.
char DecimalSeparator();
void SetDecimalSeparator(char separator);

std::string SignedExp3(double v); // "%+10.3e": sign, digit, point, 3 digits, e, signed exponent
std::string Exp3(double v);       // "%10.3e"
std::string Fixed(double v, int decimals);       // "%.Nf"
std::string Print(const char* format, double v); // any one-value format

// Exponent of v as "%10.3e" prints it (9.9996 prints as 1.000e+01: 1).
int ExponentOf(double v);
double ReadBack(const std::string& text);

// Digits after the point once trailing zeros are removed ("2.5000" -> 1, "2." -> 0).
int DecimalsOf(const std::string& text);
std::string StripTrailingZeros(std::string text);

// Framework formats. Fixed: at most `precision` significant digits shown
// with exactly `digits` decimals; exponent form when the integer part needs
// more than `precision` digits. General: shortest text of at most
// `precision` significant digits. Exponent: d.ddd E sign exponent. All three
// and the legend numbers write DecimalSeparator() for the point.
std::string FloatToStrFixed(double v, int precision, int digits);
std::string FloatToStrGeneral(double v, int precision, int minExpDigits);
std::string FloatToStrExponent(double v, int precision, int minExpDigits);

// Legend numbers: general form above 0.009999 in magnitude, else exponent form.
std::string MyFloatToStrF(float value, int precision);

} // namespace chartnum
