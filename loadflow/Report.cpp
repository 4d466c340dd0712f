#include "Report.h"

#include "EditFormat.h"
#include "Histories.h"

#include <cmath>
#include <complex>

namespace lf {

namespace {

using cd = std::complex<double>;

std::string dashes(int n) {
    return std::string(static_cast<std::size_t>(n), '-');
}

// A shunt power too small to matter prints as 0, never -0.000.
double shown(double v) {
    return std::fabs(v) < 1.0E-6 ? 0.0 : v;
}

void busHeading(std::ostream& r) {
    r << "\n\n"
      << X(4) << dashes(14) << " R E S U L T A D O S   D E   B A R R A S " << dashes(14) << '\n';
    r << X(6) << "NOMBRE   --- TENSION ---  " << dashes(15) << " POTENCIAS " << dashes(15) << '\n';
    r << X(7) << "DE      MODULO    FASE     PG     QG     PD     QD"
      << "     PB     QB\n";
    r << X(4) << "< BARRA  >  (pu)    (grad) ";
    for (int i = 0; i < 6; ++i)
        r << " ( pu )";
    r << '\n' << X(4) << dashes(69) << '\n';
}

void flowHeading(std::ostream& r) {
    r << "\n\n"
      << X(9) << dashes(11) << " F L U J O S   D E   P O T E N C I A " << dashes(10) << '\n';
    r << X(32) << "---- ENVIADO ----  --- RECIBIDO ---\n";
    r << X(9) << "-DE BARRA- -A BARRA--" << X(4) << "P(pu)     S(pu)   P(pu)     S(pu)\n";
    r << X(34) << "Q(pu)   Ang(gd)   Q(pu)   Ang(gd)\n";
    r << X(9) << dashes(58) << '\n';
}

void balanceLine(std::ostream& r, const char* label, double v) {
    r << X(11) << label << F(v, 8, 4) << '\n';
}

double angleDeg(const cd& s) {
    return s.real() != 0 ? std::atan2(s.imag(), s.real()) * 180 / kPi : 0.0;
}

} // namespace

Balances writeResults(std::ostream& r, const ProgramTraits& t, const Case& c, const Network& net,
                      const SolveState& s) {
    Balances bal;
    bal.pg = c.totals.pg;
    bal.qg = c.totals.qg;
    bal.pd = c.totals.pd;
    bal.qd = c.totals.qd;
    std::size_t n = c.buses.size();

    busHeading(r);
    std::vector<double> pb(n), qb(n);
    for (std::size_t i = 0; i < n; ++i) {
        double v2 = s.e[i] * s.e[i] + s.f[i] * s.f[i];
        pb[i] = v2 * c.buses[i].gb;
        qb[i] = -v2 * c.buses[i].bb;
        bal.pb += pb[i];
        bal.qb += qb[i];
    }
    for (std::size_t i = 0; i < n; ++i) {
        const Bus& b = c.buses[i];
        double pg = b.pg, qg = b.qg;
        if (b.type == btSlack) {
            pg = b.pd + s.p[i];
            qg = b.qd + s.q[i];
            bal.pg += pg;
            bal.qg += qg;
        } else if (b.type == btPV) {
            qg = b.qd + s.q[i];
            bal.qg += qg;
        }
        double vm, deg;
        if (t.reportsResultVoltages) {
            vm = magnitudeOf(s.e[i], s.f[i]);
            deg = foldedAngleDeg(s.e[i], s.f[i]);
        } else {
            vm = s.vm[i];
            deg = s.va[i] * 180 / kPi;
        }
        r << X(4) << A(b.name, 10) << ' ' << F(vm, 6, 4) << F(deg, 9, 4) << ' ';
        for (double v : {pg, qg, b.pd, b.qd, shown(pb[i]), shown(qb[i])})
            r << F(v, 7, 3);
        r << '\n';
        auto warn = [&] {
            r << '\n'
              << X(t.limitWarningIndent) << "*** LIMITE DE CARGABILIDAD SUPERADO EN BARRA ["
              << A(b.name, 10) << "] ***\n\n";
        };
        if (b.qgmin != 0 && qg < b.qgmin) warn();
        if (b.qgmax != 0 && qg > b.qgmax) warn();
    }
    r << X(4) << dashes(69) << '\n';

    flowHeading(r);
    for (std::size_t k = 0; k < net.branches.size(); ++k) {
        const BranchElements& e = net.branches[k];
        const Branch& br = c.branches[k];
        std::size_t a = static_cast<std::size_t>(e.from), z = static_cast<std::size_t>(e.to);
        cd vs(s.e[a], s.f[a]), vr(s.e[z], s.f[z]);
        cd yk(e.mutual.g, e.mutual.b), ps(e.gs, e.bs), pr(e.gr, e.br);
        cd current = -yk * (vs - vr);
        double y2 = std::norm(yk), i2 = std::norm(current);
        bal.pser += i2 * (-e.mutual.g) / y2;
        bal.qser += i2 * e.mutual.b / y2;
        cd sent = vs * std::conj(current + ps * vs);
        cd recv = -vr * std::conj(pr * vr - current);
        bal.qsh += -std::norm(vs) * e.bs - std::norm(vr) * e.br;
        double ssent = std::abs(sent), srecv = std::abs(recv);
        r << X(9) << A(br.fromName, 10) << ' ' << A(br.toName, 10) << ' ' << F(sent.real(), 8, 4)
          << F(ssent, 10, 4) << F(recv.real(), 8, 4) << F(srecv, 10, 4) << '\n';
        r << X(31) << F(sent.imag(), 8, 4) << F(angleDeg(sent), 10, 4) << F(recv.imag(), 8, 4)
          << F(angleDeg(recv), 10, 4) << '\n';
        if (k + 1 < net.branches.size()) r << '\n';
        if (br.snom != 0 && (ssent > br.snom || srecv > br.snom))
            r << '\n'
              << X(3) << "*** SOBRECARGA EN LA RAMA ENTRE BARRAS [" << A(br.fromName, 10) << "] y ["
              << A(br.toName, 10) << "] ***\n\n\n";
    }
    r << X(9) << dashes(58) << '\n';

    r << "\n\n\n" << X(13) << "BALANCE DE POTENCIAS ACTIVAS:\n" << X(13) << dashes(28) << '\n';
    balanceLine(r, "+ GENERADA POR LOS GENERADORES ... ... ... ... ... ", bal.pg);
    balanceLine(r, "- DEMANDADA POR LOS CONSUMIDORES ... .. ... .. ... ", bal.pd);
    balanceLine(r, "- CONSUMIDA EN LAS RESISTENCIAS SERIE DE RAMAS ... ", bal.pser);
    balanceLine(r, "- CONSUMIDA EN LAS CONDUCTANCIAS SHUNT DE BARRAS   ", bal.pb);
    r << X(63) << dashes(7) << '\n' << X(62) << F(bal.activeResidual(), 8, 4) << '\n';

    r << '\n' << X(13) << "BALANCE DE POTENCIAS REACTIVAS:\n" << X(13) << dashes(30) << '\n';
    balanceLine(r, "+ GENERADA POR LOS GENERADORES ... ... ... ... ... ", bal.qg);
    balanceLine(r, "- DEMANDADA POR LOS CONSUMIDORES ... .. ... .. ... ", bal.qd);
    balanceLine(r, "- CONSUMIDA EN LAS REACTANCIAS SERIE DE RAMAS .... ", bal.qser);
    balanceLine(r, "- CONSUMIDAS EN LAS SUSCEPTACIAS SHUNT DE RAMAS .. ", bal.qsh);
    balanceLine(r, "- CONSUMIDAS EN LAS SUSCEPTANCIAS SHUNT DE BARRAS  ", bal.qb);
    r << X(63) << dashes(7) << '\n' << X(62) << F(bal.reactiveResidual(), 8, 4) << '\n';
    r << "\n\n"
      << X(30) << dashes(14) << '\n'
      << X(31) << "FIN DEL CASO\n"
      << X(30) << dashes(14) << '\n';
    return bal;
}

} // namespace lf
