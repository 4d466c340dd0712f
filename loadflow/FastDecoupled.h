#pragma once
// Fast decoupled Newton-Raphson: the J11 and J22 blocks of the full Jacobian,
// evaluated once at the start state and kept for every correction.

#include "Decoupled.h"

namespace lf {

class FastDecoupled : public IterationMethod {
public:
    void writeJacobianDrawing(std::ostream& aux) const override;
    void prepare(SolveContext& ctx) override;
    void correct(SolveContext& ctx, int k) override;

private:
    DecoupledBlocks start_;
};

} // namespace lf
