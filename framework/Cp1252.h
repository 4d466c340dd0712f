#pragma once
// All text of the program is 8-bit Windows-1252; it becomes Unicode only where
// it is drawn or leaves the program (clipboard).

#include <string>
#include <string_view>

std::u16string Utf16FromCp1252(std::string_view text);
// Characters outside Windows-1252 become '?'.
std::string Cp1252FromUtf16(std::u16string_view text);
