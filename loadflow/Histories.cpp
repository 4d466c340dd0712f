#include "Histories.h"

#include "CaseModel.h"
#include "EditFormat.h"

#include <cmath>

namespace lf {

std::string historyTitle(const ProgramTraits& t, const std::string& fluName) {
    return std::string("// Archivo generado por el ") + t.historyWord + " 7.41," +
           " a partir del [" + A(fluName, 34) + "]";
}

void writeAdfNames(std::ostream& adf) {
    adf << "iteracion" << X(5) << "MaxdeltaP" << X(5) << "MaxdeltaQ" << X(8) << "+tole" << X(8)
        << "-tole\n";
}

void writeAdfRow(std::ostream& adf, int k, double dp, double dq, double tolerance) {
    adf << X(3) << Iwide(k, 3) << X(7) << Fwide(dp, 10, 6) << X(4) << Fwide(dq, 10, 6) << X(5)
        << Fwide(tolerance, 8, 5) << X(5) << Fwide(-tolerance, 8, 5) << '\n';
}

void writeVolNames(std::ostream& vol, int nBuses) {
    vol << "iter  ";
    for (int i = 1; i <= nBuses; ++i)
        vol << "/V(" << i << ")/  Ang(" << i << ")" << X(4);
    vol << '\n';
}

double magnitudeOf(double e, double f) {
    return std::sqrt(e * e + f * f);
}

double foldedAngleDeg(double e, double f) {
    if (e == 0) return f > 0 ? 90.0 : (f < 0 ? -90.0 : 0.0);
    return std::atan(f / e) * 180 / kPi;
}

void writeVolRow(std::ostream& vol, int k, const SolveState& s) {
    vol << Iwide(k, 3) << ' ';
    for (std::size_t i = 0; i < s.e.size(); ++i)
        vol << Fwide(magnitudeOf(s.e[i], s.f[i]), 8, 4)
            << Fwide(foldedAngleDeg(s.e[i], s.f[i]), 8, 3) << X(2);
    vol << '\n';
}

} // namespace lf
