#include "NewtonRaphson.h"

#include "AuxListing.h"
#include "LinearSolver.h"

#include <cmath>

namespace lf {

void NewtonRaphson::writeJacobianDrawing(std::ostream& aux) const {
    lf::writeJacobianDrawing(aux, {15, "[J] =  MATRIZ JACOBIANA COMPLETA", 'n',
                                   "| J11 . J12 |   | d[gama] |   | dP |",
                                   "| J21 . J22 |   | d[/V/]  |   | dQ |"});
}

void formFullJacobian(const SolveContext& ctx, std::vector<double>& j) {
    j.assign(static_cast<std::size_t>(kJacobianLda) * kJacobianLda, 0.0);
    const int n = ctx.n(), npq = ctx.nPQ(), off = n - 1, slack = n - 1;
    const SolveState& s = ctx.state;
    auto J = [&](int r, int c) -> double& {
        return j[static_cast<std::size_t>(c) * kJacobianLda + static_cast<std::size_t>(r)];
    };
    for (int i = 0; i < n - 1; ++i) {
        std::size_t ii = static_cast<std::size_t>(i);
        if (ctx.kase.buses[ii].type == btSlack) continue;
        const bool pqRow = i < npq;
        const double vi = s.vm[ii];
        for (const Neighbour& nb : ctx.net.neighbours[ii]) {
            const Admittance& yk = ctx.net.branches[static_cast<std::size_t>(nb.branch)].mutual;
            const int m = nb.other;
            const double vm = s.vm[static_cast<std::size_t>(m)];
            const double phi = s.va[static_cast<std::size_t>(m)] + yk.ang - s.va[ii];
            const double t = vi * vm * yk.mag, sn = std::sin(phi), cs = std::cos(phi);
            J(i, i) += t * sn;
            if (pqRow) {
                J(off + i, i) += t * cs;
                J(i, off + i) += vm * yk.mag * cs;
                J(off + i, off + i) -= vm * yk.mag * sn;
            }
            if (m == slack) continue;
            const bool pqCol = m < npq;
            J(i, m) -= t * sn;
            if (pqCol) J(i, off + m) += vi * yk.mag * cs;
            if (pqRow) J(off + i, m) -= t * cs;
            if (pqRow && pqCol) J(off + i, off + m) -= vi * yk.mag * sn;
        }
        if (pqRow) {
            const Admittance& y = ctx.net.own[ii];
            J(i, off + i) += 2 * vi * y.mag * std::cos(y.ang);
            J(off + i, off + i) -= 2 * vi * y.mag * std::sin(y.ang);
        }
    }
}

void NewtonRaphson::list(const SolveContext& ctx, int k) const {
    if (!ctx.aux) return;
    std::ostream& aux = *ctx.aux;
    const int a = ctx.n() - 1, q = ctx.nPQ();
    writeIterationTitle(aux, k);
    writeJacobianBlock(aux, kHeadingDPdTheta, "J11", a, a, [&](int i, int m) { return at(i, m); });
    aux << '\n';
    writeJacobianBlock(aux, kHeadingDPdV, "J12", a, q, [&](int i, int m) { return at(i, a + m); });
    aux << '\n';
    writeJacobianBlock(aux, kHeadingDQdTheta, "J21", q, a,
                       [&](int i, int m) { return at(a + i, m); });
    aux << '\n';
    writeJacobianBlock(aux, kHeadingDQdV, "J22", q, q,
                       [&](int i, int m) { return at(a + i, a + m); });
}

void NewtonRaphson::prepare(SolveContext& ctx) {
    formFullJacobian(ctx, j_);
    list(ctx, 0);
}

void NewtonRaphson::correct(SolveContext& ctx, int k) {
    formFullJacobian(ctx, j_);
    list(ctx, k);
    const int n = ctx.n(), npq = ctx.nPQ(), order = NewtonRaphson::order(ctx);
    SolveState& s = ctx.state;
    std::vector<double> b(static_cast<std::size_t>(kJacobianLda), 0.0), x(b.size(), 0.0);
    for (int r = 0; r < n - 1; ++r)
        b[static_cast<std::size_t>(r)] = s.dp[static_cast<std::size_t>(r)];
    for (int r = 0; r < npq; ++r)
        b[static_cast<std::size_t>(n - 1 + r)] = s.dq[static_cast<std::size_t>(r)];
    // A lone slack bus leaves no equation.
    if (order > 0) SolveLinearSystem(j_, b, kJacobianLda, order, x);
    for (int r = 0; r < n - 1; ++r)
        s.va[static_cast<std::size_t>(r)] += x[static_cast<std::size_t>(r)];
    for (int r = 0; r < npq; ++r)
        s.vm[static_cast<std::size_t>(r)] += x[static_cast<std::size_t>(n - 1 + r)];
    updateRectangular(s);
}

} // namespace lf
