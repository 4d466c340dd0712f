#include "LinearSolver.h"

#include <cmath>
#include <cstddef>
#include <stdexcept>

namespace lf {

void SolveLinearSystem(std::span<double> A, std::span<double> b, int LDA, int N,
                       std::span<double> x) {
    if (N < 1) return;
    if (LDA < N) throw std::invalid_argument("leading dimension below the order");
    std::size_t n = static_cast<std::size_t>(N), lda = static_cast<std::size_t>(LDA);
    if (A.size() < (n - 1) * lda + n || b.size() < n || x.size() < n)
        throw std::invalid_argument("arrays too small for the order");

    auto a = [&](std::size_t i, std::size_t j) -> double& { return A[j * lda + i]; };
    auto mag = [](double v) { return std::fabs(static_cast<double>(static_cast<float>(v))); };

    for (std::size_t k = 0; k + 1 < n; ++k) {
        std::size_t p = k;
        for (std::size_t i = k + 1; i < n; ++i)
            if (mag(a(i, k)) > mag(a(p, k))) p = i;
        if (p != k) {
            for (std::size_t j = k; j < n; ++j) {
                float moved = static_cast<float>(a(p, j));
                a(p, j) = a(k, j);
                a(k, j) = moved;
            }
            float moved = static_cast<float>(b[p]);
            b[p] = b[k];
            b[k] = moved;
        }
        for (std::size_t i = k + 1; i < n; ++i) {
            double m = static_cast<float>(a(i, k) / a(k, k));
            for (std::size_t j = k + 1; j < n; ++j)
                a(i, j) -= m * a(k, j);
            b[i] -= m * b[k];
        }
        for (std::size_t i = k + 1; i < n; ++i)
            a(i, k) = 0;
    }

    x[n - 1] = b[n - 1] / a(n - 1, n - 1);
    for (std::size_t i = n - 1; i-- > 0;) {
        float s = 0;
        for (std::size_t j = i + 1; j < n; ++j)
            s = static_cast<float>(s + a(i, j) * x[j]);
        x[i] = (b[i] - s) / a(i, i);
    }
}

} // namespace lf
