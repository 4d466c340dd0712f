#pragma once
// Fixed edit formats of the solver's console, report and history lines, and
// the fixed-column numeric fields of the case file.

#include <optional>
#include <string>
#include <string_view>

namespace lf {

// Texts are counted in characters: a valid UTF-8 sequence is one character,
// and so is any other byte (a case file in a one-byte code keeps its columns).

// Number of characters of a text.
int charCount(std::string_view text);
// The first n characters of a text (all of it when shorter).
std::string_view leftChars(std::string_view text, int n);

// nX: n blanks.
std::string X(int n);
// Aw: the first w characters of the text, blank-padded when shorter.
std::string A(std::string_view text, int w);
// Aw with a text right-aligned: blanks first when shorter than w.
std::string Aright(std::string_view text, int w);
// Fw.d: right-aligned in w columns with d decimals; asterisks when too wide.
std::string F(double value, int w, int d);
// Iw: right-aligned in w columns; asterisks when too wide.
std::string I(long long value, int w);
// Fw.d and Iw for machine-read rows: a value too wide for its field is
// written in full after one blank instead of as asterisks.
std::string Fwide(double value, int w, int d);
std::string Iwide(long long value, int w);
// A real of a list-directed line: 23 columns, exponent form, 16 digits.
std::string listReal(double value);

// Reads an Fw.d field: blanks are ignored, an all-blank field is 0, a written
// decimal point governs, otherwise the last d digits are decimals. An optional
// exponent (E or D, or a bare sign after the digits) is accepted. Empty when
// the field holds anything else or the value is not finite.
std::optional<double> readF(std::string_view field, int d);

// Columns first..first+width-1 (counted from 1, one column per character) of
// a record, as `width` characters; columns past the end of the record read as
// blanks.
std::string column(std::string_view record, int first, int width);

} // namespace lf
