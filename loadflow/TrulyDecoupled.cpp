#include "TrulyDecoupled.h"

#include "AuxListing.h"
#include "NewtonRaphson.h"

namespace lf {

void formSusceptanceBlocks(const SolveContext& ctx, DecoupledBlocks& blocks) {
    blocks.clear();
    const SolveState& s = ctx.state;
    for (int i = 0; i < ctx.n() - 1; ++i) {
        const std::size_t ii = static_cast<std::size_t>(i);
        if (ctx.kase.buses[ii].type == btSlack) continue;
        const double vi = s.vm[ii], bii = ctx.net.own[ii].b;
        cell(blocks.j11, i, i) = -bii * vi * vi;
        cell(blocks.j22, i, i) = -2 * bii * vi;
        for (const Neighbour& nb : ctx.net.neighbours[ii]) {
            const std::size_t m = static_cast<std::size_t>(nb.other);
            if (ctx.kase.buses[m].type == btSlack) continue;
            const double bk = ctx.net.branches[static_cast<std::size_t>(nb.branch)].mutual.b;
            cell(blocks.j11, i, nb.other) += -vi * s.vm[m] * bk;
            cell(blocks.j22, i, nb.other) += -vi * bk;
        }
    }
}

void TrulyDecoupled::writeJacobianDrawing(std::ostream& aux) const {
    lf::writeJacobianDrawing(aux, {7, "[J] = MATRIZ JACOBIANA VERDADERAMENTE DESACOPLADA", 'n',
                                   "| J11 .  0  |   | d[gama] |   | dP |",
                                   "|  0  . J22 |   | d[/V/]  |   | dQ |"});
}

void TrulyDecoupled::prepare(SolveContext& ctx) {
    formSusceptanceBlocks(ctx, blocks_);
    listDecoupledBlocks(ctx, blocks_, 0);
}

void TrulyDecoupled::correct(SolveContext& ctx, int k) {
    formSusceptanceBlocks(ctx, blocks_);
    listDecoupledBlocks(ctx, blocks_, k);
    applyDecoupledCorrection(ctx, blocks_);
}

} // namespace lf
