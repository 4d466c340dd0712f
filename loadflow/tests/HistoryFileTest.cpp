// The histories must open in the data-file layer's ADF reader with one
// variable per column and distinct names.

#include "Histories.h"
#include "LoadflowTestUtil.h"
#include "SimOut.h"

#include <gtest/gtest.h>

#include <set>

using namespace lftest;

namespace {

// Twelve buses in a chain: eleven PQ buses and the slack.
std::string twelveBusCase() {
    std::string t = "CHAIN\nOF TWELVE\nG\n" + general(12, 11, 0, 1, 20, 0.0001, 1) + "\nBUSES\n";
    for (int i = 1; i <= 11; ++i)
        t += bus(numbered("B", i), "PQ", 1, 0, {0, 0, 0.02, 0.01}) + "\n";
    t += bus("S", "FL", 1, 0) + "\nLINES\n";
    for (int i = 1; i <= 11; ++i)
        t += line(i == 11 ? "S" : numbered("B", i + 1), numbered("B", i), 0.01, 0.05) + "\n";
    return t + "TRAFOS\n";
}

} // namespace

TEST(HistoryFiles, VolNamesShowTheFullBusNumber) {
    RunResult r = runCase(twelveBusCase());
    ASSERT_EQ(r.status, lf::exitConverged) << r.console;
    std::istringstream vol(r.vol);
    std::string title, names;
    std::getline(vol, title);
    std::getline(vol, names);
    std::istringstream words(names);
    std::set<std::string> distinct;
    int count = 0;
    for (std::string w; words >> w; ++count)
        distinct.insert(w);
    EXPECT_EQ(count, 1 + 2 * 12);
    EXPECT_EQ(distinct.size(), static_cast<std::size_t>(count));
    EXPECT_NE(names.find("/V(12)/  Ang(12)    "), std::string::npos);
}

TEST(HistoryFiles, AdfAndVolOfEveryProgramLoadInTheAdfReader) {
    for (const lf::ProgramTraits* program :
         {&lf::kTolvan, &lf::kTolvex, &lf::kTolvid, &lf::kMabrek}) {
        SCOPED_TRACE(program->programName);
        ScratchDir dir;
        RunResult r = runCase(twelveBusCase(), *program);
        ASSERT_NE(r.status, lf::exitError) << r.console;
        writeFile(dir.file("CASE.ADF"), r.adf);
        writeFile(dir.file("CASE.VOL"), r.vol);
        const int rows = static_cast<int>(std::count(r.adf.begin(), r.adf.end(), '\n')) - 2;

        SimOut adf;
        ASSERT_EQ(adf.LoadFromAdfFile(dir.file("CASE.ADF")), "");
        EXPECT_EQ(adf.nVars, 5);
        EXPECT_EQ(adf.nPoints, rows);
        EXPECT_EQ(adf.names[0], "iteracion");
        EXPECT_EQ(adf.names[4], "-tole");
        EXPECT_FLOAT_EQ(adf.data[3][0], 0.0001f);

        SimOut vol;
        ASSERT_EQ(vol.LoadFromAdfFile(dir.file("CASE.VOL")), "");
        EXPECT_EQ(vol.nVars, 1 + 2 * 12);
        EXPECT_EQ(vol.nPoints, rows);
        std::set<std::string> names(vol.names.begin(), vol.names.end());
        EXPECT_EQ(names.size(), vol.names.size());
        EXPECT_FLOAT_EQ(vol.data[23][0], 1.0f); // |V| of the slack
    }
}

TEST(HistoryFiles, WideValuesWidenTheirFieldInsteadOfAsterisks) {
    std::ostringstream adf;
    lf::writeAdfRow(adf, 1234, -150.5, 2000.25, 0.0001);
    EXPECT_EQ(adf.str(), "    1234        -150.500000     2000.250000      0.00010     -0.00010\n");
    EXPECT_EQ(adf.str().find('*'), std::string::npos);
}
