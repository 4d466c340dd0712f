#include "services/RegistryText.h"

#include "services/Registry.h"

#include <algorithm>
#include <charconv>

namespace {

constexpr std::string_view kHeader = "curvix-registry 1";
constexpr std::string_view kTrailer = "end";
constexpr std::string_view kIntTag = "int:";
constexpr std::string_view kBinTag = "bin:";
constexpr char kHexDigits[] = "0123456789abcdef";

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool NeedsEscape(unsigned char c) {
    return c < 0x20 || c == 0x7F || c == '%' || c == '=' || c == '[' || c == ']' || c == '\\';
}

void AppendEscaped(std::string& out, std::string_view name) {
    for (unsigned char c : name) {
        if (NeedsEscape(c)) {
            out += '%';
            out += kHexDigits[c >> 4];
            out += kHexDigits[c & 0xF];
        } else {
            out += static_cast<char>(c);
        }
    }
}

void AppendEscapedPath(std::string& out, std::string_view path) {
    size_t start = 0;
    while (true) {
        size_t end = std::min(path.find('\\', start), path.size());
        AppendEscaped(out, path.substr(start, end - start));
        if (end == path.size()) return;
        out += '\\';
        start = end + 1;
    }
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

class CParser {
public:
    CParser(std::string_view text, std::string_view origin) : text_(text), origin_(origin) {}

    SRegTree Parse() {
        SRegTree tree;
        tree.keys[""];
        TRegValues* values = &tree.keys[""];
        std::string_view line;
        if (!NextLine(line) || line != kHeader) Fail("not a registry store");
        bool ended = false;
        while (NextLine(line)) {
            if (ended) Fail("text after the end line");
            if (line == kTrailer) {
                ended = true;
            } else if (!line.empty() && line.front() == '[') {
                if (line.back() != ']') Fail("key line without ']'");
                std::string path = UnescapePath(line.substr(1, line.size() - 2));
                AddKeyWithParents(tree, path);
                values = &tree.keys.find(path)->second;
            } else {
                ParseValue(line, *values);
            }
        }
        if (!ended) Fail("the end line is missing");
        return tree;
    }

private:
    bool NextLine(std::string_view& line) {
        if (pos_ >= text_.size()) return false;
        size_t end = text_.find('\n', pos_);
        if (end == std::string_view::npos) Fail("last line not ended");
        line = text_.substr(pos_, end - pos_);
        pos_ = end + 1;
        ++lineNumber_;
        return true;
    }

    [[noreturn]] void Fail(std::string_view reason) const {
        throw ERegistryException("The registry store " + std::string(origin_) +
                                 " is damaged (line " + std::to_string(lineNumber_) + ": " +
                                 std::string(reason) + ")");
    }

    std::string Unescape(std::string_view text) const {
        std::string out;
        out.reserve(text.size());
        for (size_t i = 0; i < text.size(); ++i) {
            char c = text[i];
            if (c == '%') {
                if (i + 2 >= text.size()) Fail("cut escape");
                int hi = HexValue(text[i + 1]);
                int lo = HexValue(text[i + 2]);
                if (hi < 0 || lo < 0) Fail("bad escape");
                out += static_cast<char>(hi * 16 + lo);
                i += 2;
            } else if (NeedsEscape(static_cast<unsigned char>(c))) {
                Fail("unescaped special character");
            } else {
                out += c;
            }
        }
        return out;
    }

    // Components are escaped one by one; the separators stay plain backslashes.
    std::string UnescapePath(std::string_view text) const {
        std::string path;
        size_t start = 0;
        while (true) {
            size_t end = std::min(text.find('\\', start), text.size());
            if (end == start) Fail("empty key name");
            path += Unescape(text.substr(start, end - start));
            if (end == text.size()) return path;
            path += '\\';
            start = end + 1;
        }
    }

    void ParseValue(std::string_view line, TRegValues& values) const {
        size_t eq = line.find('=');
        if (eq == std::string_view::npos) Fail("value line without '='");
        std::string name = Unescape(line.substr(0, eq));
        std::string_view data = line.substr(eq + 1);
        SRegValue value;
        if (data.substr(0, kIntTag.size()) == kIntTag) {
            data.remove_prefix(kIntTag.size());
            auto [end, ec] = std::from_chars(data.data(), data.data() + data.size(), value.integer);
            if (ec != std::errc() || end != data.data() + data.size() || data.empty())
                Fail("bad integer");
        } else if (data.substr(0, kBinTag.size()) == kBinTag) {
            data.remove_prefix(kBinTag.size());
            if (data.size() % 2 != 0) Fail("odd hex length");
            value.kind = SRegValue::EKind::Binary;
            value.bytes.reserve(data.size() / 2);
            for (size_t i = 0; i < data.size(); i += 2) {
                int hi = HexValue(data[i]);
                int lo = HexValue(data[i + 1]);
                if (hi < 0 || lo < 0) Fail("bad hex digit");
                value.bytes.push_back(static_cast<std::uint8_t>(hi * 16 + lo));
            }
        } else {
            Fail("unknown value type");
        }
        if (!values.emplace(std::move(name), std::move(value)).second) Fail("value given twice");
    }

    static void AddKeyWithParents(SRegTree& tree, const std::string& path) {
        for (size_t cut = path.find('\\'); cut != std::string::npos; cut = path.find('\\', cut + 1))
            tree.keys.try_emplace(path.substr(0, cut));
        tree.keys.try_emplace(path);
    }

    std::string_view text_;
    std::string_view origin_;
    size_t pos_ = 0;
    int lineNumber_ = 0;
};

} // namespace

bool SCaseLess::operator()(std::string_view a, std::string_view b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(LowerAscii(x)) <
               static_cast<unsigned char>(LowerAscii(y));
    });
}

std::string NormaliseKeyPath(std::string_view path) {
    std::string out;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('\\', start);
        if (end == std::string_view::npos) end = path.size();
        if (end > start) {
            if (!out.empty()) out += '\\';
            out.append(path.substr(start, end - start));
        }
        start = end + 1;
    }
    return out;
}

bool IsSameOrBelow(std::string_view path, std::string_view ancestor) {
    if (ancestor.empty()) return true;
    if (path.size() < ancestor.size()) return false;
    for (size_t i = 0; i < ancestor.size(); ++i)
        if (LowerAscii(path[i]) != LowerAscii(ancestor[i])) return false;
    return path.size() == ancestor.size() || path[ancestor.size()] == '\\';
}

std::string SerializeRegistry(const SRegTree& tree) {
    std::string out(kHeader);
    out += '\n';
    for (const auto& [path, values] : tree.keys) {
        if (!path.empty()) {
            out += '[';
            AppendEscapedPath(out, path);
            out += "]\n";
        }
        for (const auto& [name, value] : values) {
            AppendEscaped(out, name);
            out += '=';
            if (value.kind == SRegValue::EKind::Integer) {
                out += kIntTag;
                out += std::to_string(value.integer);
            } else {
                out += kBinTag;
                for (std::uint8_t byte : value.bytes) {
                    out += kHexDigits[byte >> 4];
                    out += kHexDigits[byte & 0xF];
                }
            }
            out += '\n';
        }
    }
    out += kTrailer;
    out += '\n';
    return out;
}

SRegTree ParseRegistry(std::string_view text, std::string_view origin) {
    return CParser(text, origin).Parse();
}
