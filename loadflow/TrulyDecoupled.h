#pragma once
// Truly decoupled Newton-Raphson: J11 and J22 approximated from the
// susceptances of the admittance elements and the present magnitudes, formed
// anew for every correction.

#include "Decoupled.h"

namespace lf {

// The susceptance blocks at the present magnitudes into `blocks` (cleared
// first). J22 is formed for every non-slack bus; only its first nPQ rows and
// columns enter the system.
void formSusceptanceBlocks(const SolveContext& ctx, DecoupledBlocks& blocks);

class TrulyDecoupled : public IterationMethod {
public:
    void writeJacobianDrawing(std::ostream& aux) const override;
    void prepare(SolveContext& ctx) override;
    void correct(SolveContext& ctx, int k) override;

private:
    DecoupledBlocks blocks_;
};

} // namespace lf
