#pragma once

#include <string>
#include <string_view>

// Every number the program shows in a field goes through FormatNumber, every number the
// user types is read with TextToDouble, so both follow one rule. Neither depends on the C
// locale: the decimal separator is passed in, or taken from DecimalSeparator().

// The user's decimal separator for shown and typed numbers; '.' until start-up sets it.
char DecimalSeparator();
void SetDecimalSeparator(char separator);

// The magnitude of a single-precision value, widened without loss.
double FloatAbs(float value);

// Magnitudes above 0.009999: general format with `digits` significant digits (trailing
// zeros dropped; scientific with a 3-digit exponent when the integer part needs more than
// `digits` digits), e.g. 50, 0.5, 1.235E+005. Smaller magnitudes: exponent format with
// `digits` digits and a 2-digit exponent, e.g. -1.00E-03; a zero shows as "0". Halves round
// away from zero. Not-a-number shows "NAN", infinities "INF" and "-INF". `digits` is taken
// within 1 to 18.
std::string FormatNumber(float value, int digits);
std::string FormatNumber(float value, int digits, char decimalSeparator);

// General format alone: the shortest text of at most `digits` significant digits, in
// scientific form (exponent of at least `exponentDigits` digits, sign always written) when
// the integer part needs more than `digits` digits or the magnitude is below 0.00001.
// Halves round away from zero; zero is "0".
std::string FormatGeneral(float value, int digits, int exponentDigits);
std::string FormatGeneral(float value, int digits, int exponentDigits, char decimalSeparator);

// Accepts exactly: optional blanks, an optional sign, digits with at most one decimal
// separator (digits on at least one side), an optional exponent "e"/"E" with optional sign
// and digits, optional blanks. Result 0 with `out` set, or 1 with `out` untouched for
// anything else, including "inf", "nan", hexadecimal, trailing text and values beyond
// the double range (too large, or so small that it would become zero).
int TextToDouble(double& out, std::string_view text);
int TextToDouble(double& out, std::string_view text, char decimalSeparator);

// The warning that ReadEditNumber shows, in the program's language.
struct SMessageText {
    std::string_view text;
    std::string_view title;
};
SMessageText InvalidNumberMessage(std::string_view languageName);

// Reads a number from an edit control: 0 with `out` set; otherwise shows the warning with
// `showWarning(text, title)`, puts the focus into the edit with its whole text selected
// and returns 1. `Edit` needs Text() (convertible to std::string_view), SetFocus() and
// SelectAll().
template <class Edit, class ShowWarning>
int ReadEditNumber(double& out, Edit& edit, ShowWarning&& showWarning,
                   std::string_view languageName = "English") {
    const auto& text = edit.Text();
    if (TextToDouble(out, std::string_view(text)) == 0) return 0;
    SMessageText message = InvalidNumberMessage(languageName);
    showWarning(message.text, message.title);
    edit.SetFocus();
    edit.SelectAll();
    return 1;
}
