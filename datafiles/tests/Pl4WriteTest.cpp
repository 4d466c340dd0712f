#include "Pl4Fixtures.h"
#include "Pl4Names.h"
#include "SimOut.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <random>

using pl4fix::record;
using testfiles::floatBits;
using testfiles::readFile;
using testfiles::ScratchDir;
using testfiles::writeFile;

namespace {

std::int32_t wordAt(const std::string& b, std::size_t off) {
    std::int32_t v;
    std::memcpy(&v, b.data() + off, 4);
    return v;
}

SimOut loaded(const ScratchDir& dir, const std::string& bytes) {
    SimOut s;
    writeFile(dir.file("in.pl4"), bytes);
    EXPECT_EQ(s.LoadFromPl4File(dir.file("in.pl4")), "");
    return s;
}

} // namespace

TEST(Pl4Writer, ThreeVariablesOfAHundredPointsHaveTheDocumentedHeader) {
    ScratchDir dir;
    SimOut s = loaded(
        dir, pl4fix::timeRun({record('4', "BUS1"), record('9', "BUS1", "BUS2")}, 100).bytes());
    const int sel[] = {0, 1, 2};
    ASSERT_EQ(s.SaveToPl4File(dir.file("out.pl4"), 3, sel), "");
    const std::string b = readFile(dir.file("out.pl4"));
    ASSERT_EQ(b.size(), 108u + 100 * 3 * 4);
    EXPECT_EQ(static_cast<unsigned char>(b[0]), 0x84);
    EXPECT_EQ(b.substr(1, 19), "11-Nov-18  11.00.00");
    const std::int32_t expected[14] = {14, 0, 0, 0, 0, 0, 0, 4, 109, 0, 1, 0, 1, 0};
    for (int i = 0; i < 14; ++i)
        if (i != 4 && i != 5) {
            EXPECT_EQ(wordAt(b, 20 + 4 * i), expected[i]) << "W" << i;
        }
    EXPECT_EQ(static_cast<std::uint32_t>(wordAt(b, 36)), floatBits(s.data[0][99]));
    EXPECT_EQ(static_cast<std::uint32_t>(wordAt(b, 40)), floatBits(s.data[0][1] - s.data[0][0]));
    EXPECT_EQ(b.substr(76, 16), "   4BUS1        ");
    EXPECT_EQ(b.substr(92, 16), "   9BUS1  BUS2  ");

    SimOut back;
    ASSERT_EQ(back.LoadFromPl4File(dir.file("out.pl4")), "");
    EXPECT_EQ(back.names, s.names);
    EXPECT_EQ(back.nPoints, 100);
}

TEST(Pl4Writer, RoundTripKeepsEveryNameAndEveryFloatBit) {
    ScratchDir dir;
    auto f = pl4fix::timeRun(
        {record('1', "     A", "OMEGA"), record('2', "", "GAIN"), record('3', "", "XOUT"),
         record('4', "BUS1"), record('5', "   12", "TQ"), record('5', "   3", "TQ"),
         record('6', "BUS1", "BUS2"), record('7', "BUS1", "BUS2"), record('8', "BUS1", "BUS2"),
         record('9', "N1", ""), record('4', "\xC4\xD6\xFF-1")},
        257);
    // Arbitrary bit patterns, NaN payloads, infinities and subnormals included.
    std::mt19937 rng(7);
    for (float& x : f.samples) {
        const std::uint32_t u = rng();
        std::memcpy(&x, &u, 4);
    }
    f.samples[0] = 0.0f;
    f.samples[12] = 1e-3f; // abscissa of point 0 and 1
    f.samples[13] = std::numeric_limits<float>::denorm_min();
    f.samples[14] = -std::numeric_limits<float>::infinity();
    SimOut s = loaded(dir, f.bytes());
    ASSERT_EQ(s.nVars, 12);

    std::vector<int> sel(12);
    for (int i = 0; i < 12; ++i)
        sel[static_cast<std::size_t>(i)] = i;
    ASSERT_EQ(s.SaveToPl4File(dir.file("out.pl4"), 12, sel.data()), "");
    SimOut back;
    ASSERT_EQ(back.LoadFromPl4File(dir.file("out.pl4")), "");
    EXPECT_EQ(back.names, s.names);
    ASSERT_EQ(back.nPoints, 257);
    for (int v = 0; v < 12; ++v)
        for (int p = 0; p < 257; ++p)
            ASSERT_EQ(floatBits(back.data[v][p]), floatBits(s.data[v][p])) << v << "," << p;
}

TEST(Pl4Writer, SelectionPicksAndOrdersTheVariables) {
    ScratchDir dir;
    SimOut s = loaded(
        dir, pl4fix::timeRun({record('4', "A"), record('4', "B"), record('4', "C")}, 5).bytes());
    const int sel[] = {0, 3, 1};
    ASSERT_EQ(s.SaveToPl4File(dir.file("out.pl4"), 3, sel), "");
    SimOut back;
    ASSERT_EQ(back.LoadFromPl4File(dir.file("out.pl4")), "");
    EXPECT_EQ(back.names, (std::vector<std::string>{"t", "v:C     ", "v:A     "}));
    for (int p = 0; p < 5; ++p) {
        EXPECT_EQ(back.data[1][p], pl4fix::value(3, p));
        EXPECT_EQ(back.data[2][p], pl4fix::value(1, p));
    }
}

TEST(Pl4Writer, CLikeMachineAndTacsNamesSurviveTheBinaryRoundTrip) {
    ScratchDir dir;
    pl4fix::CLike f;
    f.nodes = {"BUS1"};
    f.others = {"MACH 1", "TACS", "OMEGA", "GAIN", "UM 12", "TQ", "MODELS", "XOUT"};
    f.indexWords = {5, 6};
    f.pairs = {{2, 4}, {3, 5}, {10, 11}, {8, 9}}; // 1 node name, 8 other names
    f.nPoints = 3;
    SimOut s = loaded(dir, f.bytes());
    ASSERT_EQ(s.names,
              (std::vector<std::string>{"t", "s1:OMEGA ", "t: GAIN  ", "u12:TQ    ", "m:XOUT  "}));
    const int sel[] = {0, 1, 2, 3, 4};
    ASSERT_EQ(s.SaveToPl4File(dir.file("out.pl4"), 5, sel), "");
    SimOut back;
    ASSERT_EQ(back.LoadFromPl4File(dir.file("out.pl4")), "");
    // The binary layout has no blank after the TACS colon.
    EXPECT_EQ(back.names,
              (std::vector<std::string>{"t", "s1:OMEGA ", "t:GAIN  ", "u12:TQ    ", "m:XOUT  "}));
}

TEST(Pl4Writer, NamesTrimmedByTheCallerKeepTheirNodes) {
    // Trailing blanks may be gone by the time names reach the writer.
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"v:BUS1", "v:BUS1  "},
        {"c:N1    -", "c:N1    -      "},
        {"v:AB    -CD", "v:AB    -CD    "},
        {"s1:W", "s1:W     "},
        {"u7:TQ", "u7:TQ    "},
        {"t:G", "t:G     "}};
    for (const auto& [in, out] : cases) {
        const Pl4Record r = pl4RecordFromName(in);
        EXPECT_EQ(pl4NameFromRecord(r.data()), out) << in;
    }
}

TEST(Pl4Writer, NamesOfNoPl4KindAreKeptAsModelsVariables) {
    for (const std::string in : {"time", "", "X_(auto)", "d:TRIP", "?:X"}) {
        const Pl4Record r = pl4RecordFromName(in);
        EXPECT_EQ(r[3], '3') << in;
    }
    EXPECT_EQ(pl4NameFromRecord(pl4RecordFromName("time").data()), "m:time  ");
    EXPECT_EQ(pl4NameFromRecord(pl4RecordFromName("d:TRIP").data()), "m:TRIP  ");
}

TEST(Pl4Writer, ShortRecordsNeverReadPastTheirSamples) {
    for (int points : {1, 2}) {
        ScratchDir dir;
        SimOut s = loaded(dir, pl4fix::timeRun({record('4', "A")}, points).bytes());
        const int sel[] = {0, 1};
        ASSERT_EQ(s.SaveToPl4File(dir.file("out.pl4"), 2, sel), "");
        const std::string b = readFile(dir.file("out.pl4"));
        ASSERT_EQ(b.size(), 92u + 8u * static_cast<unsigned>(points));
        EXPECT_EQ(static_cast<std::uint32_t>(wordAt(b, 36)), floatBits(s.data[0][points - 1]));
        const float step = points == 2 ? s.data[0][1] - s.data[0][0] : 0.0f;
        EXPECT_EQ(static_cast<std::uint32_t>(wordAt(b, 40)), floatBits(step));
    }
}

TEST(Pl4Writer, RefusesScansBadSelectionsAndUnwritablePaths) {
    ScratchDir dir;
    pl4fix::Binary scan;
    scan.nVars = 3;
    scan.w[10] = 2;
    scan.w[11] = 1;
    scan.w[12] = 2;
    scan.records = {record('4', "BUS1")};
    scan.samples = pl4fix::samples(3, 4);
    SimOut s = loaded(dir, scan.bytes());
    const int sel[] = {0, 1, 2};
    EXPECT_EQ(s.SaveToPl4File(dir.file("scan.pl4"), 3, sel),
              "Sorry, output type PL4 not available for Frequency Scan and HFS runs\n"
              "Please, choose ADF or MAT output format.");
    EXPECT_FALSE(std::filesystem::exists(dir.file("scan.pl4")));

    SimOut t = loaded(dir, pl4fix::timeRun({record('4', "A")}, 3).bytes());
    const int bad[] = {0, 2};
    EXPECT_EQ(t.SaveToPl4File(dir.file("x.pl4"), 2, bad), "Invalid variable index 2");
    const int neg[] = {0, -1};
    EXPECT_EQ(t.SaveToPl4File(dir.file("x.pl4"), 2, neg), "Invalid variable index -1");
    EXPECT_EQ(t.SaveToPl4File(dir.file("x.pl4"), 1, sel),
              "Nothing to write: select at least one variable besides the abscissa");
    EXPECT_FALSE(std::filesystem::exists(dir.file("x.pl4")));
    EXPECT_EQ(t.SaveToPl4File(dir.path().string(), 2, sel), "Unable to open file (does it exist?)");
}
