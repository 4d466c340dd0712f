#include "Echo.h"

#include "EditFormat.h"

namespace lf {

namespace {

// Texts of the banner that no program states; neutral on purpose.
constexpr const char* kInstitution = "CENTRO DE ESTUDIOS DE SISTEMAS ELECTRICOS - SEDE REGIONAL";
constexpr const char* kCredits[4] = {"GRUPO DE DESARROLLO", "CURSO DE SISTEMAS DE POTENCIA",
                                     "DEPARTAMENTO DE ELECTROTECNIA", "C.E.S.E."};

std::string dashes(int n) {
    return std::string(static_cast<std::size_t>(n), '-');
}

const char* echoWord(int type) {
    switch (type) {
    case btSlack:
        return "FLOT";
    case btPV:
        return " PV ";
    default:
        return " PQ ";
    }
}

} // namespace

void writeBanner(std::ostream& out, const ProgramTraits& t) {
    out << "\n\n\n" << X(9) << kInstitution << "\n\n\n";
    out << X(t.programaIndent) << "PROGRAMA\n\n";
    out << X(t.exeIndent) << "===> " << t.programName << ".EXE <===\n\n";
    for (const BannerLine& line : t.methodLines)
        if (line.text) out << X(line.indent) << line.text << '\n';
    if (t.emptyLineAfterMethod) out << '\n';
    out << X(t.version.indent) << t.version.text << '\n';
    for (int i = 0; i < t.emptyLinesAfterVersion; ++i)
        out << '\n';
    for (int i = 0; i < 4; ++i)
        out << X(t.creditIndents[static_cast<std::size_t>(i)]) << kCredits[i] << '\n';
    out << '\n';
}

void writeTitles(std::ostream& console, std::ostream& report, const Case& c) {
    for (std::ostream* o : {&report, &console})
        *o << "\n\n" << X(3) << "TITULOS DEL CASO:\n\n";
    console << X(3) << A(c.title1, 75) << '\n';
    report << X(3) << A(c.title1, 75) << '\n';
    console << X(3) << A(c.title2, 75) << '\n';
    report << X(3) << A(c.title2, 75) << '\n';
}

void writeGeneralTable(std::ostream& out, const ProgramTraits& t, const GeneralData& g,
                       const std::string& fluName, const std::string& salName) {
    const std::string lead = X(12);
    out << '\n';
    out << lead << " ARCHIVO DE DATOS ........................ "
        << A(fluName, t.generalTableNameWidth) << '\n';
    out << lead << " ARCHIVO DE SALIDA ....................... "
        << A(salName, t.generalTableNameWidth) << '\n';
    out << lead << " CANTIDAD DE BARRAS ......................" << I(g.nBuses, 3) << '\n';
    out << lead << " CANTIDAD DE LINEAS ......................" << I(g.nLines, 3) << '\n';
    out << lead << " CANTIDAD DE TRANSFORMADORES ............." << I(g.nTransformers, 3) << '\n';
    out << lead << " FACTOR ACELERADOR DE LA CONVERGENCIA ...." << F(g.acceleration, 6, 2) << '\n';
    out << lead << " CANTIDAD MAXIMA DE ITERACIONES .........." << I(g.maxIterations, 4) << '\n';
    out << lead << " ERROR TOLERADO EN EL\n";
    out << lead << t.toleranceLabel << F(g.tolerance, 8, 5) << '\n';
    out << lead << " IMPRESION ITERACIONES/DISCREPANCIA? ....."
        << (printEnabled(t.echoYes, g.printOption) ? " SI" : " NO") << '\n';
}

void writeBusHeading(std::ostream& r) {
    r << "\n\n";
    r << ' ' << dashes(23) << " D A T O S   D E   B A R R A S " << dashes(23) << '\n';
    r << " -NOMBRE Y TIPO- VOLTAGE INIC."
      << "   PG    QG    PD    QD    GB    BB  QGMIN QGMAX\n";
    r << X(4) << "DE BARRA     /Vo/(pu) A(g)";
    for (int i = 0; i < 8; ++i)
        r << "  (pu)";
    r << '\n' << ' ' << dashes(77) << '\n';
}

void writeBusRow(std::ostream& r, const Bus& b) {
    r << ' ' << A(b.name, 10) << ' ' << echoWord(b.type) << F(b.vm, 6, 3) << F(b.va, 7, 3) << ' ';
    for (double v : {b.pg, b.qg, b.pd, b.qd, b.gb, b.bb, b.qgmin, b.qgmax})
        r << F(v, 6, 3);
    r << '\n';
}

void writeLineHeading(std::ostream& r) {
    r << ' ' << dashes(77) << "\n\n";
    r << X(5) << dashes(19) << " D A T O S   D E   L I N E A S " << dashes(19) << '\n';
    r << X(5) << "<DE BARRA> <A  BARRA>    R(pu)    X(pu)     G(pu)    B(pu)"
      << "   Snom(pu)\n";
    r << X(5) << dashes(69) << '\n';
}

void writeLineRow(std::ostream& r, const Branch& k) {
    r << X(5) << A(k.fromName, 10) << ' ' << A(k.toName, 10) << ' ' << F(k.r, 9, 5) << F(k.x, 9, 5)
      << ' ' << F(k.g, 9, 5) << F(k.b, 9, 5) << ' ' << F(k.snom, 9, 5) << '\n';
}

void writeTransformerHeading(std::ostream& r, const ProgramTraits& t) {
    r << X(5) << dashes(69) << '\n';
    for (int i = 0; i < t.transformerHeadingGap; ++i)
        r << '\n';
    r << X(4) << dashes(19) << " D A T O S    D E    T R A F O S " << dashes(19) << '\n';
    r << X(4) << "<DE BARRA> <A  BARRA>"
      << "   R(pu)  X(pu)   VI(pu) VF(pu)  ALFA(g)  Snom(pu)\n";
    r << X(4) << dashes(71) << '\n';
}

void writeTransformerRow(std::ostream& r, const Branch& k) {
    r << X(4) << A(k.fromName, 10) << ' ' << A(k.toName, 10);
    for (double v : {k.r, k.x, k.vi, k.vf, k.alfa})
        r << F(v, 8, 5);
    r << ' ' << F(k.snom, 8, 5) << '\n';
}

void writeTransformerClosing(std::ostream& r) {
    r << X(4) << dashes(71) << "\n\n";
}

} // namespace lf
