#pragma once
// The iteration loop common to all methods: pass, histories, table row,
// convergence test, counter and limit, and the closing messages.

#include "Console.h"
#include "ProgramTraits.h"
#include "Solver.h"

#include <ostream>

namespace lf {

struct RunFiles {
    std::ostream& report;
    std::ostream& vol;
    std::ostream& aux;
    std::ostream& adf;
};

struct IterationResult {
    bool converged = false;
    long long corrections = 0;
    LargestMismatch last;
};

IterationResult iterate(const ProgramTraits& traits, IterationMethod& method, SolveContext& ctx,
                        Console& console, RunFiles& files);

} // namespace lf
