// Names as the ADF and MAT writers put them out: plain identifiers made from
// PL4 and COMTRADE names, and Matlab variable names. Case changes and letter tests are ASCII only:
// other bytes of 8-bit names pass unchanged.

#include "Ascii.h"
#include "SimOut.h"

#include <cstdio>
#include <optional>

namespace {

// A 6-character node field from `from` on (blank-padded when the name is
// shorter): trimmed, inner blanks as '_', first letter upper case; a blank
// field is the ground node "Terra".
std::string plainNode(const std::string& name, std::size_t from) {
    std::string node = from < name.size() ? name.substr(from, 6) : std::string();
    const auto first = node.find_first_not_of(' ');
    if (first == std::string::npos) return "Terra";
    node = node.substr(first, node.find_last_not_of(' ') - first + 1);
    for (char& c : node)
        if (c == ' ') c = '_';
    node[0] = upperAscii(node[0]);
    return node;
}

// 'v:BUS1  -BUS2  ' -> 'vBus1Bus2', 'c:N1    -      ' -> 'iN1Terra'; nothing
// when the name has no kind prefix.
std::optional<std::string> pl4PlainName(std::string name) {
    std::size_t colon = 1;
    while (colon <= 4 && (colon >= name.size() || name[colon] != ':'))
        ++colon;
    if (colon > 4) return std::nullopt;
    for (char& c : name)
        c = lowerAscii(c);
    std::string plain = name.substr(0, colon) + plainNode(name, colon + 1);
    // A second node follows node 1 after a '-' ('x:NODE1-NODE2').
    if (colon + 7 < name.size() && name[colon + 7] == '-') plain += plainNode(name, colon + 8);
    if (plain[0] == 'c') plain[0] = 'i';
    return plain;
}

// The words after the colon, each capitalised, joined: 'v:Bus 1 Va' -> 'vBus1Va'.
std::string comtradePlainName(const std::string& name, bool replaceChars) {
    if (!name.empty() && name.back() == ':') return name + "Dummy";
    const auto colon = name.find(':');
    const std::size_t textStart = colon == std::string::npos ? 0 : colon + 1;
    std::string joined;
    bool wordStart = true;
    for (std::size_t i = textStart; i < name.size(); ++i) {
        const char c = name[i];
        if (c == ' ' || c == ',' || c == '\t') {
            wordStart = true;
            continue;
        }
        joined += wordStart ? upperAscii(c) : lowerAscii(c);
        wordStart = false;
    }
    if (joined.empty()) return name;
    if (replaceChars)
        for (char& c : joined)
            if (!isAsciiAlnum(c)) c = '_';
    return name.substr(0, colon == std::string::npos ? 0 : colon) + joined;
}

} // namespace

void SimOut::MakePl4NamesPlain() {
    for (std::size_t i = 1; i < names.size(); ++i) {
        if (auto plain = pl4PlainName(names[i])) {
            names[i] = std::move(*plain);
        } else {
            // Only this name stays as it is; the others are still converted.
            std::fputs("Internal error \"PPos\"\n", stdout);
        }
    }
}

void SimOut::makeNamesPlain(bool replaceChars) {
    if (fileKind == fkPl4) MakePl4NamesPlain();
    if (fileKind == fkComtrade) MakeComtradeNamesPlain(replaceChars);
}

void SimOut::MakeComtradeNamesPlain(bool replaceChars) {
    for (std::size_t i = 1; i < names.size(); ++i)
        names[i] = comtradePlainName(names[i], replaceChars);
}

// 'X_(auto)' -> 'X__auto_', 'v:BUS1' -> 'v_BUS1', '1st' -> 'x1st'.
void SimOut::MakeMatNames() {
    for (std::string& name : names) {
        if (name.empty() || !isAsciiAlpha(name[0])) name.insert(0, "x");
        for (char& c : name)
            if (!isAsciiAlnum(c)) c = '_';
    }
}
