#include "GridPublished.h"

#include <array>
#include <string_view>

namespace {

// Far beyond any form of this program; keeps a broken form from asking for
// millions of cells.
constexpr int kMaxCount = 100000;
constexpr int kMaxSize = 10000;

constexpr std::array<std::string_view, 15> kOptionNames{
    "goFixedVertLine", "goFixedHorzLine",     "goVertLine",     "goHorzLine",
    "goRangeSelect",   "goDrawFocusSelected", "goRowSizing",    "goColSizing",
    "goRowMoving",     "goColMoving",         "goEditing",      "goTabs",
    "goRowSelect",     "goAlwaysShowEditor",  "goThumbTracking"};

int ReadRange(TReader& r, const std::string& name, int low, int high) {
    const int value = r.ReadInteger();
    if (value < low || value > high)
        throw EReadError("Invalid value " + std::to_string(value) + " for property " + name);
    return value;
}

TGridOptions ReadOptions(TReader& r) {
    TGridOptions options = 0;
    r.ReadListBegin();
    while (!r.EndOfList()) {
        const std::string ident = r.ReadIdent();
        bool known = false;
        for (std::size_t i = 0; i < kOptionNames.size(); ++i)
            if (kOptionNames[i] == ident) {
                options |= 1u << i;
                known = true;
            }
        if (!known) throw EReadError("Invalid value " + ident + " for property Options");
    }
    r.ReadListEnd();
    return options;
}

} // namespace

bool ReadGridPublished(TCustomGrid& g, const std::string& name, TReader& r) {
    if (name == "ColCount")
        g.SetColCount(ReadRange(r, name, 1, kMaxCount));
    else if (name == "RowCount")
        g.SetRowCount(ReadRange(r, name, 1, kMaxCount));
    else if (name == "FixedCols")
        g.SetFixedCols(ReadRange(r, name, 0, kMaxCount));
    else if (name == "FixedRows")
        g.SetFixedRows(ReadRange(r, name, 0, kMaxCount));
    else if (name == "DefaultColWidth")
        g.SetDefaultColWidth(ReadRange(r, name, 0, kMaxSize));
    else if (name == "DefaultRowHeight")
        g.SetDefaultRowHeight(ReadRange(r, name, 0, kMaxSize));
    else if (name == "Options")
        g.SetOptions(ReadOptions(r));
    else
        return false;
    return true;
}

void WriteGridPublished(const TCustomGrid& g, TWriter& w) {
    const auto integer = [&](const char* name, int value, int initial) {
        if (value == initial) return;
        w.WritePropName(name);
        w.WriteInteger(value);
    };
    integer("ColCount", g.ColCount(), 5);
    integer("RowCount", g.RowCount(), 5);
    integer("FixedCols", g.FixedCols(), 1);
    integer("FixedRows", g.FixedRows(), 1);
    integer("DefaultColWidth", g.DefaultColWidth(), 64);
    integer("DefaultRowHeight", g.DefaultRowHeight(), 24);
    constexpr TGridOptions kInitial =
        goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
    if (g.Options() != kInitial) {
        w.WritePropName("Options");
        w.WriteListBegin();
        for (std::size_t i = 0; i < kOptionNames.size(); ++i)
            if (g.Options() & (1u << i)) w.WriteIdent(std::string(kOptionNames[i]));
        w.WriteListEnd();
    }
}
