#include "GaussSeidel.h"

#include <cmath>

namespace lf {

namespace {

using Complex = GaussSeidel::Complex;

// Quotient by the textbook formula, term for term, so every build rounds alike.
Complex divide(Complex x, Complex y) {
    const double d = y.real() * y.real() + y.imag() * y.imag();
    return {(x.real() * y.real() + x.imag() * y.imag()) / d,
            (x.imag() * y.real() - x.real() * y.imag()) / d};
}

Complex times(Complex x, Complex y) {
    return {x.real() * y.real() - x.imag() * y.imag(), x.imag() * y.real() + x.real() * y.imag()};
}

Complex admittance(const Admittance& y) {
    return {y.g, y.b};
}

Complex polarOf(double magnitude, double angle) {
    return {magnitude * std::cos(angle), magnitude * std::sin(angle)};
}

// Angle by the one-argument arc tangent, as the method takes it: a voltage
// with a negative real part is turned to the opposite direction.
double foldedAngle(Complex v) {
    return std::atan(v.imag() / v.real());
}

} // namespace

void GaussSeidel::prepare(SolveContext& ctx) {
    const std::size_t n = ctx.kase.buses.size();
    v_.resize(n);
    a_.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        v_[i] = {ctx.state.e[i], ctx.state.f[i]};
        const Bus& b = ctx.kase.buses[i];
        a_[i] = divide({b.pspec, -b.qspec}, admittance(ctx.net.own[i]));
    }
    cFrom_.clear();
    cTo_.clear();
    for (const BranchElements& e : ctx.net.branches) {
        const Complex yk = admittance(e.mutual);
        cFrom_.push_back(divide(yk, admittance(ctx.net.own[static_cast<std::size_t>(e.from)])));
        cTo_.push_back(divide(yk, admittance(ctx.net.own[static_cast<std::size_t>(e.to)])));
    }
}

Complex GaussSeidel::current(const SolveContext& ctx, std::size_t i) const {
    Complex sum = times(admittance(ctx.net.own[i]), v_[i]);
    for (const Neighbour& nb : ctx.net.neighbours[i])
        sum += times(admittance(ctx.net.branches[static_cast<std::size_t>(nb.branch)].mutual),
                     v_[static_cast<std::size_t>(nb.other)]);
    return sum;
}

Complex GaussSeidel::updated(const SolveContext& ctx, std::size_t i) const {
    const Complex vi = v_[i];
    const double v2 = vi.real() * vi.real() + vi.imag() * vi.imag();
    const Complex av = times(a_[i], vi);
    Complex u(av.real() / v2, av.imag() / v2);
    for (const Neighbour& nb : ctx.net.neighbours[i]) {
        const std::size_t k = static_cast<std::size_t>(nb.branch);
        const bool sending = ctx.net.branches[k].from == static_cast<int>(i);
        u -= times(sending ? cFrom_[k] : cTo_[k], v_[static_cast<std::size_t>(nb.other)]);
    }
    return u;
}

void GaussSeidel::computeMismatches(SolveContext& ctx) {
    SolveState& s = ctx.state;
    for (std::size_t i = 0; i < ctx.kase.buses.size(); ++i) {
        const Complex c = current(ctx, i);
        s.p[i] = s.e[i] * c.real() + s.f[i] * c.imag();
        s.q[i] = s.f[i] * c.real() - s.e[i] * c.imag();
        s.dp[i] = ctx.kase.buses[i].pspec - s.p[i];
        s.dq[i] = ctx.kase.buses[i].qspec - s.q[i];
    }
}

void GaussSeidel::correct(SolveContext& ctx, int) {
    SolveState& s = ctx.state;
    const double alpha = ctx.kase.general.acceleration;
    for (std::size_t i = 0; i < ctx.kase.buses.size(); ++i) {
        const Bus& b = ctx.kase.buses[i];
        Complex result;
        if (b.type == btSlack) {
            result = polarOf(b.vm, b.va);
        } else {
            if (b.type == btPV) {
                v_[i] = polarOf(b.vm, foldedAngle(v_[i]));
                const Complex c = current(ctx, i);
                const double q = v_[i].imag() * c.real() - v_[i].real() * c.imag();
                a_[i] = divide({b.pspec, -q}, admittance(ctx.net.own[i]));
                result = polarOf(b.vm, foldedAngle(updated(ctx, i)));
            } else {
                result = updated(ctx, i);
            }
            v_[i] += Complex(alpha * (result.real() - v_[i].real()),
                             alpha * (result.imag() - v_[i].imag()));
        }
        s.e[i] = result.real();
        s.f[i] = result.imag();
        s.vm[i] = std::abs(result);
        s.va[i] = std::atan2(result.imag(), result.real());
    }
}

} // namespace lf
