#include "Decoupled.h"

#include "AuxListing.h"
#include "LinearSolver.h"
#include "NewtonRaphson.h"

namespace lf {

namespace {

// Solves one block system of order `order` and adds the result to `target`
// (the first `order` entries).
void solveInto(std::vector<double>& block, const std::vector<double>& rhs, int order,
               std::vector<double>& target) {
    if (order < 1) return;
    std::vector<double> b(static_cast<std::size_t>(kJacobianLda), 0.0), x(b.size(), 0.0);
    for (int r = 0; r < order; ++r)
        b[static_cast<std::size_t>(r)] = rhs[static_cast<std::size_t>(r)];
    SolveLinearSystem(block, b, kJacobianLda, order, x);
    for (int r = 0; r < order; ++r)
        target[static_cast<std::size_t>(r)] += x[static_cast<std::size_t>(r)];
}

} // namespace

void DecoupledBlocks::clear() {
    j11.assign(static_cast<std::size_t>(kJacobianLda) * kJacobianLda, 0.0);
    j22.assign(j11.size(), 0.0);
}

void listDecoupledBlocks(const SolveContext& ctx, const DecoupledBlocks& blocks, int k) {
    if (!ctx.aux) return;
    std::ostream& aux = *ctx.aux;
    const int a = ctx.n() - 1, q = ctx.nPQ();
    writeIterationTitle(aux, k);
    writeJacobianBlock(aux, kHeadingDPdTheta, "J11", a, a,
                       [&](int i, int m) { return cell(blocks.j11, i, m); });
    aux << '\n';
    writeJacobianBlock(aux, kHeadingDQdV, "J22", q, q,
                       [&](int i, int m) { return cell(blocks.j22, i, m); });
}

void applyDecoupledCorrection(SolveContext& ctx, DecoupledBlocks& blocks) {
    SolveState& s = ctx.state;
    solveInto(blocks.j11, s.dp, ctx.n() - 1, s.va);
    solveInto(blocks.j22, s.dq, ctx.nPQ(), s.vm);
    updateRectangular(s);
}

} // namespace lf
