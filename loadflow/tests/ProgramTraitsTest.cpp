// The table of program differences against the print-option rules of the
// four programs: which outputs each value of the print option enables.

#include "ProgramTraits.h"

#include <gtest/gtest.h>

using namespace lf;

namespace {

struct Outputs {
    bool adfHeader, volTitle, volNames, rows, echoYes;
};

Outputs outputs(const ProgramTraits& t, int print) {
    return {printEnabled(t.adfHeader, print), printEnabled(t.volTitle, print),
            printEnabled(t.volNames, print), printEnabled(t.tableRows, print),
            printEnabled(t.echoYes, print)};
}

void expectOutputs(const ProgramTraits& t, int print, Outputs e) {
    Outputs a = outputs(t, print);
    SCOPED_TRACE(std::string(t.programName) + " print option " + std::to_string(print));
    EXPECT_EQ(a.adfHeader, e.adfHeader);
    EXPECT_EQ(a.volTitle, e.volTitle);
    EXPECT_EQ(a.volNames, e.volNames);
    EXPECT_EQ(a.rows, e.rows);
    EXPECT_EQ(a.echoYes, e.echoYes);
}

} // namespace

TEST(ProgramTable, PlusOneEnablesEverythingInEveryProgram) {
    for (const ProgramTraits* t : {&kTolvan, &kTolvex, &kTolvid, &kMabrek})
        expectOutputs(*t, 1, {true, true, true, true, true});
}

TEST(ProgramTable, MinusOneFollowsEachProgramsRule) {
    expectOutputs(kTolvan, -1, {true, true, true, true, true});
    expectOutputs(kTolvex, -1, {true, true, true, true, true});
    // Tolvid writes the .ADF header with its rows, and the .VOL names always.
    expectOutputs(kTolvid, -1, {true, false, true, true, false});
    expectOutputs(kMabrek, -1, {false, false, false, false, false});
}

TEST(ProgramTable, ZeroAndOtherValuesWriteNoHistory) {
    for (int print : {0, 2, -2}) {
        for (const ProgramTraits* t : {&kTolvan, &kTolvex, &kMabrek})
            expectOutputs(*t, print, {false, false, false, false, false});
        expectOutputs(kTolvid, print, {false, false, true, false, false});
    }
}

TEST(ProgramTable, OnlyNewtonProgramsNeedTheBusOrderAndOnlyTolvanPausesAfterTheSummary) {
    EXPECT_TRUE(kTolvan.newtonBusOrder && kTolvex.newtonBusOrder && kTolvid.newtonBusOrder);
    EXPECT_FALSE(kMabrek.newtonBusOrder);
    EXPECT_TRUE(kTolvan.pauseAfterSummary);
    EXPECT_FALSE(kTolvex.pauseAfterSummary || kTolvid.pauseAfterSummary ||
                 kMabrek.pauseAfterSummary);
}
