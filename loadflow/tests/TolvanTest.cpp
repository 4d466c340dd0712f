#include "LoadflowTestUtil.h"
#include "Report.h"

#include <gtest/gtest.h>

#include <cmath>
#include <regex>

using namespace lftest;

namespace {

// Reference solution of examples/THREEBUS.FLU by an independent complex
// power-flow solve (numpy + scipy fsolve on S = V conj(Y V)).
struct Expected {
    const char* name;
    double vm, deg;
};
const Expected kThreeBus[] = {
    {"LOAD      ", 1.0156863721, -1.4728677207},
    {"GEN 2     ", 1.02, 0.1141151428},
    {"SLACK     ", 1.05, 0.0},
};

// Values of the report row of a bus: |V|, angle, PG, QG, PD, QD, PB, QB.
std::vector<double> busRow(const std::string& sal, const std::string& name) {
    std::string key = "\n    " + name + " ";
    std::size_t at = sal.find(key, sal.find("R E S U L T A D O S"));
    std::vector<double> v;
    if (at == std::string::npos) return v;
    std::istringstream row(sal.substr(at + key.size(), 80));
    for (double x; v.size() < 8 && row >> x;)
        v.push_back(x);
    return v;
}

} // namespace

TEST(TolvanThreeBus, SolvesToTheIndependentSolution) {
    RunResult r = runCase(threeBusCase());
    ASSERT_EQ(r.status, lf::exitConverged) << r.console;
    for (const Expected& e : kThreeBus) {
        auto v = busRow(r.sal, e.name);
        ASSERT_EQ(v.size(), 8u) << e.name;
        EXPECT_NEAR(v[0], e.vm, 1e-4) << e.name;
        EXPECT_NEAR(v[1], e.deg, 1e-4) << e.name;
    }
    // Slack generation and the PV bus's reactive generation.
    auto slack = busRow(r.sal, "SLACK     ");
    EXPECT_NEAR(slack[2], 0.4077339436, 1e-3);
    EXPECT_NEAR(slack[3], 0.4217960136, 1e-3);
    EXPECT_NEAR(busRow(r.sal, "GEN 2     ")[3], -0.1109205576, 1e-3);
}

TEST(TolvanThreeBus, ReportsLimitOverloadAndClosedBalances) {
    RunResult r = runCase(threeBusCase());
    EXPECT_NE(r.sal.find("     *** LIMITE DE CARGABILIDAD SUPERADO EN BARRA [GEN 2     ] ***"),
              std::string::npos);
    EXPECT_NE(
        r.sal.find("   *** SOBRECARGA EN LA RAMA ENTRE BARRAS [SLACK     ] y [LOAD      ] ***"),
        std::string::npos);
    // Both residuals print as zero.
    std::regex residual("\n {62} *-?0\\.0000\n");
    auto n = std::distance(std::sregex_iterator(r.sal.begin(), r.sal.end(), residual),
                           std::sregex_iterator());
    EXPECT_EQ(n, 2);
    EXPECT_NE(r.sal.find("FIN DEL CASO"), std::string::npos);
}

TEST(TolvanThreeBus, PausesAfterEchoSummaryAndEndAndNamesTheReport) {
    RunResult r = runCase(threeBusCase());
    EXPECT_EQ(r.pauses(), 3);
    EXPECT_NE(r.console.find("               CASE.SAL"), std::string::npos);
}

TEST(TolvanIteration, NonFiniteMismatchesNeverCountAsConvergence) {
    // The PQ bus is connected to nothing: its Jacobian rows are zero.
    std::string t = caseText(general(3, 1, 0, 1, 5, 0.0001, 1),
                             {bus("A", "PQ", 1, 0, {0, 0, 0.5, 0.1}),
                              bus("B", "PQ", 1, 0, {0, 0, 0.1}), bus("S", "FL", 1, 0)},
                             {line("S", "A", 0.01, 0.1)});
    RunResult r = runCase(t);
    EXPECT_EQ(r.status, lf::exitNotConverged);
    EXPECT_NE(r.console.find("                          ** No hubo convergencia **"),
              std::string::npos);
    EXPECT_EQ(r.console.find("EL CALCULO ITERATIVO HA FINALIZADO"), std::string::npos);
    EXPECT_NE(r.console.find("NaN"), std::string::npos);
    EXPECT_EQ(r.pauses(), 3);
    EXPECT_NE(r.sal.find("FIN DEL CASO"), std::string::npos);
}

TEST(TolvanIteration, ZeroIterationsEvaluatesTheStartStateOnce) {
    std::string t = threeBusCase();
    t.replace(t.find("     20."), 8, "      0.");
    RunResult r = runCase(t);
    EXPECT_EQ(r.status, lf::exitNotConverged);
    EXPECT_NE(r.adf.find("\n     0 "), std::string::npos);
    EXPECT_EQ(r.adf.find("\n     1 "), std::string::npos);
}

TEST(TolvanIteration, AStartStateWithinToleranceConvergesWithoutCorrection) {
    // No load anywhere: the flat start is the solution.
    std::string t =
        caseText(general(2, 1, 0, 1, 5, 0.0001, 1), {bus("A", "PQ", 1, 0), bus("S", "FL", 1, 0)},
                 {line("S", "A", 0.01, 0.1)});
    RunResult r = runCase(t);
    EXPECT_EQ(r.status, lf::exitConverged);
    EXPECT_NE(r.console.find("LUEGO DE     0  ITERACIONES"), std::string::npos);
}

TEST(TolvanIteration, ToleranceZeroIsNeverMet) {
    std::string t =
        caseText(general(2, 1, 0, 1, 3, 0.0, 0), {bus("A", "PQ", 1, 0), bus("S", "FL", 1, 0)},
                 {line("S", "A", 0.01, 0.1)});
    EXPECT_EQ(runCase(t).status, lf::exitNotConverged);
}

TEST(TolvanIteration, WithoutPqBusesOnlyAnglesAreSolvedAndNoBusIsNamedForQ) {
    std::string t = caseText(general(2, 1, 0, 1, 10, 0.0001, 1),
                             {bus("G", "PV", 1.01, 0, {0.3}), bus("S", "FL", 1, 0)},
                             {line("S", "G", 0.01, 0.1)});
    RunResult r = runCase(t);
    EXPECT_EQ(r.status, lf::exitConverged);
    // maxQ 0 and a blank bus name in every table row.
    EXPECT_NE(r.sal.find("    G            0.000000              \n"), std::string::npos) << r.sal;
    EXPECT_NE(r.adf.find("  0.000000      0.00010"), std::string::npos);
}

TEST(TolvanIteration, ASlackBusAloneEndsWithoutConvergenceAndStillReports) {
    std::string t =
        caseText(general(1, 0, 0, 1, 3, 0.0, 0), {bus("S", "FL", 1, 0, {0, 0, 0, 0, 0, 0.1})});
    RunResult r = runCase(t);
    EXPECT_EQ(r.status, lf::exitNotConverged);
    EXPECT_NE(r.sal.find("FIN DEL CASO"), std::string::npos);
}

TEST(TolvanPrintOption, MinusOneWritesHistoriesHeadersButNoVolRowsOrAux) {
    std::string t = threeBusCase();
    t.replace(t.find("      1.\nNAME"), 8, "     -1.");
    RunResult r = runCase(t);
    EXPECT_EQ(r.status, lf::exitConverged);
    EXPECT_EQ(r.adf.rfind("// Archivo generado por el Tolvan 7.41, a partir del [CASE.FLU", 0), 0u);
    EXPECT_NE(r.adf.find("\n     2 "), std::string::npos);
    EXPECT_EQ(std::count(r.vol.begin(), r.vol.end(), '\n'), 2);
    EXPECT_TRUE(r.aux.empty());
    EXPECT_EQ(r.console.find("LOS RESULTADOS SE HAN ESCRITO"), std::string::npos);
    EXPECT_NE(r.console.find("DISCREPANCIA? ..... SI"), std::string::npos);
    EXPECT_EQ(r.sal.find("COMIENZA EL PROCESO"), std::string::npos);
    EXPECT_NE(r.sal.find("             2         0.000006"), std::string::npos);
}

TEST(TolvanPrintOption, ZeroAndOtherValuesWriteOnlyTheReport) {
    for (const char* option : {"      0.", "      2."}) {
        std::string t = threeBusCase();
        t.replace(t.find("      1.\nNAME"), 8, option);
        RunResult r = runCase(t);
        EXPECT_TRUE(r.adf.empty() && r.vol.empty() && r.aux.empty()) << option;
        EXPECT_NE(r.console.find("DISCREPANCIA? ..... NO"), std::string::npos);
        bool named = r.console.find("  LOS RESULTADOS SE HAN ESCRITO EN EL ... CASE.SAL") !=
                     std::string::npos;
        EXPECT_EQ(named, option[6] == '0') << option;
    }
}

TEST(TolvanText, NamesAndTitlesKeepTheirColumnsInCharacters) {
    // The same case with the bus name "PEÑA" (five bytes) and "PENA" gives the same rows.
    auto run = [](const std::string& name) {
        std::string t =
            caseText(general(2, 1, 0, 1, 10, 0.0001, 1),
                     {bus("@@@@@@@@@@", "PQ", 1, 0, {0, 0, 0.5, 0.2}), bus("S", "FL", 1.05, 0)},
                     {line("S", "@@@@@@@@@@", 0.01, 0.1)});
        for (std::size_t at; (at = t.find("@@@@@@@@@@")) != std::string::npos;)
            t.replace(at, 10, name + "      ");
        t.replace(0, 9, std::string(74, 'T') + "ÑXYZ"); // title 1 is cut after 75 characters
        return runCase(t);
    };
    const RunResult ascii = run("PENA"), utf8 = run("PEÑA");
    ASSERT_EQ(utf8.status, lf::exitConverged) << utf8.console;
    EXPECT_NE(utf8.console.find("\n   " + std::string(74, 'T') + "Ñ\n"), std::string::npos);
    EXPECT_NE(utf8.sal.find("\n   " + std::string(74, 'T') + "Ñ\n"), std::string::npos);
    std::istringstream a(ascii.sal), u(utf8.sal);
    int rows = 0;
    for (std::string la, lu; std::getline(a, la) && std::getline(u, lu);) {
        if (la.find("PENA") == std::string::npos) continue;
        for (std::size_t at; (at = lu.find("PEÑA")) != std::string::npos;)
            lu.replace(at, 5, "PENA");
        EXPECT_EQ(lu, la);
        ++rows;
    }
    EXPECT_GE(rows, 4); // bus and line echo, the bus result, the flows
}
