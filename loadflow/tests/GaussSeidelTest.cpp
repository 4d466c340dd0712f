// Mabrek's Gauss-Seidel iteration: bus order, acceleration factor, print
// options, its iteration table and a diverging run.

#include "LoadflowTestUtil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <vector>

using namespace lftest;

namespace {

// |V| and angle of a bus row of the report.
std::pair<double, double> busVoltage(const std::string& sal, const std::string& name) {
    std::size_t at = sal.find("\n    " + pad(name, 10) + " ", sal.find("R E S U L T A D O S"));
    if (at == std::string::npos) return {NAN, NAN};
    return {std::stod(sal.substr(at + 16, 6)), std::stod(sal.substr(at + 22, 9))};
}

std::string replaceGeneral(std::string text, const std::string& record) {
    std::size_t start = 0;
    for (int i = 0; i < 3; ++i)
        start = text.find('\n', start) + 1;
    return text.replace(start, text.find('\n', start) - start, record);
}

} // namespace

TEST(GaussSeidel, BusesInAnyOrderSolveLikeNewtonRaphson) {
    const std::string pq = bus("LOAD", "PQ", 1, 0, {0, 0, 0.9, 0.4});
    const std::string pv = bus("GEN 2", "PV", 1.02, 0, {0.5});
    const std::string slack = bus("SLACK", "FL", 1.05, 0);
    const std::initializer_list<std::string> lines = {line("SLACK", "LOAD", 0.02, 0.08, 0, 0.04),
                                                      line("GEN 2", "LOAD", 0.01, 0.06, 0, 0.03)};
    const std::string g = general(3, 2, 0, 1.4, 100, 0.00001, 0);
    RunResult newton = runCase(caseText(g, {pq, pv, slack}, lines), lf::kTolvan);
    RunResult seidel = runCase(caseText(g, {slack, pq, pv}, lines), lf::kMabrek);
    ASSERT_EQ(seidel.status, lf::exitConverged) << seidel.console;
    for (const char* name : {"LOAD", "GEN 2", "SLACK"}) {
        auto [vn, an] = busVoltage(newton.sal, name);
        auto [vs, as] = busVoltage(seidel.sal, name);
        EXPECT_NEAR(vs, vn, 1e-4) << name;
        EXPECT_NEAR(as, an, 0.005) << name;
    }
}

TEST(GaussSeidel, ZeroAccelerationRunsAsOne) {
    std::string t = replaceGeneral(threeBusCase(), general(3, 2, 1, 0, 100, 0.0001, 0));
    RunResult zero = runCase(t, lf::kMabrek);
    RunResult one = runCase(replaceGeneral(t, general(3, 2, 1, 1, 100, 0.0001, 0)), lf::kMabrek);
    EXPECT_EQ(zero.status, lf::exitConverged);
    EXPECT_NE(zero.console.find("CONVERGENCIA ....  1.00\n"), std::string::npos);
    std::size_t from = zero.sal.find("EL CALCULO ITERATIVO");
    EXPECT_EQ(zero.sal.substr(from, 70), one.sal.substr(one.sal.find("EL CALCULO ITERATIVO"), 70));
}

TEST(GaussSeidel, PrintOptionMinusOneWritesNoHistoryAndNoTable) {
    std::string t = threeBusCase();
    t.replace(t.find("      1.\nNAME"), 8, "     -1.");
    RunResult r = runCase(t, lf::kMabrek);
    EXPECT_EQ(r.status, lf::exitConverged);
    EXPECT_TRUE(r.adf.empty() && r.vol.empty() && r.aux.empty());
    EXPECT_EQ(r.sal.find("iteracion"), std::string::npos);
    EXPECT_NE(r.console.find("DISCREPANCIA? ..... NO"), std::string::npos);
}

TEST(GaussSeidel, ConvergedRunPausesTwiceOnThePauseLine) {
    RunResult r = runCase(threeBusCase(), lf::kMabrek);
    EXPECT_EQ(r.status, lf::exitConverged);
    EXPECT_EQ(r.pauses("PRESIONE CUALQUIER TECLA PARA PROSEGUIR "), 2);
    const std::string last = "PRESIONE CUALQUIER TECLA PARA PROSEGUIR ";
    EXPECT_EQ(r.console.substr(r.console.size() - last.size()), last);
}

TEST(GaussSeidel, MatrixFileHoldsTheNetworkButNoJacobian) {
    RunResult r = runCase(threeBusCase(), lf::kMabrek);
    EXPECT_EQ(r.aux.find("JACOBIANA"), std::string::npos);
    EXPECT_NE(r.aux.find("ELEMENTOS MUTUOS"), std::string::npos);
}

TEST(GaussSeidel, ADivergingRunEndsWithoutConvergenceNotWithNaNResults) {
    // Over-relaxed far beyond 2 the IEEE 14-bus case overflows after some
    // 680 sweeps; its mismatches then stop being numbers.
    std::string t = readFile(std::string(CURVIX_EXAMPLES_DIR) + "/IEEE14.FLU");
    t = replaceGeneral(t, general(14, 17, 3, 2.5, 1000, 0.0001, 0));
    RunResult r = runCase(t, lf::kMabrek);
    EXPECT_EQ(r.status, lf::exitNotConverged);
    EXPECT_NE(r.console.find(" ** No hubo convergencia **"), std::string::npos);
    EXPECT_EQ(r.console.find("EL CALCULO ITERATIVO HA FINALIZADO"), std::string::npos);
    EXPECT_NE(r.sal.find("NaN"), std::string::npos);
}

namespace {

// (ΔP, ΔQ) of every iteration-table row of a report, and of every .ADF row.
std::vector<std::pair<double, double>> tableValues(const std::string& sal) {
    std::vector<std::pair<double, double>> rows;
    std::istringstream in(sal.substr(sal.find("iteracion")));
    std::string l;
    std::getline(in, l);
    while (std::getline(in, l) && l.size() >= 66)
        rows.emplace_back(std::stod(l.substr(21, 10)), std::stod(l.substr(46, 10)));
    return rows;
}

std::vector<std::pair<double, double>> adfValues(const std::string& adf) {
    std::vector<std::pair<double, double>> rows;
    std::istringstream in(adf);
    std::string l;
    std::getline(in, l);
    std::getline(in, l);
    while (std::getline(in, l))
        rows.emplace_back(std::stod(l.substr(13, 10)), std::stod(l.substr(27, 10)));
    return rows;
}

} // namespace

TEST(GaussSeidel, TableRowsShowTheSignedMismatchesWhereNewtonShowsTheirSize) {
    RunResult gs = runCase(threeBusCase(), lf::kMabrek);
    auto table = tableValues(gs.sal), adf = adfValues(gs.adf);
    ASSERT_EQ(table.size(), adf.size());
    bool negative = false;
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i], adf[i]) << "row " << i;
        negative = negative || table[i].first < 0 || table[i].second < 0;
    }
    EXPECT_TRUE(negative);

    RunResult nr = runCase(threeBusCase(), lf::kTolvan);
    table = tableValues(nr.sal);
    adf = adfValues(nr.adf);
    ASSERT_EQ(table.size(), adf.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i].first, std::fabs(adf[i].first)) << "row " << i;
        EXPECT_EQ(table[i].second, std::fabs(adf[i].second)) << "row " << i;
    }
}
