#include "NumberText.h"
#include "SimOut.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>

using namespace testfiles;

namespace {

class AdfRead : public ::testing::Test {
protected:
    // Loads text written to a scratch file; warnings land in `warnings`.
    std::string load(const std::string& text, bool commas = false) {
        writeFile(path, text);
        s.commaSeparators = commas;
        return s.LoadFromAdfFile(path);
    }
    std::vector<float> row(int r) const { return {s.data[r], s.data[r] + s.nPoints}; }

    ScratchDir dir;
    std::string path = dir.file("a.adf");
    SimOut s;
    std::vector<Warning>& warnings = recordWarnings(s);
};

using Floats = std::vector<float>;

} // namespace

TEST_F(AdfRead, SolverHistoryLoadsWithItsFirstNameAsAbscissa) {
    ASSERT_EQ(load("// convergence of case X\nIT DPMAX DQMAX\n0 1.5 2\n1 0.5 0.25\n2 0.01 0.002\n"),
              "");
    EXPECT_EQ(s.names, (std::vector<std::string>{"IT", "DPMAX", "DQMAX"}));
    EXPECT_EQ(s.nVars, 3);
    EXPECT_EQ(s.nPoints, 3);
    EXPECT_EQ(row(0), (Floats{0, 1, 2}));
    EXPECT_EQ(row(2), (Floats{2, 0.25f, 0.002f}));
    EXPECT_TRUE(s.xFromFile);
    EXPECT_EQ(s.fileKind, fkAdf);
    EXPECT_FALSE(s.pl4TimeRun);
    EXPECT_TRUE(warnings.empty());
}

TEST_F(AdfRead, StepInRowOneGeneratesTheAbscissa) {
    ASSERT_EQ(load("0.01 time\nva vb\n1 2\n3 4\n5 6\n"), "");
    EXPECT_EQ(s.names, (std::vector<std::string>{"time", "va", "vb"}));
    EXPECT_EQ(row(0), (Floats{0, 0.01f, 0.02f}));
    EXPECT_EQ(row(2), (Floats{2, 4, 6}));
    EXPECT_FALSE(s.xFromFile);

    const std::pair<const char*, float> autos[] = {
        {"0.01\n", 0.01f}, {"0.01 // step\n", 0.01f}, {"  +.5e-2\t% percent\r\n", 0.005f}};
    for (const auto& [head, step] : autos) {
        ASSERT_EQ(load(std::string(head) + "a\n1\n2\n"), "") << head;
        EXPECT_EQ(s.names[0], "X_(auto)") << head;
        EXPECT_EQ(s.data[0][1], step) << head;
    }
    // Words that glibc's "%f" would read as infinity are a title, not a step.
    ASSERT_EQ(load("Information on the run\na\n1\n2\n"), "");
    EXPECT_EQ(s.names, (std::vector<std::string>{"a"}));
}

TEST_F(AdfRead, GeneratedAbscissaDoesNotDriftOverManyPoints) {
    std::string text = "0.01 t\ny\n";
    for (int k = 0; k < 100000; ++k)
        text += "1\n";
    ASSERT_EQ(load(text), "");
    ASSERT_EQ(s.nPoints, 100000);
    EXPECT_EQ(s.data[0][99999], 999.99f); // float accumulation ends near 1000.655
    EXPECT_EQ(s.data[0][12345], static_cast<float>(12345 * 0.01));
}

TEST_F(AdfRead, RowCountFollowsTheLineFeeds) {
    // One empty line after the data counts as a row: warned, real count kept.
    ASSERT_EQ(load("//\nx y\n1 2\n3 4\n\n"), "");
    EXPECT_EQ(s.nPoints, 2);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].title, "Warning reading file \"" + path + "\"");
    EXPECT_EQ(warnings[0].text, "The selected Data File contains only 2 points\nthat is not "
                                "consistent with a number of rows of 5");
    warnings.clear();

    // A last row without a line feed is data, not dropped.
    ASSERT_EQ(load("//\nx y\n1 2\n3 4"), "");
    EXPECT_EQ(s.nPoints, 2);
    EXPECT_EQ(row(1), (Floats{2, 4}));
    EXPECT_TRUE(warnings.empty());

    ASSERT_EQ(load("//\nx y\n1 2\n"), "");
    EXPECT_EQ(s.nPoints, 1);
    EXPECT_EQ(load("//\nx y\n1 2\n3 oops\n"),
              "Only a single row of data was successfully read\nthat is considered insufficient "
              "to proceed");
}

TEST_F(AdfRead, CommasSeparateOnlyWithTheOption) {
    ASSERT_EQ(load("//\na b c\n1,2,3\n4, 5 ,6\n", true), "");
    EXPECT_EQ(s.nPoints, 2);
    EXPECT_EQ(row(1), (Floats{2, 5}));
    EXPECT_NE(load("//\na b c\n1,2,3\n", false), "");
}

TEST_F(AdfRead, RowThreeMustMatchTheNames) {
    EXPECT_EQ(load("//\na b c\n1 2 3 4\n"),
              "The Number of numerical values present in row 3 is 4; this is not "
              "consistent\nwith the number of variable names read from row 2 (3)");
    // With a generated abscissa the bracket still counts the names of row 2.
    EXPECT_EQ(load("0.1\na b c\n1 2 3 4\n"),
              "The Number of numerical values present in row 3 is 4; this is not "
              "consistent\nwith the number of variable names read from row 2 (3)");
    // A word that is no number ends the values of the row.
    EXPECT_EQ(load("//\na b c\n1 x 2 3\n"),
              "The Number of numerical values present in row 3 is 1; this is not "
              "consistent\nwith the number of variable names read from row 2 (3)");
    EXPECT_EQ(load("//\na b\n"), "The Number of numerical values present in row 3 is 0; this "
                                 "is not consistent\nwith the number of variable names read "
                                 "from row 2 (2)");
}

TEST_F(AdfRead, AcceptsTheNumberFormsOfPercentF) {
    ASSERT_EQ(
        load("//\r\na b c d e f g\r\n+1 .5 5. 1e-3 -2.5E+2 0x1p3 -inf\r\n0 0 0 0 0 0 1e60\r\n"),
        "");
    EXPECT_EQ(s.names.back(), "g");
    const Floats first{1, 0.5f, 5, 0.001f, -250, 8, -std::numeric_limits<float>::infinity()};
    for (int v = 0; v < 7; ++v)
        EXPECT_EQ(s.data[v][0], first[v]) << v;
    EXPECT_EQ(s.data[6][1], std::numeric_limits<float>::infinity());
}

TEST_F(AdfRead, HugeFixedPointFieldsOfADivergingRunBecomeInfinity) {
    // A solver history written with "%f" spells 1e300 out in about 300 digits.
    const auto fixed = [](double v) {
        char buf[400];
        std::snprintf(buf, sizeof buf, "%f", v);
        return std::string(buf);
    };
    ASSERT_GT(fixed(1e300).size(), 300u);
    const std::string rows = fixed(1e300) + " " + fixed(-1.7e308) + " " + fixed(1e38) + "\r\n" +
                             "2 " + fixed(-1e300) + " " + fixed(1e300) + "\r\n" + "3 4 " +
                             fixed(1e-300) + "\r\n";
    ASSERT_EQ(load("// diverging case\r\nIT DPMAX DQMAX\r\n" + rows), "");
    ASSERT_EQ(s.nPoints, 3);
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(row(0), (Floats{inf, 2, 3}));
    EXPECT_EQ(row(1), (Floats{-inf, -inf, 4}));
    EXPECT_EQ(row(2), (Floats{1e38f, inf, 0}));
    // One warning naming the variables that hold them, and only those.
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].text, "Values too large for single precision were loaded as infinite "
                                "(with their sign)\nin the variables: IT, DPMAX, DQMAX");
    ASSERT_EQ(load("// converging case\r\nIT DPMAX DQMAX\r\n1 2 3\r\n2 " + fixed(1e300) + " 1\r\n"),
              "");
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_EQ(warnings[1].text.substr(warnings[1].text.find('\n')), "\nin the variables: DPMAX");
}

TEST_F(AdfRead, FailedLoadKeepsThePreviousFile) {
    ASSERT_EQ(load("//\nx y\n1 2\n3 4\n"), "");
    EXPECT_NE(load("//\n\n"), "");
    EXPECT_EQ(s.names, (std::vector<std::string>{"x", "y"}));
    EXPECT_EQ(row(1), (Floats{2, 4}));
}

TEST_F(AdfRead, HostileFilesGiveAReason) {
    const std::string badNames = "Invalid file structure (invalid row of variable names)";
    EXPECT_EQ(load(""), badNames);
    EXPECT_EQ(load("only a title"), badNames);
    EXPECT_EQ(load("//\n \t \n1\n"), badNames);
    EXPECT_EQ(s.LoadFromAdfFile(dir.file("missing.adf")), "Unable to open file (does it exist?)");
    EXPECT_EQ(s.LoadFromAdfFile(dir.path().string()), "Unable to open file (does it exist?)");
    // Bytes above 0x7F: kept in names, no number in data.
    ASSERT_EQ(load("//\n\xe9t\xe9 b\n1 2\n3 4\n\xff\xfe 5\n"), "");
    EXPECT_EQ(s.names[0], "\xe9t\xe9");
    EXPECT_EQ(s.nPoints, 2);
    // Many columns over a sea of empty lines: the points allocated are bounded
    // by the bytes that could hold them, so this fails on reading, not allocating.
    std::string names, values;
    for (int k = 0; k < 10000; ++k)
        names += "n ", values += "1 ";
    EXPECT_EQ(load("//\n" + names + "\n" + values + std::string(1 << 20, '\n')),
              "Only a single row of data was successfully read\nthat is considered insufficient "
              "to proceed");
    // A number longer than a whole read block is no number.
    EXPECT_NE(load("//\na\n1\n" + std::string(3 << 20, '7') + "\n"), "");
}

TEST_F(AdfRead, RandomDamageNeverCrashes) {
    const std::string good = "0.5 t\na b\n1 2\n3 4e2\n5 -6\n";
    std::mt19937 rng(7);
    for (int i = 0; i < 300; ++i) {
        std::string text = good;
        for (int k = 0; k < 4; ++k)
            text[rng() % text.size()] = static_cast<char>(rng());
        text.resize(rng() % (text.size() + 1));
        const std::string reason = load(text, i % 2);
        if (reason.empty()) {
            EXPECT_GE(s.nPoints, 1);
        }
    }
}

TEST(AdfNumber, FastPathMatchesFromChars) {
    std::mt19937_64 rng(3);
    auto check = [](const std::string& text) {
        float expected = 0;
        const char* b = text.data() + (text[0] == '+');
        std::from_chars(b, text.data() + text.size(), expected);
        const auto got = numtext::parseFloat(text);
        ASSERT_TRUE(got) << text;
        EXPECT_EQ(floatBits(*got), floatBits(expected)) << text;
    };
    for (int i = 0; i < 200000; ++i) {
        const auto digits = std::to_string(rng() % 10000000000000000ULL);
        const auto point = rng() % (digits.size() + 1);
        std::string text = digits.substr(0, point) + "." + digits.substr(point);
        if (rng() % 3 == 0) text += "e" + std::to_string(static_cast<int>(rng() % 40) - 20);
        check((rng() % 2 ? "-" : "") + text);
    }
    // Float rounding midpoints written out in full.
    check("16777217.0");
    check("16777219.00");
    check("1.00000005960464477539062");
    check("0.1");
}

TEST(AdfNumber, RejectsWhatIsNoNumber) {
    for (const char* t : {"", "-", "+-1", ".", "1e", "1.5e+", "1,5", "12abc", "0x", "--1", "1..2"})
        EXPECT_FALSE(numtext::parseFloat(t)) << t;
}

TEST(AdfWrite, WritesHeaderNamesAndTabbedRows) {
    ScratchDir dir;
    SimOut s = recordOf({"time", "u", "i"}, {{0, 0.5f, 1}, {1, 2, 3}, {-1.25f, 1e-5f, 1e20f}});
    const int sel[] = {0, 2};
    ASSERT_EQ(s.SaveToAdfFile(dir.file("o.adf"), "made by test", 2, sel), "");
    EXPECT_EQ(readFile(dir.file("o.adf")),
              "//made by test\ntime i \n0\t-1.25\t\n0.5\t1e-05\t\n1\t1e+20\t\n");
}

TEST(AdfWrite, ShortestTextKeepsNeighbouringFloatsApart) {
    ScratchDir dir;
    SimOut s = recordOf({"t", "x"}, {{0, 1}, {1.000001f, 1.000002f}});
    const int sel[] = {0, 1};
    ASSERT_EQ(s.SaveToAdfFile(dir.file("o.adf"), "", 2, sel), "");
    EXPECT_EQ(readFile(dir.file("o.adf")), "//\nt x \n0\t1.000001\t\n1\t1.000002\t\n");
}

TEST(AdfWrite, RoundTripGivesTheSameNamesAndBits) {
    ScratchDir dir;
    std::mt19937 rng(11);
    std::vector<Floats> rows(4, Floats(1000));
    for (auto& r : rows)
        for (float& v : r) {
            std::uint32_t bits = static_cast<std::uint32_t>(rng());
            std::memcpy(&v, &bits, 4);
            if (std::isnan(v)) v = 0.0f;
        }
    rows[1][0] = -0.0f;
    rows[1][1] = std::numeric_limits<float>::infinity();
    rows[1][2] = std::numeric_limits<float>::denorm_min();
    SimOut s = recordOf({"t", "a", "b", "c"}, rows);
    const int sel[] = {0, 1, 2, 3};
    for (bool commas : {false, true}) {
        ASSERT_EQ(s.SaveToAdfFile(dir.file("rt.adf"), "rt", 4, sel), "");
        SimOut back;
        back.commaSeparators = commas;
        ASSERT_EQ(back.LoadFromAdfFile(dir.file("rt.adf")), "");
        ASSERT_EQ(back.names, s.names);
        ASSERT_EQ(back.nPoints, 1000);
        for (int v = 0; v < 4; ++v)
            for (int p = 0; p < 1000; ++p)
                ASSERT_EQ(floatBits(back.data[v][p]), floatBits(rows[v][p])) << v << " " << p;
    }
}

TEST(AdfWrite, NamesBecomeSingleWords) {
    ScratchDir dir;
    SimOut s = recordOf({"t", "v:BUS1  -BUS2  ", "c:N1    -      "}, {{0}, {1}, {2}});
    s.fileKind = fkPl4;
    const int sel[] = {0, 1, 2};
    ASSERT_EQ(s.SaveToAdfFile(dir.file("p.adf"), "h", 3, sel), "");
    EXPECT_EQ(readFile(dir.file("p.adf")), "//h\nt vBus1Bus2 iN1Terra \n0\t1\t2\t\n");

    SimOut m = recordOf({"x", "a b", ""}, {{0}, {1}, {2}});
    m.fileKind = fkMat;
    ASSERT_EQ(m.SaveToAdfFile(dir.file("m.adf"), "h", 3, sel), "");
    EXPECT_EQ(readFile(dir.file("m.adf")), "//h\nx a_b x2 \n0\t1\t2\t\n");
}

TEST(AdfWrite, RefusesWhatItCannotWrite) {
    ScratchDir dir;
    SimOut s = recordOf({"t"}, {{0}});
    const int bad[] = {0, 5};
    EXPECT_EQ(s.SaveToAdfFile(dir.file("o.adf"), "", 2, bad), "Invalid selection of variables");
    EXPECT_EQ(s.SaveToAdfFile(dir.file("o.adf"), "", 0, bad), "Invalid selection of variables");
    EXPECT_EQ(s.SaveToAdfFile(dir.file("no/such/dir.adf"), "", 1, bad), "Unable to open file");
}
