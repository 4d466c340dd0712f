#pragma once
// What the two decoupled Newton methods share: the diagonal blocks of the
// Jacobian, their .AUX listing, and the two solves of one correction.

#include "NewtonRaphson.h"
#include "Solver.h"

#include <vector>

namespace lf {

// J11 = dP/d(angle) for buses 1..n-1 and J22 = dQ/d|V| for the PQ buses
// (the first nPQ), each 50 x 50 by columns with leading dimension 50.
// Element (row, col), from 0, of a 50 x 50 matrix stored by columns.
inline double& cell(std::vector<double>& m, int row, int col) {
    return m[static_cast<std::size_t>(col) * kJacobianLda + static_cast<std::size_t>(row)];
}
inline double cell(const std::vector<double>& m, int row, int col) {
    return m[static_cast<std::size_t>(col) * kJacobianLda + static_cast<std::size_t>(row)];
}

struct DecoupledBlocks {
    std::vector<double> j11, j22;
    void clear();
};

// Both blocks as iteration k in the .AUX file; nothing when it is not written.
void listDecoupledBlocks(const SolveContext& ctx, const DecoupledBlocks& blocks, int k);

// Solves J11 d(angle) = dP (order n-1), then J22 d|V| = dQ (order nPQ), both
// with the mismatches of the same pass, and applies the corrections. The
// blocks are overwritten; a system of order 0 is not solved.
void applyDecoupledCorrection(SolveContext& ctx, DecoupledBlocks& blocks);

} // namespace lf
