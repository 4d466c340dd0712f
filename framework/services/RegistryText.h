#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// In-memory form of the registry store and its text file.
//
// File layout (UTF-8 or plain bytes, lines ended by '\n'):
//   curvix-registry 1              first line, format name and version
//   [Software\Vantor\QJ's Curvix]  a key; every key, parents included, has its own line
//   MultiFileMode=int:1            a value of the key above: name=int:<decimal int32>
//   Program Options=bin:0000803f   or name=bin:<lower-case hex bytes, may be empty>
//   end                            last line; a file without it is damaged
// Values before the first key line belong to the root. In key components and value names
// the bytes '%', '=', '[', ']', '\', controls and DEL are written as %XX.

// Orders and finds key paths and value names without regard to ASCII letter case.
struct SCaseLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
};

struct SRegValue {
    enum class EKind { Integer, Binary };
    EKind kind = EKind::Integer;
    std::int32_t integer = 0;
    std::vector<std::uint8_t> bytes;
};

using TRegValues = std::map<std::string, SRegValue, SCaseLess>;

// Keys by normalised path ("" is the root, which always exists).
struct SRegTree {
    std::map<std::string, TRegValues, SCaseLess> keys;
};

// Joins the non-empty backslash-separated components: "\\A\\\\B\\" gives "A\\B".
std::string NormaliseKeyPath(std::string_view path);
// True when `path` is `ancestor` itself or lies below it (case-insensitive).
bool IsSameOrBelow(std::string_view path, std::string_view ancestor);

std::string SerializeRegistry(const SRegTree& tree);
// Raises ERegistryException naming `origin` and the line when the text is damaged.
SRegTree ParseRegistry(std::string_view text, std::string_view origin);
