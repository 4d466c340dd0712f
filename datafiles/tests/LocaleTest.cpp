// A program that sets the user's locale (a GUI toolkit does) must read and
// write the same numbers as in the "C" locale: no reader or writer may go
// through the locale's decimal separator.

#include "ComtradeSets.h"
#include "MissingTool.h"
#include "SimOut.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <clocale>
#include <limits>

using namespace testfiles;

namespace {

// Switches the process to a locale with a decimal comma for one test.
class DecimalCommaLocale {
public:
    DecimalCommaLocale() {
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8",
                                 "es_ES.UTF-8", "it_IT.UTF-8", "nl_NL.UTF-8", "pt_BR.UTF-8"})
            if (std::setlocale(LC_ALL, name)) {
                active_ = *std::localeconv()->decimal_point == ',';
                if (active_) break;
            }
    }
    ~DecimalCommaLocale() { std::setlocale(LC_ALL, "C"); }
    bool active() const { return active_; }

private:
    bool active_ = false;
};

} // namespace

TEST(DecimalCommaLocale, AdfWritesAndReadsBackTheSameText) {
    DecimalCommaLocale locale;
    if (!locale.active())
        CURVIX_SKIP_OR_FAIL() << "no decimal-comma locale: install locales and make de_DE.UTF-8 "
                                 "(tools/setup.sh does)";
    ScratchDir dir;
    SimOut s = recordOf({"t", "x"}, {{0, 0.5f}, {1.25f, -3.5e-7f}});
    const int sel[] = {0, 1};
    ASSERT_EQ(s.SaveToAdfFile(dir.file("l.adf"), "", 2, sel), "");
    EXPECT_EQ(readFile(dir.file("l.adf")), "//\nt x \n0\t1.25\t\n0.5\t-3.5e-07\t\n");
    SimOut back;
    ASSERT_EQ(back.LoadFromAdfFile(dir.file("l.adf")), "");
    EXPECT_EQ(back.data[1][1], -3.5e-7f);
}

TEST(DecimalCommaLocale, AdfReadsEveryNumberFormAndTheStep) {
    DecimalCommaLocale locale;
    if (!locale.active())
        CURVIX_SKIP_OR_FAIL() << "no decimal-comma locale: install locales and make de_DE.UTF-8 "
                                 "(tools/setup.sh does)";
    ScratchDir dir;
    // Plain decimals take the fast path; hexadecimal, overflow and long
    // fields the general one.
    writeFile(dir.file("f.adf"), "0.25 t\na b c d e f g\n+1 .5 5. 1e-3 -2.5E+2 0x1p3 -inf\n"
                                 "0 0 0 0 0 0x1.8p1 1.5e60\n1.5 2 3 4 5 6 " +
                                     std::string(30, '1') + ".5\n");
    SimOut s;
    ASSERT_EQ(s.LoadFromAdfFile(dir.file("f.adf")), "");
    ASSERT_EQ(s.nPoints, 3);
    EXPECT_EQ(s.names[0], "t");
    EXPECT_EQ(s.data[0][2], 0.5f);
    const std::vector<float> first{
        1, 0.5f, 5, 0.001f, -250, 8, -std::numeric_limits<float>::infinity()};
    for (int v = 0; v < 7; ++v)
        EXPECT_EQ(s.data[1 + v][0], first[v]) << v;
    EXPECT_EQ(s.data[6][1], 3.0f);
    EXPECT_EQ(s.data[7][1], std::numeric_limits<float>::infinity());
    EXPECT_EQ(s.data[1][2], 1.5f);
    EXPECT_EQ(s.data[7][2], 1.11111111111111111111e29f);
}

TEST(DecimalCommaLocale, ComtradeAsciiReadsRealsInCfgAndDat) {
    ScratchDir dir;
    ComtradeSet c = ComtradeSet::rev1999();
    c.timemult = "2.5";
    c.analog = {{"U", "kV", "Bus", 0.5, 1.25}};
    c.addSample(0, {0});
    c.addSample(0, {0});
    c.write(dir); // before the switch: the fixture prints with the locale
    writeFile(dir.file("rec.dat"), "1,0,12.5\n2,400,-3.5e2\n");
    DecimalCommaLocale locale;
    if (!locale.active())
        CURVIX_SKIP_OR_FAIL() << "no decimal-comma locale: install locales and make de_DE.UTF-8 "
                                 "(tools/setup.sh does)";
    SimOut s;
    ASSERT_EQ(s.LoadFromComtradeFile(dir.file("rec.cfg")), "");
    ASSERT_EQ(s.nPoints, 2);
    EXPECT_FLOAT_EQ(s.data[0][1], 0.001f);                        // 400 x 2.5 us
    EXPECT_FLOAT_EQ(s.data[1][0], (12.5f * 0.5f + 1.25f) * 1000); // kV
    EXPECT_FLOAT_EQ(s.data[1][1], (-350 * 0.5f + 1.25f) * 1000);
}
