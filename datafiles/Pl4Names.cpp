#include "Pl4Names.h"

#include <algorithm>

namespace {

constexpr std::size_t kField = 6;

std::string field(const char* p) {
    return std::string(p, kField);
}

// Character i of the name, a blank past its end (names may arrive trimmed).
char at(const std::string& s, std::size_t i) {
    return i < s.size() ? s[i] : ' ';
}

void put(Pl4Record& r, std::size_t pos, const std::string& text) {
    for (std::size_t i = 0; i < kField; ++i)
        r[pos + i] = at(text, i);
}

// The part of a name after its prefix colon. A longer text loses leading
// blanks first (the C-like reader names TACS variables "t: " + name).
std::string afterColon(const std::string& name, std::size_t colon) {
    std::string rest = colon == std::string::npos ? name : name.substr(colon + 1);
    const std::size_t lead =
        std::min(rest.find_first_not_of(' '), rest.size() > kField ? rest.size() - kField : 0);
    return rest.substr(std::min(lead, rest.size()));
}

} // namespace

std::string pl4NameFromRecord(const char* r) {
    const std::string n1 = field(r + 4), n2 = field(r + 10);
    switch (r[3]) {
    case '1':
        return std::string("s") + r[9] + ":" + n2;
    case '2':
        return "t:" + n2;
    case '3':
        return "m:" + n2;
    case '4':
        return "v:" + n1;
    case '5':
        return std::string("u") + r[7] + (r[8] != ' ' ? std::string(1, r[8]) : "") + ":" + n2;
    case '6':
        return "p:" + n1 + "-" + n2;
    case '7':
        return "e:" + n1 + "-" + n2;
    case '8':
        return "v:" + n1 + "-" + n2;
    case '9':
        return "c:" + n1 + "-" + n2;
    default:
        return {};
    }
}

Pl4Record pl4RecordFromName(const std::string& name) {
    Pl4Record r;
    r.fill(' ');
    // The machine names carry one ('s1:') or two ('u12:') characters
    // before the colon; every other prefix is one letter.
    const std::size_t colon = name.find(':');
    const bool prefixed = colon != std::string::npos && colon >= 1 && colon <= 3;
    const char kind = prefixed ? name[0] : '\0';
    switch (kind) {
    case 'v':
    case 'p':
    case 'e':
    case 'c': {
        const bool branch = kind != 'v' || name.size() > 8;
        r[3] = kind == 'p' ? '6' : kind == 'e' ? '7' : kind == 'c' ? '9' : branch ? '8' : '4';
        // 'x:NODE1-NODE2': node 1 at characters 3-8, node 2 at 10-15.
        for (std::size_t i = 0; i < kField; ++i)
            r[4 + i] = at(name, 2 + i);
        if (branch)
            for (std::size_t i = 0; i < kField; ++i)
                r[10 + i] = at(name, 9 + i);
        return r;
    }
    case 's':
        r[3] = '1';
        r[9] = colon >= 2 ? name[1] : ' ';
        put(r, 10, afterColon(name, colon));
        return r;
    case 'u':
        r[3] = '5';
        r[7] = colon >= 2 ? name[1] : ' ';
        r[8] = colon >= 3 ? name[2] : ' ';
        put(r, 10, afterColon(name, colon));
        return r;
    case 't':
    case 'm':
        r[3] = kind == 't' ? '2' : '3';
        put(r, 4, afterColon(name, colon));
        put(r, 10, afterColon(name, colon));
        return r;
    default:
        // No PL4 kind: kept as a MODELS variable so that its name survives.
        r[3] = '3';
        put(r, 10, afterColon(name, prefixed ? colon : std::string::npos));
        return r;
    }
}

void pl4DeriveScanNames(std::vector<std::string>& names, std::size_t index, int form) {
    if (index >= names.size()) return;
    const std::string n = names[index];
    if (n.size() < 2) return; // unknown kind: nothing to derive from
    const auto set = [&](std::size_t i, std::string v) {
        if (i < names.size()) names[i] = std::move(v);
    };
    const std::string angle = "a" + n.substr(1);
    const auto part = [&](char c) {
        std::string s = n[0] + n; // 'v:BUS1  ' gives 'vr:BUS1  '
        s[1] = c;
        return s;
    };
    switch (form) {
    case 1:
        set(index + 1, angle);
        break;
    case 2:
        set(index, part('r'));
        set(index + 1, part('i'));
        break;
    case 3:
        set(index + 1, angle);
        set(index + 2, part('r'));
        set(index + 3, part('i'));
        break;
    default:
        break;
    }
}
