#pragma once

#include <string>
#include <string_view>

// File-name helpers on '/'-separated paths. They only look at the text, except
// ExpandFileName and the current-folder pair.

std::string ExtractFileName(std::string_view path); // after the last '/'
std::string ExtractFilePath(std::string_view path); // up to and including the last '/'
std::string
ExtractFileDir(std::string_view path); // ExtractFilePath without the last '/'; "/" stays
// From the last '.' of the name part, dot included; "" when the name has no dot.
std::string ExtractFileExt(std::string_view path);
// Replaces the extension, or appends `ext` when there is none; `ext` includes its dot.
std::string ChangeFileExt(std::string_view path, std::string_view ext);
// The absolute path, with "." and ".." resolved in the text (links are not followed).
std::string ExpandFileName(std::string_view path);

// ASCII letters only; other bytes (UTF-8 included) stay as they are.
std::string LowerCase(std::string_view text);
std::string UpperCase(std::string_view text);

bool SetCurrentDir(std::string_view dir);
std::string GetCurrentDir(); // "" when it cannot be determined
