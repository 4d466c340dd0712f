#include "CaseReader.h"
#include "LoadflowTestUtil.h"

#include <gtest/gtest.h>

using namespace lftest;

namespace {

const std::string kGeneral = general(2, 1, 0, 1.0, 10, 0.0001, 0);
const std::string kLoad = bus("LOAD", "PQ", 1.0, 0, {0, 0, 0.5, 0.2});
const std::string kSlack = bus("SLACK", "FL", 1.0, 0);
const std::string kLine = line("SLACK", "LOAD", 0.01, 0.1);

const char* kGeneralError = "*** ERROR EN LOS DATOS GENERALES ***";
const char* kBusError = "*** ERROR EN DATOS DE BARRAS ***";
const char* kLineError = "*** ERROR EN DATOS DE LINEAS ***";
const char* kTrafoError = "*** ERROR EN DATOS DE TRAFOS ***";

// The run ends with the message, at its indent, followed by the pause.
void expectDataError(const RunResult& r, int indent, const std::string& message,
                     const lf::ProgramTraits& traits = lf::kTolvan) {
    EXPECT_EQ(r.status, lf::exitError);
    std::string expected = "\n\n" + std::string(static_cast<std::size_t>(indent), ' ') + message +
                           "\n\n" + std::string(18, ' ') +
                           "PRESIONE CUALQUIER TECLA PARA PROSEGUIR" +
                           (traits.pauseStaysOnLine ? " " : "\n");
    ASSERT_GE(r.console.size(), expected.size());
    EXPECT_EQ(r.console.substr(r.console.size() - expected.size()), expected) << r.console;
}

} // namespace

TEST(CaseRecords, BusRecordDecodesEveryField) {
    auto b =
        lf::parseBus("BUS 1     PQ  1060 -2.50 0.100 0.200 0.300 0.400 0.010 0.050-0.100 0.500");
    ASSERT_TRUE(b);
    EXPECT_EQ(b->name, "BUS 1     ");
    EXPECT_EQ(b->type, lf::btPQ);
    EXPECT_DOUBLE_EQ(b->vm, 1.060);
    EXPECT_DOUBLE_EQ(b->va, -2.5);
    EXPECT_DOUBLE_EQ(b->pg, 0.1);
    EXPECT_DOUBLE_EQ(b->qd, 0.4);
    EXPECT_DOUBLE_EQ(b->bb, 0.05);
    EXPECT_DOUBLE_EQ(b->qgmin, -0.1);
    EXPECT_DOUBLE_EQ(b->qgmax, 0.5);
}

TEST(CaseRecords, TypeCodesAreComparedExactly) {
    EXPECT_EQ(lf::decodeBusType(" 1"), lf::btSlack);
    EXPECT_EQ(lf::decodeBusType("FL"), lf::btSlack);
    EXPECT_EQ(lf::decodeBusType(" 2"), lf::btPV);
    EXPECT_EQ(lf::decodeBusType("PQ"), lf::btPQ);
    EXPECT_EQ(lf::decodeBusType("1 "), 0);
    EXPECT_EQ(lf::decodeBusType("pq"), 0);
}

TEST(CaseRecords, MagnitudeZeroBecomesOne) {
    auto b = lf::parseBus(bus("B", "PQ", 0.0, 0));
    ASSERT_TRUE(b);
    EXPECT_DOUBLE_EQ(b->vm, 1.0);
}

TEST(CaseRecords, ShortRecordsReadAsBlankPadded) {
    auto l = lf::parseLine("A         B           0.01000  0.10000");
    ASSERT_TRUE(l);
    EXPECT_DOUBLE_EQ(l->x, 0.1);
    EXPECT_DOUBLE_EQ(l->snom, 0.0);
}

TEST(CaseRecords, GeneralValuesTruncateTheirIntegers) {
    auto g = lf::parseGeneral("    3.9     2.0     1.0    1.60    20.7  0.0001    -1.2");
    ASSERT_TRUE(g);
    EXPECT_EQ(g->nBuses, 3);
    EXPECT_EQ(g->maxIterations, 20);
    EXPECT_EQ(g->printOption, -1);
    EXPECT_DOUBLE_EQ(g->acceleration, 1.6);
    EXPECT_FALSE(lf::parseGeneral("  1.0E20"));
}

TEST(CaseRecords, TheLastBusOfAGivenNameWins) {
    lf::Case c;
    c.buses.resize(3);
    c.buses[0].name = "A         ";
    c.buses[1].name = "B         ";
    c.buses[2].name = "A         ";
    EXPECT_EQ(lf::findBus(c, "A         "), 2);
    EXPECT_FALSE(lf::findBus(c, "C         "));
}

TEST(CaseDataErrors, UnreadableOrOutOfRangeGeneralValues) {
    expectDataError(runCase(caseText("  garbage", {kLoad, kSlack}, {kLine})), 17, kGeneralError);
    expectDataError(runCase(caseText(general(51, 1, 0, 1, 10, 1e-4, 0), {})), 17, kGeneralError);
    expectDataError(runCase(caseText(general(0, 0, 0, 1, 10, 1e-4, 0), {})), 17, kGeneralError);
    expectDataError(runCase(caseText(general(2, 30, 21, 1, 10, 1e-4, 0), {})), 17, kGeneralError);
    expectDataError(runCase("ONLY A TITLE\n"), 17, kGeneralError);
    expectDataError(runCase("  garbage\n", lf::kTolvid), 19, kGeneralError, lf::kTolvid);
}

TEST(CaseDataErrors, BusSectionProblems) {
    // Unknown type code, a letter in a number, end of file inside the section.
    expectDataError(runCase(caseText(kGeneral, {bus("LOAD", "1 ", 1, 0), kSlack}, {kLine})), 22,
                    kBusError);
    expectDataError(runCase(caseText(kGeneral, {"LOAD      PQ 1.0x0", kSlack}, {kLine})), 22,
                    kBusError);
    expectDataError(runCase("T1\nT2\nG\n" + kGeneral + "\nBUSES\n" + kLoad + "\n"), 22, kBusError);
    expectDataError(runCase("T1\nT2\nG\n" + kGeneral + "\n"), 22, kBusError);
}

TEST(CaseDataErrors, NewtonProgramsNeedPqThenPvThenOneSlackLast) {
    const std::string gen = bus("GEN", "PV", 1.0, 0, {0.1});
    const std::string g3 = general(3, 0, 0, 1, 10, 1e-4, 0);
    expectDataError(runCase(caseText(g3, {gen, kLoad, kSlack})), 22, kBusError);
    expectDataError(runCase(caseText(kGeneral, {kSlack, kLoad})), 22, kBusError);
    expectDataError(runCase(caseText(kGeneral, {kLoad, gen})), 22, kBusError);
    expectDataError(runCase(caseText(g3, {kLoad, kSlack, bus("S2", "FL", 1, 0)})), 22, kBusError);
}

TEST(CaseDataErrors, MoreThanFiftyNewtonEquations) {
    // 26 PQ buses need 52 equations.
    std::string t = "T1\nT2\nG\n" + general(27, 0, 0, 1, 10, 1e-4, 0) + "\nBUSES\n";
    for (int i = 0; i < 26; ++i)
        t += bus(numbered("L", i), "PQ", 1, 0) + "\n";
    t += kSlack + "\nLINES\nTRAFOS\n";
    expectDataError(runCase(t), 22, kBusError);
}

TEST(CaseDataErrors, LineSectionProblems) {
    expectDataError(
        runCase(caseText(kGeneral, {kLoad, kSlack}, {line("SLACK", "NOWHERE", 0.01, 0.1)})), 22,
        kLineError);
    expectDataError(runCase(caseText(kGeneral, {kLoad, kSlack}, {line("SLACK", "LOAD", 0, 0)})), 22,
                    kLineError);
    expectDataError(runCase("T1\nT2\nG\n" + kGeneral + "\nB\n" + kLoad + "\n" + kSlack + "\n"), 22,
                    kLineError);
}

TEST(CaseDataErrors, TransformerSectionProblems) {
    const std::string g = general(2, 0, 1, 1, 10, 1e-4, 0);
    expectDataError(
        runCase(caseText(g, {kLoad, kSlack}, {}, {trafo("SLACK", "LOAD", 0.0, 0.1, 1.0, 0.0)})), 22,
        kTrafoError);
    expectDataError(
        runCase(caseText(g, {kLoad, kSlack}, {}, {trafo("SLACK", "LOAD", 0.0, 0.1, 0.0, 1.0)})), 22,
        kTrafoError);
    expectDataError(
        runCase(caseText(g, {kLoad, kSlack}, {}, {trafo("SLACK", "LOAD", 0.0, 0.0, 1.0, 1.0)})), 22,
        kTrafoError);
    expectDataError(
        runCase(caseText(g, {kLoad, kSlack}, {}, {trafo("X", "LOAD", 0.0, 0.1, 1.0, 1.0)})), 22,
        kTrafoError);
    expectDataError(runCase(caseText(g, {kLoad, kSlack}, {}, {})), 22, kTrafoError);
}

TEST(CaseDataErrors, GaussSeidelRejectsABusWithoutAdmittance) {
    // The isolated bus has no branch and no shunt.
    const std::string g = general(3, 1, 0, 1, 10, 1e-4, 0);
    auto r = runCase(caseText(g, {kLoad, bus("ALONE", "PQ", 1, 0), kSlack}, {kLine}), lf::kMabrek);
    expectDataError(r, 22, kBusError, lf::kMabrek);
}

TEST(CaseDataErrors, EchoedRowsStayInTheReportUpToTheError) {
    auto r = runCase(caseText(kGeneral, {kLoad, bus("SLACK", "XX", 1, 0)}, {kLine}));
    EXPECT_NE(r.sal.find(" LOAD        PQ "), std::string::npos);
    EXPECT_EQ(r.sal.find("SLACK"), std::string::npos);
    EXPECT_EQ(r.pauses(), 2);
}

TEST(CaseDataErrors, HugeCountsAreRejectedWithoutOverflow) {
    auto r = runCase(caseText(general(2, 2000000000, 2000000000, 1, 10, 1e-4, 0), {kLoad, kSlack}));
    expectDataError(r, 17, kGeneralError);
}

// Every prefix of a good case and a case with each byte replaced by a
// character that cannot stand in a number end in an orderly way.
TEST(CaseDataErrors, TruncatedAndMangledCasesEndInAnOrderlyWay) {
    const std::string good = threeBusCase();
    for (std::size_t n = 0; n < good.size(); n += 7) {
        RunResult r = runCase(good.substr(0, n));
        EXPECT_TRUE(r.status == lf::exitError || r.status == lf::exitConverged) << n;
    }
    for (std::size_t at = 0; at < good.size(); at += 5) {
        std::string bad = good;
        if (bad[at] == '\n') continue;
        bad[at] = 'Z';
        RunResult r = runCase(bad);
        EXPECT_GE(r.status, 0) << at;
        EXPECT_LE(r.status, 2) << at;
    }
}
