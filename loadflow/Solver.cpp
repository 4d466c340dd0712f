#include "Solver.h"

#include <cmath>

namespace lf {

void IterationMethod::computeMismatches(SolveContext& ctx) {
    polarMismatches(ctx.kase, ctx.net, ctx.state);
}

SolveState startState(const Case& c) {
    SolveState s;
    std::size_t n = c.buses.size();
    for (auto* v : {&s.vm, &s.va, &s.e, &s.f, &s.p, &s.q, &s.dp, &s.dq})
        v->assign(n, 0.0);
    for (std::size_t i = 0; i < n; ++i) {
        s.vm[i] = c.buses[i].vm;
        s.va[i] = c.buses[i].va;
    }
    updateRectangular(s);
    return s;
}

void updateRectangular(SolveState& s) {
    for (std::size_t i = 0; i < s.vm.size(); ++i) {
        s.e[i] = s.vm[i] * std::cos(s.va[i]);
        s.f[i] = s.vm[i] * std::sin(s.va[i]);
    }
}

void polarMismatches(const Case& c, const Network& net, SolveState& s) {
    for (std::size_t i = 0; i < c.buses.size(); ++i) {
        const Admittance& y = net.own[i];
        double vi = s.vm[i];
        double p = vi * vi * y.mag * std::cos(y.ang);
        double q = vi * vi * y.mag * std::sin(-y.ang);
        for (const Neighbour& nb : net.neighbours[i]) {
            const Admittance& yk = net.branches[static_cast<std::size_t>(nb.branch)].mutual;
            std::size_t m = static_cast<std::size_t>(nb.other);
            double t = vi * s.vm[m] * yk.mag;
            double angle = s.va[i] - s.va[m] - yk.ang;
            p += t * std::cos(angle);
            q += t * std::sin(angle);
        }
        s.p[i] = p;
        s.q[i] = q;
        s.dp[i] = c.buses[i].pspec - p;
        s.dq[i] = c.buses[i].qspec - q;
    }
}

namespace {
// Strictly larger replaces; a non-finite value replaces a finite one, so a
// broken state can never look converged.
void consider(double value, int bus, double& max, int& at) {
    double a = std::fabs(value);
    bool replace = std::isfinite(max) ? (!std::isfinite(a) || a > max) : false;
    if (replace) {
        max = a;
        at = bus;
    }
}
} // namespace

LargestMismatch largestMismatches(const Case& c, const SolveState& s) {
    LargestMismatch m;
    for (std::size_t i = 0; i < c.buses.size(); ++i) {
        int type = c.buses[i].type;
        int bus = static_cast<int>(i);
        if (type == btPV || type == btPQ) consider(s.dp[i], bus, m.maxP, m.busP);
        if (type == btPQ) consider(s.dq[i], bus, m.maxQ, m.busQ);
    }
    return m;
}

bool meetsTolerance(const LargestMismatch& m, double tolerance) {
    return std::isfinite(m.maxP) && std::isfinite(m.maxQ) && tolerance > m.maxP &&
           tolerance > m.maxQ;
}

} // namespace lf
