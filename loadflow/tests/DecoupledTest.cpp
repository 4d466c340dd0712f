// The two decoupled Newton methods: their matrix blocks, their .AUX listings
// and the cases in which one of their two systems is empty.

#include "LoadflowTestUtil.h"
#include "TrulyDecoupled.h"

#include <gtest/gtest.h>

#include <regex>

using namespace lftest;

namespace {

// The listing lines of one block ("J11(" or "J22(") of iteration k.
std::string blockListing(const std::string& aux, int k, const std::string& label) {
    const std::string title = "*********** Iteracion " + std::to_string(k) + " ***********";
    std::size_t at = aux.find(title);
    if (at == std::string::npos) return {};
    std::size_t end = aux.find("*********** Iteracion", at + title.size());
    std::istringstream in(aux.substr(at, end == std::string::npos ? std::string::npos : end - at));
    std::string lines;
    for (std::string l; std::getline(in, l);)
        if (l.find(label + "(") != std::string::npos) lines += l + "\n";
    return lines;
}

int iterationsListed(const std::string& aux) {
    std::regex title("\\*{11} Iteracion +[0-9]+ \\*{11}");
    return static_cast<int>(
        std::distance(std::sregex_iterator(aux.begin(), aux.end(), title), std::sregex_iterator()));
}

const std::string kNoPqCase =
    caseText(general(2, 1, 0, 1, 20, 0.0001, 1),
             {bus("G", "PV", 1.01, 0, {0.3}), bus("S", "FL", 1, 0)}, {line("S", "G", 0.01, 0.1)});

} // namespace

TEST(FastDecoupled, StartBlocksAreThoseOfTheFullJacobianAndNeverChange) {
    RunResult full = runCase(threeBusCase(), lf::kTolvan);
    RunResult fast = runCase(threeBusCase(), lf::kTolvex);
    ASSERT_EQ(fast.status, lf::exitConverged) << fast.console;
    const std::string j11 = blockListing(fast.aux, 0, "J11"),
                      j22 = blockListing(fast.aux, 0, "J22");
    ASSERT_FALSE(j11.empty());
    ASSERT_FALSE(j22.empty());
    EXPECT_EQ(j11, blockListing(full.aux, 0, "J11"));
    EXPECT_EQ(j22, blockListing(full.aux, 0, "J22"));
    const int listed = iterationsListed(fast.aux);
    EXPECT_GT(listed, 2);
    for (int k = 1; k < listed; ++k) {
        EXPECT_EQ(blockListing(fast.aux, k, "J11"), j11) << "iteration " << k;
        EXPECT_EQ(blockListing(fast.aux, k, "J22"), j22) << "iteration " << k;
    }
    EXPECT_EQ(blockListing(fast.aux, 1, "J12"), "");
    EXPECT_NE(fast.aux.find("          [J] = MATRIZ JACOBIANA DESACOPLADA RAPIDA\n\n"
                            "                          0             n        n\n"),
              std::string::npos);
}

TEST(DecoupledMethods, WithoutPqBusesOnlyTheAngleSystemIsSolved) {
    for (const lf::ProgramTraits* t : {&lf::kTolvex, &lf::kTolvid}) {
        RunResult r = runCase(kNoPqCase, *t);
        SCOPED_TRACE(t->programName);
        EXPECT_EQ(r.status, lf::exitConverged) << r.console;
        EXPECT_EQ(r.aux.find("J22("), std::string::npos);
        EXPECT_NE(r.aux.find("J11(1,1)="), std::string::npos);
        EXPECT_NE(r.adf.find("  0.000000      0.00010"), std::string::npos) << r.adf;
    }
}

TEST(DecoupledMethods, ALoneSlackBusNeverSolvesASystemOfOrderZero) {
    std::string t =
        caseText(general(1, 0, 0, 1, 3, 0.0, 0), {bus("S", "FL", 1, 0, {0, 0, 0, 0, 0, 0.1})});
    for (const lf::ProgramTraits* p : {&lf::kTolvex, &lf::kTolvid}) {
        RunResult r = runCase(t, *p);
        EXPECT_EQ(r.status, lf::exitNotConverged) << p->programName;
        EXPECT_NE(r.sal.find("FIN DEL CASO"), std::string::npos) << p->programName;
    }
}

TEST(TrulyDecoupled, BlocksComeFromSusceptancesAndParallelBranchesAdd) {
    lf::Case c;
    c.buses = {lf::Bus{}, lf::Bus{}, lf::Bus{}};
    c.buses[0].vm = 1.02;
    c.buses[1].vm = 0.98;
    c.buses[2].type = lf::btSlack;
    c.totals.nPQ = 2;
    lf::Network net = lf::emptyNetwork(3);
    auto branch = [&](int a, int b, double r, double x) {
        lf::Branch k;
        k.from = a;
        k.to = b;
        k.r = r;
        k.x = x;
        c.branches.push_back(k);
        lf::addBranch(net, c.branches.back());
    };
    branch(0, 1, 0.01, 0.1);
    branch(1, 0, 0.02, 0.2); // parallel, seen from the other end
    branch(1, 2, 0.01, 0.05);
    lf::completeNetwork(net, c.buses);
    lf::SolveState s = lf::startState(c);
    lf::SolveContext ctx{c, net, s, nullptr};
    lf::DecoupledBlocks blocks;
    lf::formSusceptanceBlocks(ctx, blocks);

    auto at = [](const std::vector<double>& m, int r, int col) { return lf::cell(m, r, col); };
    const double b01 = net.branches[0].mutual.b + net.branches[1].mutual.b;
    EXPECT_DOUBLE_EQ(at(blocks.j11, 0, 0), -net.own[0].b * 1.02 * 1.02);
    EXPECT_DOUBLE_EQ(at(blocks.j22, 1, 1), -2 * net.own[1].b * 0.98);
    EXPECT_NEAR(at(blocks.j11, 0, 1), -1.02 * 0.98 * b01, 1e-12);
    EXPECT_NEAR(at(blocks.j11, 1, 0), -0.98 * 1.02 * b01, 1e-12);
    EXPECT_NEAR(at(blocks.j22, 0, 1), -1.02 * b01, 1e-12);
    EXPECT_NEAR(at(blocks.j22, 1, 0), -0.98 * b01, 1e-12);
    // Nothing toward the slack bus, and nothing else set.
    EXPECT_EQ(at(blocks.j11, 1, 2), 0.0);
    EXPECT_EQ(at(blocks.j11, 2, 2), 0.0);
}

TEST(TrulyDecoupled, PrintOptionMinusOneWritesAdfWithItsHeaderAndOnlyTheVolNames) {
    std::string t = threeBusCase();
    t.replace(t.find("      1.\nNAME"), 8, "     -1.");
    RunResult r = runCase(t, lf::kTolvid);
    EXPECT_EQ(r.status, lf::exitConverged);
    EXPECT_EQ(r.adf.rfind("// Archivo generado por el Tolvad 7.41, a partir del [CASE.FLU", 0), 0u);
    EXPECT_NE(r.adf.find("\niteracion     MaxdeltaP"), std::string::npos);
    EXPECT_NE(r.adf.find("\n     1 "), std::string::npos);
    EXPECT_EQ(r.vol, "iter  /V(1)/  Ang(1)    /V(2)/  Ang(2)    /V(3)/  Ang(3)    \n");
    EXPECT_TRUE(r.aux.empty());
    EXPECT_NE(r.console.find("DISCREPANCIA? ..... NO"), std::string::npos);
}

TEST(TrulyDecoupled, ListingOfIterationOneRepeatsTheStartState) {
    RunResult r = runCase(threeBusCase(), lf::kTolvid);
    ASSERT_EQ(r.status, lf::exitConverged);
    EXPECT_EQ(blockListing(r.aux, 1, "J11"), blockListing(r.aux, 0, "J11"));
    EXPECT_NE(blockListing(r.aux, 2, "J22"), blockListing(r.aux, 0, "J22"));
}

TEST(DecoupledMethods, ASingularSystemEndsWithoutConvergence) {
    // The second PQ bus is connected to nothing: its rows of both blocks are zero.
    std::string t = caseText(general(3, 1, 0, 1, 5, 0.0001, 0),
                             {bus("A", "PQ", 1, 0, {0, 0, 0.5, 0.1}),
                              bus("B", "PQ", 1, 0, {0, 0, 0.1}), bus("S", "FL", 1, 0)},
                             {line("S", "A", 0.01, 0.1)});
    for (const lf::ProgramTraits* p : {&lf::kTolvex, &lf::kTolvid}) {
        RunResult r = runCase(t, *p);
        SCOPED_TRACE(p->programName);
        EXPECT_EQ(r.status, lf::exitNotConverged);
        EXPECT_EQ(r.console.find("EL CALCULO ITERATIVO HA FINALIZADO"), std::string::npos);
        EXPECT_NE(r.sal.find("FIN DEL CASO"), std::string::npos);
    }
}
