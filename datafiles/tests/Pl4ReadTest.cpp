#include "FileAccess.h"
#include "Pl4Fixtures.h"
#include "Pl4Samples.h"
#include "SimOut.h"

#include <gtest/gtest.h>

using pl4fix::load;
using pl4fix::record;
using pl4fix::value;
using testfiles::ScratchDir;
using testfiles::writeFile;

namespace {

void expectSamples(const SimOut& s, int nPoints) {
    ASSERT_EQ(s.nPoints, nPoints);
    for (int v = 0; v < s.nVars; ++v)
        for (int p = 0; p < nPoints; ++p)
            ASSERT_EQ(s.data[v][p], value(v, p)) << v << "," << p;
}

} // namespace

TEST(Pl4Binary, TimeRunGivesPrefixedNamesForEveryTypeDigit) {
    ScratchDir dir;
    SimOut s;
    const auto f = pl4fix::timeRun(
        {record('1', "    X1", "OMEGA"), record('2', "", "GAIN"), record('3', "", "XOUT"),
         record('4', "BUS1"), record('5', "   12", "TQ"), record('5', "   3", "TQ"),
         record('6', "BUS1", "BUS2"), record('7', "BUS1", "BUS2"), record('8', "BUS1", "BUS2"),
         record('9', "N1", ""), record('0', "ODD", "ODD")},
        7);
    ASSERT_EQ(load(s, dir, f.bytes()), "");
    const std::vector<std::string> expected = {"t",
                                               "s1:OMEGA ",
                                               "t:GAIN  ",
                                               "m:XOUT  ",
                                               "v:BUS1  ",
                                               "u12:TQ    ",
                                               "u3:TQ    ",
                                               "p:BUS1  -BUS2  ",
                                               "e:BUS1  -BUS2  ",
                                               "v:BUS1  -BUS2  ",
                                               "c:N1    -      ",
                                               ""};
    EXPECT_EQ(s.names, expected);
    EXPECT_EQ(s.nVars, 12);
    expectSamples(s, 7);
    EXPECT_EQ(s.pl4Date, "11-Nov-18");
    EXPECT_EQ(s.pl4Time, "11.00.00");
    EXPECT_EQ(s.fileKind, fkPl4);
    EXPECT_EQ(s.pl4RunKind, rkTimeRun);
    EXPECT_TRUE(s.pl4TimeRun);
    EXPECT_EQ(s.fileSize, static_cast<std::int64_t>(f.bytes().size()));
}

TEST(Pl4Binary, FrequencyScanForms) {
    struct Case {
        int form, perRecord;
        std::vector<std::string> names;
    };
    const std::vector<Case> cases = {
        {1, 2, {"f", "v:BUS1  ", "a:BUS1  ", "c:A     -B     ", "a:A     -B     "}},
        {2, 2, {"f", "vr:BUS1  ", "vi:BUS1  ", "cr:A     -B     ", "ci:A     -B     "}},
        {3, 4, {"f", "v:BUS1  ", "a:BUS1  ", "vr:BUS1  ", "vi:BUS1  "}},
    };
    for (const auto& c : cases) {
        ScratchDir dir;
        SimOut s;
        pl4fix::Binary f;
        f.nVars = 5;
        f.w[10] = 2;
        f.w[11] = c.form;
        f.w[12] = c.perRecord;
        f.records = {record('4', "BUS1")};
        if (c.perRecord == 2) f.records.push_back(record('9', "A", "B"));
        f.samples = pl4fix::samples(5, 3);
        ASSERT_EQ(load(s, dir, f.bytes()), "") << c.form;
        EXPECT_EQ(s.names, c.names) << c.form;
        EXPECT_EQ(s.pl4RunKind, rkFrequencyScan);
        EXPECT_FALSE(s.pl4TimeRun);
        EXPECT_EQ(s.fsFlag, 2);
        EXPECT_EQ(s.fsForm, c.form);
        expectSamples(s, 3);
    }
}

TEST(Pl4Binary, ScanGroupCutByTheLastVariableNamesOnlyWhatExists) {
    ScratchDir dir;
    SimOut s;
    pl4fix::Binary f;
    f.nVars = 3; // one group of four announced, two variables present
    f.w[10] = 2;
    f.w[11] = 3;
    f.w[12] = 4;
    f.records = {record('4', "BUS1")};
    f.samples = pl4fix::samples(3, 2);
    ASSERT_EQ(load(s, dir, f.bytes()), "");
    EXPECT_EQ(s.names, (std::vector<std::string>{"f", "v:BUS1  ", "a:BUS1  "}));
}

TEST(Pl4Binary, FifteenthWordMarksAHarmonicScanAndExtraWordsAreSkipped) {
    ScratchDir dir;
    SimOut s;
    auto f = pl4fix::timeRun({record('4', "BUS1")}, 4);
    f.extraWords = {1, 77, 88};
    f.w[10] = 2;
    f.w[11] = 1;
    ASSERT_EQ(load(s, dir, f.bytes()), "");
    EXPECT_EQ(s.pl4RunKind, rkHarmonicScan);
    EXPECT_FALSE(s.pl4TimeRun);
    EXPECT_EQ(s.names[0], "f");
    expectSamples(s, 4);

    f.extraWords = {0};
    f.w[10] = 1;
    ASSERT_EQ(load(s, dir, f.bytes()), "");
    EXPECT_EQ(s.pl4RunKind, rkTimeRun);
    EXPECT_EQ(s.names[0], "t");
}

TEST(Pl4Binary, PointCountIsTheHeaderEstimateBoundedByTheSamplesPresent) {
    ScratchDir dir;
    SimOut s;
    // Two variables per record: the header is 16 bytes longer than the
    // estimate assumes, which would promise one point more than there is.
    pl4fix::Binary f;
    f.nVars = 3;
    f.w[10] = 2;
    f.w[11] = 1;
    f.w[12] = 2;
    f.records = {record('4', "BUS1")};
    f.samples = pl4fix::samples(3, 10);
    ASSERT_EQ(load(s, dir, f.bytes()), "");
    expectSamples(s, 10);

    // Extra header bytes (W13) lower the estimate.
    auto t = pl4fix::timeRun({record('4', "BUS1")}, 10);
    t.w[13] = 2 * 8;
    ASSERT_EQ(load(s, dir, t.bytes()), "");
    expectSamples(s, 8);

    // A trailing partial point is not loaded.
    ASSERT_EQ(load(s, dir, pl4fix::timeRun({record('4', "BUS1")}, 10).bytes() + "xyz"), "");
    expectSamples(s, 10);
}

TEST(Pl4Binary, SamplesStartWhereTheHeaderSays) {
    ScratchDir dir;
    SimOut s;
    auto f = pl4fix::timeRun({record('4', "A")}, 5);
    f.autoWords = false;
    f.w[7] = 2;
    f.w[8] = 76 + 16 + 8 + 1; // 8 bytes after the header before the samples
    f.w[13] = 8;
    std::string bytes = f.bytes();
    bytes.insert(76 + 16, std::string(8, '\xEE'));
    ASSERT_EQ(load(s, dir, bytes), "");
    expectSamples(s, 5);
}

TEST(Pl4Binary, SamplesCrossingReadChunksLandInTheirRows) {
    // 37 variables of 148 bytes per point never align with the 4 MiB chunks.
    ScratchDir dir;
    SimOut s;
    std::vector<std::string> recs;
    for (int v = 1; v < 37; ++v)
        recs.push_back(record('4', "N" + std::to_string(v)));
    const auto f = pl4fix::timeRun(recs, 40000);
    ASSERT_EQ(load(s, dir, f.bytes()), "");
    expectSamples(s, 40000);
}

TEST(Pl4Samples, PointsSplitAcrossTinyChunksAreReassembled) {
    ScratchDir dir;
    const std::string path = dir.file("s.bin");
    const int nVars = 5, nPoints = 23;
    testfiles::Bytes b;
    b.text("HDR");
    for (float x : pl4fix::samples(nVars, nPoints))
        b.f32(x);
    writeFile(path, b.str());
    const InputFile in(path);
    ASSERT_TRUE(in.isOpen());
    for (std::size_t chunk : {4u, 12u, 20u, 28u, 64u, 1000u}) {
        FMatrix m(nVars, nPoints);
        ASSERT_EQ(pl4ReadPoints(in, 3, nVars, nPoints, m.get(), chunk), nPoints) << chunk;
        for (int v = 0; v < nVars; ++v)
            for (int p = 0; p < nPoints; ++p)
                ASSERT_EQ(m[v][p], value(v, p)) << chunk;
    }
    // Asking for more points than the file holds gives the whole points present.
    FMatrix m(nVars, nPoints + 3);
    EXPECT_EQ(pl4ReadPoints(in, 3, nVars, nPoints + 3, m.get(), 12), nPoints);
}

TEST(Pl4Samples, EveryVariableCountLandsInItsRowsAcrossTiles) {
    // Counts below, at and off multiples of four, over several cache tiles
    // and a point count that is no multiple of four.
    ScratchDir dir;
    for (int nVars : {1, 2, 3, 4, 5, 7, 8, 11, 16}) {
        const int nPoints = 9001;
        const std::string path = dir.file("v" + std::to_string(nVars) + ".bin");
        testfiles::Bytes b;
        b.text("HEAD");
        for (float x : pl4fix::samples(nVars, nPoints))
            b.f32(x);
        writeFile(path, b.str());
        const InputFile in(path);
        ASSERT_TRUE(in.isOpen());
        for (std::size_t chunk : {std::size_t{1000}, kPl4ChunkBytes}) {
            FMatrix m(nVars, nPoints);
            ASSERT_EQ(pl4ReadPoints(in, 4, nVars, nPoints, m.get(), chunk), nPoints);
            for (int v = 0; v < nVars; ++v)
                for (int p = 0; p < nPoints; ++p)
                    ASSERT_EQ(m[v][p], value(v, p)) << nVars << " " << v << "," << p;
        }
    }
}

namespace {

// Node, branch and machine outputs of every kind, and some that point
// outside their lists.
pl4fix::CLike cLikeOfEveryKind() {
    pl4fix::CLike f;
    f.nodes = {"BUS1", "BUS2", "N3"};
    f.others = {"MODELS", "MACH 1", "TACS", "XOUT", "OMEGA", "GAIN", "UM 12", "TQ"};
    f.indexWords = {7, 8, 99};
    const int NN = 3, NM = 8;
    f.nVoltages = 3;
    f.pairs = {{1, 0},
               {1, 2},
               {4, 0},
               {2, 3},
               {NN + 1, NN + 4},
               {NN + 2, NN + 5},
               {NN + 3, NN + 6},
               {NN + NM + 1, NN + NM + 2},
               {0, 1},
               {NN + 4, NN + 5},
               {NN + NM + 3, NN + NM + 2},
               {1, NN + 1}};
    f.nPoints = 6;
    return f;
}

const std::vector<std::string> kCLikeNames = {"t",
                                              "v:BUS1  ",
                                              "v:BUS1  -BUS2  ",
                                              "",
                                              "c:BUS2  -N3    ",
                                              "m:XOUT  ",
                                              "s1:OMEGA ",
                                              "t: GAIN  ",
                                              "u12:TQ    ",
                                              "",
                                              "",
                                              "",
                                              ""};

} // namespace

TEST(Pl4CLike, NamesOfEveryKindWithAndWithoutPadding) {
    for (bool padded : {false, true}) {
        ScratchDir dir;
        SimOut s;
        auto f = cLikeOfEveryKind();
        f.padded = padded;
        const std::string bytes = f.bytes();
        ASSERT_EQ(bytes.size() % 2, padded ? 0u : 1u);
        ASSERT_EQ(load(s, dir, bytes), "") << padded;
        EXPECT_EQ(s.names, kCLikeNames);
        expectSamples(s, 6);
        EXPECT_EQ(s.nNodeVoltages, 1);
        EXPECT_EQ(s.nBranchVoltages, 1);
        EXPECT_EQ(s.nBranchCurrents, 1);
        EXPECT_EQ(s.nModels, 1);
        EXPECT_EQ(s.nTacs, 1);
        EXPECT_EQ(s.nMachine, 2);
        EXPECT_EQ(s.fsFlag, 1);
        EXPECT_EQ(s.fsForm, 0);
        EXPECT_EQ(s.pl4RunKind, rkTimeRun);
        EXPECT_TRUE(s.pl4TimeRun);
        EXPECT_EQ(s.pl4Date, "11-Nov-18");
        EXPECT_EQ(s.pl4Time, "11.00.00");
    }
}

TEST(Pl4CLike, FirstSamplePositionSkipsBytesAfterTheHeader) {
    ScratchDir dir;
    SimOut s;
    auto f = cLikeOfEveryKind();
    f.gap = std::string(10, '\x7F'); // odd header + even gap: odd size, no padding
    ASSERT_EQ(load(s, dir, f.bytes()), "");
    expectSamples(s, 6);
}

TEST(Pl4CLike, EndPositionLimitsThePoints) {
    ScratchDir dir;
    SimOut s;
    auto f = cLikeOfEveryKind();
    f.nPoints = 10;
    const std::string full = f.bytes();
    const std::int32_t i5 = static_cast<std::int32_t>(full.size() - 10 * 4 * f.nVars() + 1);
    f.endOfSamples = i5 + 4 * 4 * f.nVars(); // room for 4 points
    ASSERT_EQ(load(s, dir, f.bytes()), "");
    expectSamples(s, 4);
}

TEST(Pl4CLike, TextThatIsNotCLikeIsRefused) {
    ScratchDir dir;
    SimOut s;
    for (const std::string text : {"Hello, world\n", "1-Nov-18", "ab", "\xC3\xA9\xC3\xA9-x", "7"})
        EXPECT_EQ(load(s, dir, text), "Not a valid ATP C-Like file") << text;
}
