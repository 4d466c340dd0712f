#pragma once
// The text notation of form properties, one `Name = value` per property:
// integers (decimal, or $ and hexadecimal digits), strings in single quotes
// (a doubled quote inside, #nn for a character code, pieces joined without
// blanks: 'a'#13'b'), identifiers, True and False, lists in parentheses, sets
// of identifiers in brackets (stored as a list of them) and binary blocks as
// hexadecimal bytes in braces:
//
//     Cells = (1 0 '#' 2 0 'File Name')
//     AlignCol = {000002}
//
// Blanks and line ends separate tokens anywhere; // starts a comment.

#include "PropertyStream.h"

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

class EParserError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Converts text to the binary property stream of one component (with its end
// marker). Throws EParserError naming the line.
std::vector<std::uint8_t> PropertyTextToBinary(std::string_view text);

// The text of a binary property stream, one property a line. Throws
// EReadError for a malformed stream.
std::string PropertyBinaryToText(std::span<const std::uint8_t> bytes);

// Reads a component from text; returns the reason text, empty on success.
// On failure Loaded has not run.
std::string ReadComponentText(std::string_view text, TStreamable& component);
