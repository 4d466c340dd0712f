#include "PropertyText.h"

#include "ListError.h"

#include <cctype>
#include <cstdint>
#include <string>

namespace {

class TextParser {
public:
    explicit TextParser(std::string_view text) : text_(text) {}

    std::vector<std::uint8_t> Run() {
        for (;;) {
            SkipBlanks();
            if (pos_ >= text_.size()) break;
            const std::string name = ReadName();
            SkipBlanks();
            if (Peek() != '=') Fail("'=' expected after " + name);
            ++pos_;
            writer_.WritePropName(name);
            ReadValue(0);
        }
        writer_.WriteEndOfProperties();
        return writer_.Bytes();
    }

private:
    static constexpr int kMaxDepth = 32;

    [[noreturn]] void Fail(const std::string& what) const {
        throw EParserError("Line " + std::to_string(line_) + ": " + what);
    }

    char Peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }

    void SkipBlanks() {
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == '\n') {
                ++line_;
                ++pos_;
            } else if (c == ' ' || c == '\t' || c == '\r') {
                ++pos_;
            } else if (c == '/' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '/') {
                while (pos_ < text_.size() && text_[pos_] != '\n')
                    ++pos_;
            } else {
                break;
            }
        }
    }

    static bool IsIdentStart(char c) {
        return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
    }
    static bool IsIdentChar(char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
    }

    std::string ReadName() {
        if (!IsIdentStart(Peek())) Fail("property name expected");
        const std::size_t start = pos_;
        while (IsIdentChar(Peek()))
            ++pos_;
        if (pos_ - start > 255) Fail("name longer than 255 characters");
        return std::string(text_.substr(start, pos_ - start));
    }

    void ReadValue(int depth) {
        SkipBlanks();
        const char c = Peek();
        if (c == '(') {
            if (depth >= kMaxDepth) Fail("lists nested too deeply");
            ++pos_;
            writer_.WriteListBegin();
            for (;;) {
                SkipBlanks();
                if (Peek() == ')') break;
                if (pos_ >= text_.size()) Fail("')' missing at the end of the text");
                ReadValue(depth + 1);
            }
            ++pos_;
            writer_.WriteListEnd();
        } else if (c == '[') {
            ++pos_;
            ReadSet();
        } else if (c == '{') {
            ++pos_;
            ReadHex();
        } else if (c == '\'' || c == '#') {
            writer_.WriteString(ReadString());
        } else if (c == '-' || c == '+' || c == '$' ||
                   std::isdigit(static_cast<unsigned char>(c))) {
            writer_.WriteInteger(ReadInteger());
        } else if (IsIdentStart(c)) {
            const std::string ident = ReadName();
            if (ident == "True")
                writer_.WriteBoolean(true);
            else if (ident == "False")
                writer_.WriteBoolean(false);
            else
                writer_.WriteIdent(ident);
        } else if (c == '\0' && pos_ >= text_.size()) {
            Fail("value expected at the end of the text");
        } else {
            Fail(std::string("unexpected character '") + c + "'");
        }
    }

    // A set of identifiers, [a, b], goes into the stream as a list of them.
    void ReadSet() {
        writer_.WriteListBegin();
        for (;;) {
            SkipBlanks();
            if (Peek() == ']') break;
            if (Peek() == ',') {
                ++pos_;
                continue;
            }
            if (!IsIdentStart(Peek())) Fail("identifier or ']' expected in a set");
            writer_.WriteIdent(ReadName());
        }
        ++pos_;
        writer_.WriteListEnd();
    }

    static int HexDigit(char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        return -1;
    }

    void ReadHex() {
        std::vector<std::uint8_t> bytes;
        int high = -1;
        for (;;) {
            SkipBlanks();
            if (pos_ >= text_.size()) Fail("'}' missing at the end of the text");
            const char c = text_[pos_++];
            if (c == '}') break;
            const int digit = HexDigit(c);
            if (digit < 0) Fail(std::string("hexadecimal digit expected, found '") + c + "'");
            if (high < 0) {
                high = digit;
            } else {
                bytes.push_back(static_cast<std::uint8_t>(high * 16 + digit));
                high = -1;
            }
        }
        if (high >= 0) Fail("odd number of hexadecimal digits");
        writer_.WriteBinary(bytes);
    }

    std::int32_t ReadInteger() {
        bool negative = false;
        if (Peek() == '-' || Peek() == '+') negative = text_[pos_++] == '-';
        const bool hex = Peek() == '$';
        if (hex) ++pos_;
        const int base = hex ? 16 : 10;
        std::int64_t value = 0;
        std::size_t digits = 0;
        for (;;) {
            const int d = HexDigit(Peek());
            if (d < 0 || d >= base) break;
            value = value * base + d;
            if (value > 0xFFFFFFFFLL) Fail("integer out of range");
            ++pos_;
            ++digits;
        }
        if (digits == 0) Fail("digits expected");
        if (IsIdentChar(Peek())) Fail("invalid character in a number");
        // $ values name 32-bit patterns (colours); decimals must fit a signed 32-bit integer.
        if (hex && !negative) return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
        if (negative) value = -value;
        if (value < INT32_MIN || value > INT32_MAX) Fail("integer out of range");
        return static_cast<std::int32_t>(value);
    }

    std::string ReadString() {
        std::string out;
        for (;;) {
            if (Peek() == '\'') {
                ++pos_;
                for (;;) {
                    if (pos_ >= text_.size() || text_[pos_] == '\n')
                        Fail("string not closed on its line");
                    const char c = text_[pos_++];
                    if (c != '\'') {
                        out += c;
                    } else if (Peek() == '\'') {
                        out += '\'';
                        ++pos_;
                    } else {
                        break;
                    }
                }
            } else if (Peek() == '#') {
                ++pos_;
                int code = 0;
                std::size_t digits = 0;
                while (std::isdigit(static_cast<unsigned char>(Peek()))) {
                    code = code * 10 + (text_[pos_++] - '0');
                    if (code > 255) Fail("character code above 255");
                    ++digits;
                }
                if (digits == 0) Fail("character code expected after '#'");
                out += static_cast<char>(code);
            } else {
                return out;
            }
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    int line_ = 1;
    TWriter writer_;
};

std::string QuoteString(const std::string& s) {
    std::string out;
    bool open = false;
    for (const char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 32 || c == 127) {
            if (open) out += '\'';
            open = false;
            out += '#' + std::to_string(c);
        } else {
            if (!open) out += '\'';
            open = true;
            out += ch;
            if (ch == '\'') out += '\'';
        }
    }
    if (open) out += '\'';
    return out.empty() ? "''" : out;
}

void ValueText(TReader& reader, std::string& out) {
    switch (reader.NextValue()) {
    case vaList: {
        reader.ReadListBegin();
        out += '(';
        bool first = true;
        while (!reader.EndOfList()) {
            if (!first) out += ' ';
            first = false;
            ValueText(reader, out);
        }
        reader.ReadListEnd();
        out += ')';
        break;
    }
    case vaInt8:
    case vaInt16:
    case vaInt32:
        out += std::to_string(reader.ReadInteger());
        break;
    case vaString:
        out += QuoteString(reader.ReadString());
        break;
    case vaIdent:
        out += reader.ReadIdent();
        break;
    case vaFalse:
    case vaTrue:
        out += reader.ReadBoolean() ? "True" : "False";
        break;
    case vaBinary: {
        static const char digits[] = "0123456789ABCDEF";
        out += '{';
        for (const std::uint8_t b : reader.ReadBinary()) {
            out += digits[b >> 4];
            out += digits[b & 15];
        }
        out += '}';
        break;
    }
    default:
        reader.SkipValue(); // throws with the reason
    }
}

} // namespace

std::vector<std::uint8_t> PropertyTextToBinary(std::string_view text) {
    return TextParser(text).Run();
}

std::string PropertyBinaryToText(std::span<const std::uint8_t> bytes) {
    TReader reader(bytes);
    std::string out;
    for (;;) {
        const std::string name = reader.ReadPropName();
        if (name.empty()) break;
        out += name + " = ";
        ValueText(reader, out);
        out += '\n';
    }
    return out;
}

std::string ReadComponentText(std::string_view text, TStreamable& component) {
    try {
        const std::vector<std::uint8_t> bytes = PropertyTextToBinary(text);
        TReader reader(bytes);
        ReadComponent(reader, component);
        return {};
    } catch (const EParserError& e) {
        return e.what();
    } catch (const EReadError& e) {
        return e.what();
    } catch (const EListError& e) {
        return e.what();
    }
}
