#pragma once
// Gauss-Seidel in rectangular coordinates: each sweep replaces every bus
// voltage, in case order, by the one that meets its own power equation given
// the latest voltages of the others, relaxed by the acceleration factor.
//
// Two voltages per bus: the working voltage (relaxed), which enters every
// admittance sum, and the result voltage (before relaxation), which the
// mismatches, the histories and the report show; the latter is the e + jf of
// the solve state.

#include "Solver.h"

#include <complex>
#include <vector>

namespace lf {

class GaussSeidel : public IterationMethod {
public:
    void writeJacobianDrawing(std::ostream&) const override {} // the method has no matrix
    void prepare(SolveContext& ctx) override;
    void computeMismatches(SolveContext& ctx) override;
    void correct(SolveContext& ctx, int k) override;

    using Complex = std::complex<double>;
    const std::vector<Complex>& workingVoltages() const { return v_; }

private:
    // Yii Vi + sum of Yk Vm over the elements at bus i, from working voltages.
    Complex current(const SolveContext& ctx, std::size_t i) const;
    // Ai / conj(Vi) - sum of cki Vm: the voltage that meets the bus equation.
    Complex updated(const SolveContext& ctx, std::size_t i) const;

    std::vector<Complex> v_;     // working voltages
    std::vector<Complex> a_;     // (Pspec - j Qspec) / Yii
    std::vector<Complex> cFrom_; // Yk / Y(sending bus) per element
    std::vector<Complex> cTo_;   // Yk / Y(receiving bus) per element
};

} // namespace lf
