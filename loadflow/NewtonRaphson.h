#pragma once
// Full Newton-Raphson in polar form: the complete Jacobian is formed at every
// correction and solved once for the angle and magnitude corrections.

#include "Solver.h"

#include <vector>

namespace lf {

inline constexpr int kJacobianLda = 50;

// The complete Jacobian [J11 J12; J21 J22] of the present state into `j`
// (cleared first; 50 x 50 by columns). Angles of buses 1..n-1 take positions
// 0..n-2, magnitudes of the PQ buses (the first nPQ) follow. The decoupled
// methods take their J11 and J22 blocks from here.
void formFullJacobian(const SolveContext& ctx, std::vector<double>& j);

class NewtonRaphson : public IterationMethod {
public:
    void writeJacobianDrawing(std::ostream& aux) const override;
    void prepare(SolveContext& ctx) override;
    void correct(SolveContext& ctx, int k) override;

    // The Jacobian of the present state, by columns with leading dimension 50.
    const std::vector<double>& jacobian() const { return j_; }
    static int order(const SolveContext& ctx) { return ctx.nPV() + 2 * ctx.nPQ(); }

private:
    void list(const SolveContext& ctx, int k) const;
    double at(int row, int col) const {
        return j_[static_cast<std::size_t>(col) * kJacobianLda + static_cast<std::size_t>(row)];
    }

    std::vector<double> j_;
};

} // namespace lf
