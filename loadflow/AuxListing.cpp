#include "AuxListing.h"

#include "EditFormat.h"

namespace lf {

namespace {

void yLine(std::ostream& aux, int i, int m, double g, double b) {
    aux << X(14) << "Y(" << I(i, 2) << " ," << I(m, 2) << ")=" << F(g, 11, 6) << "+ j("
        << F(b, 13, 6) << ")\n";
}

void wires(std::ostream& aux) {
    for (int i = 0; i < 3; ++i)
        aux << X(18) << '|' << X(38) << "|\n";
}

} // namespace

void writePiDrawing(std::ostream& aux, const ProgramTraits& t, int number, const Branch& k,
                    const BranchElements& e) {
    double rs, xs, rps, xps, rpr, xpr;
    impedanceOf(e.sg, e.sb, rs, xs);
    impedanceOf(e.gs, e.bs, rps, xps);
    impedanceOf(e.gr, e.br, rpr, xpr);
    if (t.piDrawingCompact)
        aux << '\n' << X(9);
    else
        aux << ' ' << X(9);
    aux << "*** MODELO EN \"PI\" DEL TRANSFORMADOR REGULANTE #" << I(number, 2) << " ***\n\n";
    if (t.piDrawingCompact)
        aux << A(k.fromName, 10);
    else
        aux << ' ' << Aright(k.fromName, 12);
    aux << " *----------(" << F(rs, 9, 5) << ") + j(" << F(xs, 9, 5) << ")----------* "
        << (t.piDrawingCompact ? A(k.toName, 10) : Aright(k.toName, 12)) << '\n';
    wires(aux);
    aux << X(7) << '(' << F(rps, 8, 4) << ") + j(" << F(xps, 8, 4) << ')' << X(15) << '('
        << F(rpr, 8, 4) << ") + j(" << F(xpr, 8, 4) << ")\n";
    wires(aux);
    aux << X(16) << t.earthMark << X(34) << t.earthMark << '\n';
    aux << X(28) << "PARAMETROS IMPEDANCIAS\n\n\n";
}

void writeAdmittanceListing(std::ostream& aux, const Case& c, const Network& net) {
    aux << X(5) << "*** ELEMENTOS PROPIOS DE LA"
        << " MATRIZ ADMITANCIA NODAL ***\n\n";
    for (std::size_t i = 0; i < c.buses.size(); ++i)
        aux << X(14) << "SUBINDICE: " << I(static_cast<long long>(i) + 1, 2)
            << "   -->   BARRA: " << A(c.buses[i].name, 10) << '\n';
    aux << '\n';
    for (std::size_t i = 0; i < c.buses.size(); ++i) {
        int n = static_cast<int>(i) + 1;
        yLine(aux, n, n, net.own[i].g, net.own[i].b);
    }
    aux << "\n\n"
        << X(5) << "*** ELEMENTOS MUTUOS DE LA"
        << " MATRIZ ADMITANCIA NODAL ***\n\n";
    for (const BranchElements& e : net.branches)
        yLine(aux, e.from + 1, e.to + 1, e.mutual.g, e.mutual.b);
}

void writeJacobianDrawing(std::ostream& aux, const JacobianDrawing& d) {
    const std::string lead = X(13);
    const char* spacer = "|     .     |   |         |   |    |";
    aux << '\n' << X(d.titleIndent) << d.title << "\n\n";
    aux << X(26) << d.firstSuperscript << X(13) << 'n' << X(8) << "n\n";
    aux << lead << d.topRow << '\n';
    aux << lead << spacer << '\n';
    aux << lead << "|...........| * |.........| = |....|" << X(3) << "n = 0, 1, 2, ...\n";
    aux << lead << spacer << '\n';
    aux << lead << d.bottomRow << "\n\n\n";
}

void writeIterationTitle(std::ostream& aux, int k) {
    aux << "\n "
        << "      *********** Iteracion " << k << " ***********\n";
}

void writeJacobianBlock(std::ostream& aux, const char* heading, const char* label, int rows,
                        int cols, const std::function<double(int, int)>& value) {
    aux << " "
        << "      " << heading << '\n';
    for (int i = 0; i < rows; ++i)
        for (int m = 0; m < cols; ++m)
            aux << " "
                << "       " << label << '(' << i + 1 << ',' << m + 1 << ")=" << ' '
                << listReal(value(i, m)) << '\n';
}

} // namespace lf
