// The example files shipped for the run command load as a user would expect.

#include "SimOut.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

std::string example(const char* name) { return std::string(CURVIX_EXAMPLES_DIR) + "/" + name; }

TEST(ExampleFiles, Pl4TimeRunLoadsWithPrefixedNames) {
    SimOut s;
    ASSERT_EQ(s.LoadFromPl4File(example("rl_energisation.pl4")), "");
    EXPECT_TRUE(s.pl4TimeRun);
    ASSERT_EQ(s.nVars, 5);
    EXPECT_EQ(s.nPoints, 1200);
    EXPECT_EQ(s.names[0], "t");
    EXPECT_EQ(s.names[1], "v:SRC   ");
    EXPECT_EQ(s.names[3], "c:SRC   -LOAD  ");
    EXPECT_FLOAT_EQ(s.data[0][1199], 1199 * 50e-6f);
}

TEST(ExampleFiles, AdfWithGeneratedAbscissa) {
    SimOut s;
    ASSERT_EQ(s.LoadFromAdfFile(example("motor_start.adf")), "");
    ASSERT_EQ(s.nVars, 4);
    EXPECT_EQ(s.nPoints, 2000);
    EXPECT_EQ(s.names[0], "time");
    EXPECT_FALSE(s.xFromFile);
    EXPECT_FLOAT_EQ(s.data[0][1999], 1.999f);
}

TEST(ExampleFiles, ComtradeSetScalesAndPrefixes) {
    SimOut s;
    ASSERT_EQ(s.LoadFromComtradeFile(example("line_fault.cfg")), "");
    ASSERT_EQ(s.nVars, 6);
    EXPECT_EQ(s.nPoints, 400);
    EXPECT_EQ(s.names[1], "v:Va");
    EXPECT_EQ(s.names[2], "c:Ia");
    EXPECT_EQ(s.names[3], "L:Freq");
    EXPECT_EQ(s.names[4], "d:Trip");
    EXPECT_FLOAT_EQ(s.data[0][399], 399 / 2000.0f);
    float peak = 0; // kV channels are stored in volts
    for (int j = 0; j < 100; ++j) peak = std::max(peak, std::fabs(s.data[1][j]));
    EXPECT_NEAR(peak, 108000.0f, 500.0f);
}

TEST(ExampleFiles, MatFileGivesTimeAsAbscissa) {
    SimOut s;
    ASSERT_EQ(s.LoadFromMatFile(example("load_harmonics.mat")), "");
    ASSERT_EQ(s.nVars, 2);
    EXPECT_EQ(s.names[0], "t");
    EXPECT_EQ(s.names[1], "i_load");
    EXPECT_EQ(s.nPoints, 2000);
}

} // namespace
