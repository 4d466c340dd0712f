#pragma once
// The banner and the echo of the case on the console and in the report.

#include "CaseModel.h"
#include "ProgramTraits.h"

#include <ostream>
#include <string>

namespace lf {

void writeBanner(std::ostream& out, const ProgramTraits& traits);

void writeTitles(std::ostream& console, std::ostream& report, const Case& c);
// The table of general values; fluName and salName are the 34-column names.
void writeGeneralTable(std::ostream& out, const ProgramTraits& traits, const GeneralData& g,
                       const std::string& fluName, const std::string& salName);

void writeBusHeading(std::ostream& report);
void writeBusRow(std::ostream& report, const Bus& bus); // angle in degrees
void writeLineHeading(std::ostream& report);
void writeLineRow(std::ostream& report, const Branch& line);
void writeTransformerHeading(std::ostream& report, const ProgramTraits& traits);
void writeTransformerRow(std::ostream& report, const Branch& transformer);
void writeTransformerClosing(std::ostream& report);

} // namespace lf
