#include "LinearSolver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <vector>

using lf::SolveLinearSystem;

namespace {
// Column-major 50 x 50 storage with the given rows.
std::vector<double> byColumns(const std::vector<std::vector<double>>& rows) {
    std::vector<double> a(50 * 50, 0.0);
    for (std::size_t i = 0; i < rows.size(); ++i)
        for (std::size_t j = 0; j < rows[i].size(); ++j)
            a[j * 50 + i] = rows[i][j];
    return a;
}
} // namespace

TEST(LinearSolver, SolvesAThreeByThreeSystemNeedingExchanges) {
    // Solution (1, -2, 3); the first pivot must come from row 3.
    auto a = byColumns({{1, 2, 3}, {2, 5, 1}, {4, 1, 2}});
    std::vector<double> b{6, -5, 8}, x(3);
    SolveLinearSystem(a, b, 50, 3, x);
    EXPECT_NEAR(x[0], 1.0, 1e-6);
    EXPECT_NEAR(x[1], -2.0, 1e-6);
    EXPECT_NEAR(x[2], 3.0, 1e-6);
    // The factor is upper triangular with zeros below the diagonal.
    EXPECT_EQ(a[0 * 50 + 1], 0.0);
    EXPECT_EQ(a[0 * 50 + 2], 0.0);
    EXPECT_EQ(a[1 * 50 + 2], 0.0);
    EXPECT_EQ(a[0], 4.0);
}

TEST(LinearSolver, EqualPivotMagnitudesKeepTheUpperRow) {
    auto a = byColumns({{2, 1}, {-2, 3}});
    std::vector<double> b{3, 1}, x(2);
    SolveLinearSystem(a, b, 50, 2, x);
    EXPECT_EQ(a[0], 2.0); // no exchange
    EXPECT_NEAR(x[0], 1.0, 1e-7);
    EXPECT_NEAR(x[1], 1.0, 1e-7);
}

TEST(LinearSolver, OrderOneDividesAtOnce) {
    std::vector<double> a{4.0}, b{2.0}, x(1);
    SolveLinearSystem(a, b, 1, 1, x);
    EXPECT_DOUBLE_EQ(x[0], 0.5);
}

TEST(LinearSolver, OrderZeroTouchesNothing) {
    std::vector<double> a, b, x{7.0};
    SolveLinearSystem(a, b, 50, 0, x);
    EXPECT_EQ(x[0], 7.0);
}

TEST(LinearSolver, SingularSystemGivesNonFiniteValues) {
    auto a = byColumns({{1, 2}, {2, 4}});
    std::vector<double> b{1, 1}, x(2);
    SolveLinearSystem(a, b, 50, 2, x);
    EXPECT_FALSE(std::isfinite(x[0]) && std::isfinite(x[1]));
}

TEST(LinearSolver, ArraysTooSmallAreRefused) {
    std::vector<double> a(3), b(2), x(2);
    EXPECT_THROW(SolveLinearSystem(a, b, 2, 2, x), std::invalid_argument);
    EXPECT_THROW(SolveLinearSystem(a, b, 1, 2, x), std::invalid_argument);
}
