#include "FastDecoupled.h"

#include "AuxListing.h"
#include "NewtonRaphson.h"

namespace lf {

void FastDecoupled::writeJacobianDrawing(std::ostream& aux) const {
    lf::writeJacobianDrawing(aux, {10, "[J] = MATRIZ JACOBIANA DESACOPLADA RAPIDA", '0',
                                   "| J11 .  0  |   | d[gama] |   | dP |",
                                   "|  0  . J22 |   | d[/V/]  |   | dQ |"});
}

void FastDecoupled::prepare(SolveContext& ctx) {
    std::vector<double> full;
    formFullJacobian(ctx, full);
    start_.clear();
    const int a = ctx.n() - 1, q = ctx.nPQ();
    for (int c = 0; c < a; ++c)
        for (int r = 0; r < a; ++r)
            cell(start_.j11, r, c) = cell(full, r, c);
    for (int c = 0; c < q; ++c)
        for (int r = 0; r < q; ++r)
            cell(start_.j22, r, c) = cell(full, a + r, a + c);
    listDecoupledBlocks(ctx, start_, 0);
}

void FastDecoupled::correct(SolveContext& ctx, int k) {
    listDecoupledBlocks(ctx, start_, k);
    // The solver overwrites its matrices; the start blocks serve every correction.
    DecoupledBlocks work = start_;
    applyDecoupledCorrection(ctx, work);
}

} // namespace lf
