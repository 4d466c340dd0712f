#pragma once
// The iteration state shared by all methods and the interface a method
// implements to plug into the common iteration loop.

#include "CaseModel.h"
#include "Network.h"

#include <ostream>
#include <vector>

namespace lf {

// Voltages and powers of every bus. A method keeps e + jf consistent with
// what the .VOL rows and the report show.
struct SolveState {
    std::vector<double> vm, va; // magnitude, angle in radians
    std::vector<double> e, f;   // rectangular voltage
    std::vector<double> p, q;   // computed injections of the last pass
    std::vector<double> dp, dq; // specified minus computed (specified 0 where unset)
};

// Largest |dP| over PV and PQ buses and |dQ| over PQ buses; bus -1 when no
// bus qualified. A non-finite mismatch is recorded in place of a finite one.
struct LargestMismatch {
    double maxP = 0, maxQ = 0;
    int busP = -1, busQ = -1;
};

struct SolveContext {
    const Case& kase;
    const Network& net;
    SolveState& state;
    std::ostream* aux; // Jacobian listings go here; null when not written
    int n() const { return static_cast<int>(kase.buses.size()); }
    int nPQ() const { return kase.totals.nPQ; }
    int nPV() const { return kase.totals.nPV; }
};

class IterationMethod {
public:
    virtual ~IterationMethod() = default;
    // Drawing of the method's matrix, written once to the .AUX file.
    virtual void writeJacobianDrawing(std::ostream& aux) const = 0;
    // Once before the start time is taken (e.g. the matrix at the start state).
    virtual void prepare(SolveContext& ctx) = 0;
    // p, q, dp and dq of every bus at the present state.
    virtual void computeMismatches(SolveContext& ctx);
    // Correction number k (from 1) after a pass that did not converge.
    virtual void correct(SolveContext& ctx, int k) = 0;
};

// Start state from the case: magnitude, angle (radians) and e + jf.
SolveState startState(const Case& c);

// Injections from the polar admittance elements at |V| and angle.
void polarMismatches(const Case& c, const Network& net, SolveState& s);

LargestMismatch largestMismatches(const Case& c, const SolveState& s);

// Both largest mismatches finite and strictly below the tolerance.
bool meetsTolerance(const LargestMismatch& m, double tolerance);

// e and f from |V| and angle for every bus.
void updateRectangular(SolveState& s);

} // namespace lf
