#pragma once
// The results report: bus table with generation and reactive-limit warnings,
// branch flows with overload warnings, and the power balances.

#include "CaseModel.h"
#include "Network.h"
#include "ProgramTraits.h"
#include "Solver.h"

#include <ostream>

namespace lf {

// Totals of the balances, returned for the checks of callers and tests.
struct Balances {
    double pg = 0, qg = 0, pd = 0, qd = 0;
    double pser = 0, qser = 0, qsh = 0;
    double pb = 0, qb = 0;
    double activeResidual() const { return pg - pd - pser - pb; }
    double reactiveResidual() const { return qg - qd - qser - qsh - qb; }
};

Balances writeResults(std::ostream& report, const ProgramTraits& traits, const Case& c,
                      const Network& net, const SolveState& s);

} // namespace lf
