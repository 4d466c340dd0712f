#pragma once
// The program keeps text as bytes: its own texts, names read from data files and file
// names stay as they came. They become Unicode only where they are shown or leave the
// program (clipboard): as UTF-8 when the bytes are valid UTF-8 (file names on this
// system, and files written so), else as Windows-1252. Text typed by the user comes
// back as UTF-8; only a metafile, whose text is Windows-1252, narrows it.

#include <string>
#include <string_view>

std::u16string Utf16FromCp1252(std::string_view text);
// UTF-8 when `text` is valid UTF-8 (ASCII included), else Windows-1252.
std::u16string Utf16FromShownText(std::string_view text);
// Characters outside Windows-1252 become '?'.
std::string Cp1252FromUtf16(std::u16string_view text);
