#include "SlotTable.h"

#include "NumericText.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

std::string SharedXName(const std::vector<std::string>& xNames) {
    if (xNames.empty()) return "x";
    const std::string& first = xNames.front();
    if (std::all_of(xNames.begin(), xNames.end(), [&](const std::string& n) { return n == first; }))
        return first;
    if (!first.empty() && std::all_of(xNames.begin(), xNames.end(), [&](const std::string& n) {
            return !n.empty() && n[0] == first[0];
        }))
        return first.substr(0, 1);
    return "x";
}

std::string MaxHeaderForSharedName(const std::string& shared) {
    if (shared == "t") return "Tmax";
    if (shared == "f") return "Fmax";
    return "Xmax";
}

std::string MaxHeaderForXName(const std::string& xName) {
    return MaxHeaderForSharedName(xName.substr(0, 1));
}

std::string LastXText(float value) {
    // General format with 5 and 5 digits: at most 4 exponent digits are asked for.
    return FormatGeneral(value, 5, 4);
}

std::string TrimNameRight(const std::string& name) {
    std::size_t end = name.size();
    while (end > 1 && name[end - 1] == ' ')
        --end;
    return name.substr(0, end);
}

bool SameFile(const std::string& a, const std::string& b) {
    namespace fs = std::filesystem;
    std::error_code ea, eb;
    const fs::path ca = fs::weakly_canonical(fs::path(a), ea);
    const fs::path cb = fs::weakly_canonical(fs::path(b), eb);
    if (ea || eb) return fs::absolute(a, ea) == fs::absolute(b, eb);
    return ca == cb;
}

namespace {
int ListPosition(const std::vector<std::string>& listed, const std::string& name) {
    const auto it = std::find(listed.begin(), listed.end(), name);
    return it == listed.end() ? -1 : static_cast<int>(it - listed.begin());
}
} // namespace

std::vector<int> RefindSelection(std::vector<SRefindRow>& rows,
                                 const std::vector<std::string>& listed, int indexOffset, int slot,
                                 bool allRows) {
    std::vector<int> remove;
    for (int k = static_cast<int>(rows.size()) - 1; k >= 0; --k) {
        SRefindRow& row = rows[static_cast<std::size_t>(k)];
        if (row.isCommonX || (!allRows && row.slot != slot)) continue;
        if (row.operatorPos > 0) {
            // A composite is found again by its two operand names.
            const auto cut = static_cast<std::size_t>(row.operatorPos - 1);
            const int a =
                cut <= row.name.size() ? ListPosition(listed, row.name.substr(0, cut)) : -1;
            const int b =
                cut < row.name.size() ? ListPosition(listed, row.name.substr(cut + 1)) : -1;
            if (a >= 0 && b >= 0) {
                row.variable = a + indexOffset;
                row.second = b + indexOffset;
            } else {
                remove.push_back(k);
            }
            continue;
        }
        const int p = ListPosition(listed, row.name);
        if (p >= 0) {
            row.variable = p + indexOffset;
        } else if (row.isXRow && !listed.empty()) {
            row.name = listed.front();
            row.variable = indexOffset;
        } else {
            remove.push_back(k);
        }
    }
    return remove;
}
