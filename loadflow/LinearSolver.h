#pragma once
// Dense Gaussian elimination with partial pivoting. Some intermediate values
// pass through single precision (the pivot comparison, the row exchange
// temporary, the multiplier and the back-substitution sum) on purpose: the
// solvers' iteration histories depend on them.

#include <span>

namespace lf {

// Solves A x = b for a matrix of order N stored by columns with leading
// dimension LDA (element (i, j) from 1 at (j - 1) LDA + i - 1). A and b are
// overwritten. An order below 1 leaves everything untouched. Throws
// std::invalid_argument when the arrays are too small for N and LDA.
void SolveLinearSystem(std::span<double> A, std::span<double> b, int LDA, int N,
                       std::span<double> x);

} // namespace lf
