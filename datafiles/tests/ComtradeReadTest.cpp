#include "ComtradeSets.h"
#include "SimOut.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

using namespace testfiles;

namespace {

// Two analog channels (kV and A) and one digital channel.
ComtradeSet smallSet(ComtradeSet s = {}) {
    s.analog = {{"VA", "kV", "Bus 1", 0.5, 1.0}, {"IA", "A", "Line 4", 2.0, -3.0}};
    s.digital = {"Trip"};
    s.addSample(0, {100, -7}, {0});
    s.addSample(250, {-32767, 32767}, {1});
    s.addSample(500, {0, 0}, {1});
    return s;
}

// The values a reader must give for channel raw data of a set.
float analogValue(const ComtradeSet& s, std::size_t j, std::size_t i, double unitFactor) {
    const AnalogSpec& c = s.analog[i];
    return static_cast<float>((s.analogRaw[j][i] * c.a + c.b) * unitFactor);
}

void expectValues(const SimOut& r, const ComtradeSet& s, const std::vector<double>& unitFactors,
                  double secondsPerTick) {
    ASSERT_EQ(r.nPoints, static_cast<int>(s.stamps.size()));
    const std::size_t nA = s.analog.size();
    for (std::size_t j = 0; j < s.stamps.size(); ++j) {
        EXPECT_FLOAT_EQ(r.data[0][j], static_cast<float>(s.stamps[j] * secondsPerTick)) << j;
        for (std::size_t i = 0; i < nA; ++i)
            EXPECT_FLOAT_EQ(r.data[1 + i][j], analogValue(s, j, i, unitFactors[i]))
                << i << "," << j;
        for (std::size_t k = 0; k < s.digital.size(); ++k)
            EXPECT_EQ(r.data[1 + nA + k][j], static_cast<float>(s.digitalRaw[j][k]))
                << k << "," << j;
    }
}

std::string load(SimOut& r, const std::string& cfg) {
    return r.LoadFromComtradeFile(cfg);
}

} // namespace

TEST(ComtradeRead, Rev1991AsciiGivesPrefixedNamesAndScaledValues) {
    ScratchDir dir;
    const ComtradeSet s = smallSet();
    SimOut r;
    ASSERT_EQ(load(r, s.write(dir)), "");
    EXPECT_EQ(r.names, (std::vector<std::string>{"t", "v:VA", "c:IA", "d:Trip"}));
    EXPECT_EQ(r.nVars, 4);
    EXPECT_EQ(r.fileKind, fkComtrade);
    EXPECT_FALSE(r.pl4TimeRun);
    EXPECT_EQ(r.factor, (std::vector<float>{1, 1000, 1, 1}));
    expectValues(r, s, {1000, 1}, 1e-6);
    EXPECT_FLOAT_EQ(r.data[1][0], 51000.0f); // (100 * 0.5 + 1) kV
}

TEST(ComtradeRead, Rev1991BinaryLoadsTheSameAsItsAsciiTwin) {
    ScratchDir dir;
    ComtradeSet ascii = smallSet();
    ComtradeSet binary = ascii;
    binary.fileType = "BINARY";
    SimOut a, b;
    ASSERT_EQ(load(a, ascii.write(dir, "a")), "");
    ASSERT_EQ(load(b, binary.write(dir, "b")), "");
    EXPECT_EQ(a.names, b.names);
    for (int i = 0; i < a.nVars; ++i)
        for (int j = 0; j < a.nPoints; ++j)
            EXPECT_EQ(a.data[i][j], b.data[i][j]) << i << "," << j;
}

TEST(ComtradeRead, Rev1999TimeStampsAreMicrosecondsTimesTimemult) {
    ScratchDir dir;
    ComtradeSet s = ComtradeSet::rev1999();
    s.analog = {{"U", "V", "", 1, 0}};
    s.addSample(0, {1});
    s.addSample(1000, {2});
    s.addSample(2000, {3});
    SimOut r;
    ASSERT_EQ(load(r, s.write(dir, "one")), "");
    EXPECT_FLOAT_EQ(r.data[0][1], 0.001f);
    EXPECT_FLOAT_EQ(r.data[0][2], 0.002f);

    s.timemult = "2.5";
    s.fileType = "BINARY";
    ASSERT_EQ(load(r, s.write(dir, "two")), "");
    EXPECT_FLOAT_EQ(r.data[0][2], 0.005f);
}

TEST(ComtradeRead, BinaryDigitalChannelsOverSixteenSpanTwoStatusWords) {
    ScratchDir dir;
    ComtradeSet s = ComtradeSet::rev1999();
    s.fileType = "BINARY";
    s.analog = {{"I1", "mA", "", 1, 0}, {"P", "MW", "Unit 2", 0.1, 0}};
    for (int k = 1; k <= 18; ++k)
        s.digital.push_back("D" + std::to_string(k));
    for (std::uint32_t j = 0; j < 40; ++j) {
        std::vector<int> bits(18);
        for (int k = 0; k < 18; ++k)
            bits[k] = ((j + 1) >> (k % 6)) & 1;
        bits[16] = j % 2; // channel 17: bit 0 of the second word
        s.addSample(j * 125, {static_cast<int>(j) * 100 - 2000, -static_cast<int>(j)}, bits);
    }
    ASSERT_EQ(s.binaryDat().size(), 40u * (8 + 2 * 2 + 2 * 2));
    SimOut r;
    ASSERT_EQ(load(r, s.write(dir)), "");
    ASSERT_EQ(r.nVars, 21);
    EXPECT_EQ(r.names[1], "c:I1");
    EXPECT_EQ(r.names[2], "U:P"); // MW is no unit of its own: the component letter
    EXPECT_EQ(r.names[19], "d:D17");
    expectValues(r, s, {0.001, 1}, 1e-6);
    EXPECT_EQ(r.data[19][1], 1.0f);
}

TEST(ComtradeRead, SixteenAndSeventeenDigitalChannelsUseOneAndTwoWords) {
    for (int nD : {16, 17}) {
        ScratchDir dir;
        ComtradeSet s;
        s.fileType = "BINARY";
        s.analog = {{"U", "V", "", 1, 0}};
        for (int k = 0; k < nD; ++k)
            s.digital.push_back("D" + std::to_string(k));
        std::vector<int> allOn(nD, 1);
        s.addSample(0, {5}, allOn);
        s.addSample(10, {6}, std::vector<int>(nD, 0));
        SimOut r;
        ASSERT_EQ(load(r, s.write(dir)), "") << nD;
        expectValues(r, s, {1}, 1e-6);
    }
}

TEST(ComtradeRead, SeveralSamplingRatesCountToTheLastEndsamp) {
    ScratchDir dir;
    ComtradeSet s = ComtradeSet::rev1999();
    s.analog = {{"U", "V", "", 1, 0}};
    for (int j = 0; j < 30; ++j)
        s.addSample(static_cast<std::uint32_t>(j * 100), {j});
    s.rates = {{"10000", "10"}, {"5000", "25"}, {"1000", "30"}};
    SimOut r;
    ASSERT_EQ(load(r, s.write(dir)), "");
    EXPECT_EQ(r.nPoints, 30);
    EXPECT_EQ(r.data[1][29], 29.0f);

    // No fixed rate ("0" rates) still has one line with endsamp.
    s.rates.clear();
    std::string cfg = s.cfgText();
    cfg.replace(cfg.find("\n1\n1000,30\n"), 11, "\n0\n0,30\n");
    writeFile(dir.file("rec.cfg"), cfg);
    ASSERT_EQ(load(r, dir.file("rec.cfg")), "");
    EXPECT_EQ(r.nPoints, 30);
}

TEST(ComtradeRead, RevisionYearsAndTheirWarning) {
    ScratchDir dir;
    ComtradeSet s = smallSet(ComtradeSet::rev1999());
    s.revYear = "2013";
    SimOut r;
    auto& warnings = recordWarnings(r);
    ASSERT_EQ(load(r, s.write(dir)), "");
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].title, "Warning");
    EXPECT_EQ(warnings[0].text,
              "A problem has been found in the first row of the input file:\nthe revision of "
              "COMTRADE standard appears to be 1999, but \"2013\"\nhas been found in the rev_year "
              "field instead of \"1999\".\nThe file has been assumed to be 1999 compliant.\n");

    // 1997 and an explicit 1991 read no timemult line and warn about nothing.
    for (const char* year : {"1997", "1991"}) {
        ComtradeSet old = smallSet();
        old.revYear = year;
        SimOut q;
        auto& none = recordWarnings(q);
        ASSERT_EQ(load(q, old.write(dir, year)), "") << year;
        EXPECT_TRUE(none.empty()) << year;
        expectValues(q, old, {1000, 1}, 1e-6);
    }

    // An empty rev_year field is quoted as the line feed that ended it.
    ComtradeSet empty = smallSet(ComtradeSet::rev1999());
    empty.revYear = "";
    empty.timemultLine = true;
    std::string cfg = empty.cfgText();
    cfg.replace(0, cfg.find('\n'), "Station A,Recorder 7,");
    writeFile(dir.file("e.cfg"), cfg);
    writeFile(dir.file("e.dat"), empty.datBytes());
    SimOut e;
    auto& w = recordWarnings(e);
    ASSERT_EQ(load(e, dir.file("e.cfg")), "");
    ASSERT_EQ(w.size(), 1u);
    EXPECT_NE(w[0].text.find("but \"\\n\"\nhas"), std::string::npos);
}

TEST(ComtradeRead, DatFileIsFoundWhateverTheCaseOfItsExtension) {
    const ComtradeSet s = smallSet();
    for (const auto& [cfgExt, datExt] : std::vector<std::pair<std::string, std::string>>{
             {"cfg", "dat"}, {"cfg", "DAT"}, {"CFG", "dat"}, {"cfg", "Dat"}, {"Cfg", "dAt"}}) {
        ScratchDir dir;
        SimOut r;
        EXPECT_EQ(load(r, s.write(dir, "Rec", cfgExt, datExt)), "") << cfgExt << " " << datExt;
        EXPECT_EQ(r.nPoints, 3);
    }
}

TEST(ComtradeRead, CrLfLineEndsAreReadLikeLineFeeds) {
    ScratchDir dir;
    ComtradeSet s = smallSet(ComtradeSet::rev1999());
    s.eol = "\r\n";
    SimOut r;
    ASSERT_EQ(load(r, s.write(dir)), "");
    EXPECT_EQ(r.names[3], "d:Trip");
    expectValues(r, s, {1000, 1}, 1e-6);
}

TEST(ComtradeRead, AsciiDatAcceptsBlanksRealsAndALastLineWithoutEnd) {
    ScratchDir dir;
    ComtradeSet s;
    s.analog = {{"U", "V", "", 1, 0}};
    s.digital = {"B"};
    s.addSample(0, {0}, {0});
    s.addSample(0, {0}, {0});
    s.write(dir);
    writeFile(dir.file("rec.dat"), "1, 0, 12.5 ,1\n2,+100,-3e2,0");
    SimOut r;
    ASSERT_EQ(load(r, dir.file("rec.cfg")), "");
    EXPECT_EQ(r.data[1][0], 12.5f);
    EXPECT_EQ(r.data[1][1], -300.0f);
    EXPECT_FLOAT_EQ(r.data[0][1], 1e-4f);
    EXPECT_EQ(r.data[2][0], 1.0f);
}

TEST(ComtradeRead, AsciiDatSkipsTheEmptyLinesRecordersPutBetweenSamples) {
    const std::pair<const char*, const char*> separators[] = {
        {"an empty line after each sample", "\n\n"},
        {"CR LF lines", "\r\n\r\n"},
        {"a line of blanks", "\n \t\n"},
    };
    for (const auto& [what, between] : separators) {
        SCOPED_TRACE(what);
        ScratchDir dir;
        const ComtradeSet s = smallSet();
        s.write(dir);
        std::string dat = "\n";
        for (char c : s.datBytes())
            dat += c == '\n' ? std::string(between) : std::string(1, c);
        writeFile(dir.file("rec.dat"), dat);
        SimOut r;
        ASSERT_EQ(load(r, dir.file("rec.cfg")), "");
        expectValues(r, s, {1000, 1}, 1e-6);
    }
}

TEST(ComtradeRead, ChannelNamesKeepBytesAboveAscii) {
    ScratchDir dir;
    ComtradeSet s = smallSet();
    s.analog[0].id = "Spannung \xC3\xA4\xFF";
    s.analog[1].ccbm = "\xC3\x84u\xDF";
    s.analog[1].unit = "";
    SimOut r;
    ASSERT_EQ(load(r, s.write(dir)), "");
    EXPECT_EQ(r.names[1], "v:Spannung \xC3\xA4\xFF");
    EXPECT_EQ(r.names[2], "?:IA");
}

TEST(ComtradeRead, FailedLoadLeavesTheRecordAsItWas) {
    ScratchDir dir;
    const ComtradeSet s = smallSet();
    SimOut r;
    ASSERT_EQ(load(r, s.write(dir)), "");
    const float* before = r.data[0];
    writeFile(dir.file("rec.dat"), s.datBytes().substr(0, 20));
    EXPECT_EQ(load(r, dir.file("rec.cfg")), "Error in DAT file, row n. 2");
    EXPECT_EQ(r.data[0], before);
    EXPECT_EQ(r.names.size(), 4u);
    EXPECT_EQ(r.nPoints, 3);
}
