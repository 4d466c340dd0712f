#pragma once
// The convergence history (.ADF) and voltage history (.VOL): ADF text files
// with a comment line, a line of names and one row per pass.

#include "ProgramTraits.h"
#include "Solver.h"

#include <ostream>
#include <string>

namespace lf {

// The first line of both files; fluName is the 34-column case name.
std::string historyTitle(const ProgramTraits& traits, const std::string& fluName);

void writeAdfNames(std::ostream& adf);
// One row: the signed mismatches of the recorded buses (0 where none) and the
// tolerance band. Fields too wide for their column widen.
void writeAdfRow(std::ostream& adf, int k, double dp, double dq, double tolerance);

// Names of the .VOL columns, with the full bus number.
void writeVolNames(std::ostream& vol, int nBuses);
void writeVolRow(std::ostream& vol, int k, const SolveState& s);

// |V| and the angle in degrees folded into -90..+90 (one-argument arc
// tangent), from e + jf; a bus with e = 0 gets +90, -90 or 0 by the sign of f.
double magnitudeOf(double e, double f);
double foldedAngleDeg(double e, double f);

} // namespace lf
