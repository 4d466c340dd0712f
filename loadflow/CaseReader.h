#pragma once
// Fixed-column records of the .FLU case file.

#include "CaseModel.h"

#include <istream>
#include <optional>
#include <string>

namespace lf {

// Reads the case file one record at a time; a carriage return before the
// line end is dropped, and short records read as if blank-padded.
class RecordSource {
public:
    explicit RecordSource(std::istream& in) : in_(in) {}
    // The next record, or empty at the end of the file.
    std::optional<std::string> next();

private:
    std::istream& in_;
};

// Record 4: seven F8.0 values. Empty when a field is unreadable or an integer
// value lies outside the 32-bit range.
std::optional<GeneralData> parseGeneral(const std::string& record);

// Bus record; empty when a field is unreadable or the type code unknown. The
// magnitude 0 rule is applied; the angle stays in degrees.
std::optional<Bus> parseBus(const std::string& record);

// Line and transformer records; the bus indices are not yet known.
std::optional<Branch> parseLine(const std::string& record);
std::optional<Branch> parseTransformer(const std::string& record);

// Index of the bus with this name (10 characters, exact); the last match wins.
std::optional<int> findBus(const Case& c, const std::string& name);

// Type code of columns 11-12: 1, 2, 3, or 0 when unknown.
int decodeBusType(const std::string& code);

} // namespace lf
