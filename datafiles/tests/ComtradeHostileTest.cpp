#include "ComtradeSets.h"
#include "SimOut.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

using namespace testfiles;

namespace {

ComtradeSet validSet(const std::string& type = "ASCII") {
    ComtradeSet s = ComtradeSet::rev1999();
    s.fileType = type;
    s.analog = {{"U", "kV", "Bus", 0.1, 0}};
    s.digital = {"D1", "D2"};
    for (std::uint32_t j = 0; j < 3; ++j)
        s.addSample(j * 100, {static_cast<int>(j)}, {1, 0});
    return s;
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

struct CfgCase {
    const char* what;
    std::string cfg;
    std::string reason;
};

std::string loadText(const ScratchDir& dir, const std::string& cfg, const std::string& dat) {
    writeFile(dir.file("h.cfg"), cfg);
    writeFile(dir.file("h.dat"), dat);
    SimOut r;
    return r.LoadFromComtradeFile(dir.file("h.cfg"));
}

} // namespace

TEST(ComtradeHostile, BrokenCfgFilesGiveTheirReason) {
    const ComtradeSet s = validSet();
    const std::string good = s.cfgText();
    const std::vector<CfgCase> cases = {
        {"empty file", "", "Error in CFG file, row n. 1"},
        {"one field on line 1", "STN\n", "Error in CFG file, row n. 1"},
        {"only line 1", "STN,DEV,1999\n", "Error in CFG file, row n. 2"},
        {"count not a number", replaced(good, "3,1A,2D", "x,1A,2D"), "Error in CFG file, row n. 2"},
        {"more analog than total", replaced(good, "3,1A,2D", "1,2A,0D"),
         "Channel counts on row 2 of the CFG file are not valid: 1 in total, 2 analog"},
        {"negative count", replaced(good, "3,1A,2D", "-3,1A,2D"),
         "Channel counts on row 2 of the CFG file are not valid: -3 in total, 1 analog"},
        {"absurd count", replaced(good, "3,1A,2D", "2000000000,1A,1999999999D"),
         "The CFG file declares 2000000000 channels but has only 12 rows"},
        {"count beyond int", replaced(good, "3,1A,2D", "99999999999,1A,0D"),
         "Channel counts on row 2 of the CFG file are not valid: 99999999999 in total, 1 analog"},
        {"no channels", replaced(good, "3,1A,2D", "0,0A,0D"), "The CFG file declares no channels"},
        {"analog line short", replaced(good, ",0,-32767,32767,1,1,P", ",0,-32767"),
         "Error in CFG file, row n. 3"},
        {"max not a number", replaced(good, ",-32767,32767,", ",-32767,big,"),
         "Error in CFG file, row n. 3"},
        {"multiplier not a number", replaced(good, ",0.10000000000000001,", ",1O,"),
         "Error in CFG file, row n. 3"},
        {"digital line short", replaced(good, "1,D1,,,0", "1"), "Error in CFG file, row n. 4"},
        {"rates not a number", replaced(good, "50\n1\n", "50\none\n"),
         "Error in CFG file, row n. 7"},
        {"rates beyond the file", replaced(good, "50\n1\n", "50\n99999999\n"),
         "Error in CFG file, row n. 9"}, // a time line is no rate line
        {"endsamp missing", replaced(good, "1000,3\n", "1000\n"), "Error in CFG file, row n. 8"},
        {"lower-case type", replaced(good, "ASCII", "ascii"),
         "Input file(s) are not an IEEE COMTRADE set"},
        {"32-bit binary", replaced(good, "ASCII", "BINARY32"),
         "Input file(s) are not an IEEE COMTRADE set"},
        {"float binary", replaced(good, "ASCII", "FLOAT32"),
         "Input file(s) are not an IEEE COMTRADE set"},
        {"no timemult", replaced(good, "ASCII\n1\n", "ASCII\n"), "Error in CFG file, row n. 12"},
        {"zero timemult", replaced(good, "ASCII\n1\n", "ASCII\n0\n"),
         "Error in CFG file, row n. 12"},
        {"nan timemult", replaced(good, "ASCII\n1\n", "ASCII\nnan\n"),
         "Error in CFG file, row n. 12"},
        {"no samples", replaced(good, "1000,3\n", "1000,0\n"),
         "The CFG file declares no samples (endsamp 0)"},
        {"negative samples", replaced(good, "1000,3\n", "1000,-5\n"),
         "The CFG file declares no samples (endsamp -5)"},
        {"samples beyond int", replaced(good, "1000,3\n", "1000,3000000000\n"),
         "The CFG file declares 3000000000 samples, more than can be loaded"},
    };
    ScratchDir dir;
    for (const CfgCase& c : cases)
        EXPECT_EQ(loadText(dir, c.cfg, s.datBytes()), c.reason) << c.what;
}

TEST(ComtradeHostile, DatShorterThanTheCountFailsAtTheFirstMissingRow) {
    ScratchDir dir;
    for (const char* type : {"ASCII", "BINARY"}) {
        const ComtradeSet s = validSet(type);
        const std::string cfg = s.cfgText();
        EXPECT_EQ(loadText(dir, replaced(cfg, "1000,3\n", "1000,4\n"), s.datBytes()),
                  "Error in DAT file, row n. 4")
            << type;
        EXPECT_EQ(loadText(dir, replaced(cfg, "1000,3\n", "1000,2000000000\n"), s.datBytes()),
                  "Error in DAT file, row n. 4")
            << type;
        EXPECT_EQ(loadText(dir, cfg, ""), "Error in DAT file, row n. 1") << type;
    }
}

TEST(ComtradeHostile, AsciiDatRowsWithMissingOrForeignFieldsAreRowErrors) {
    ScratchDir dir;
    const std::string cfg = validSet().cfgText();
    const std::pair<const char*, const char*> cases[] = {
        {"1,0,1,1,0\n2,100,2,1\n3,200,2,1,0\n", "2"},     // a digital value missing
        {"1,0,1,1,0\n\n2,100,2,1\n\n3,200,2,1,0\n", "3"}, // rows are lines, empty ones too
        {"1,0,1,1,0\n\n3,200,2,1,0\n", "4"},              // an empty line is no sample
        {"1,0,1,1,0\n2,100,2,1,0\n,\n", "3"},             // commas alone are a row
        {"1,0,1,1,0\n2,100,x,1,0\n3,200,2,1,0\n", "2"},   // not a number
        {"1,0,1,1,0\n2,100,,1,0\n3,200,2,1,0\n", "2"},    // empty field
        {"1,0,1,1,0\n2,100,inf,1,0\n3,200,2,1,0\n", "2"}, // not finite
        {"1,0,1,1,0\n2,100,2 5,1,0\n3,200,2,1,0\n", "2"}, // two numbers in a field
        {"1,0,1,1,0\n2,100,2,1,0\n3,200,2\xFF,1,0\n", "3"},
    };
    for (const auto& [dat, row] : cases)
        EXPECT_EQ(loadText(dir, cfg, dat), std::string("Error in DAT file, row n. ") + row) << dat;
}

TEST(ComtradeHostile, MissingFilesAndDirectoriesAreNotOpened) {
    ScratchDir dir;
    const ComtradeSet s = validSet();
    SimOut r;
    EXPECT_EQ(r.LoadFromComtradeFile(dir.file("none.cfg")),
              "Unable to open CFG file (does it exist?)");
    std::filesystem::create_directory(dir.file("d.cfg"));
    EXPECT_EQ(r.LoadFromComtradeFile(dir.file("d.cfg")),
              "Unable to open CFG file (does it exist?)");

    writeFile(dir.file("alone.cfg"), s.cfgText());
    EXPECT_EQ(r.LoadFromComtradeFile(dir.file("alone.cfg")),
              "Unable to open DAT file (does it exist?)");
    std::filesystem::create_directory(dir.file("alone.dat"));
    EXPECT_EQ(r.LoadFromComtradeFile(dir.file("alone.cfg")),
              "Unable to open DAT file (does it exist?)");
    writeFile(dir.file("x"), s.cfgText());
    EXPECT_EQ(r.LoadFromComtradeFile(dir.file("x")), "Unable to open DAT file (does it exist?)");
    EXPECT_EQ(r.nVars, 0);
}

TEST(ComtradeHostile, LinesWithoutEndStopAtTheirRow) {
    ScratchDir dir;
    const ComtradeSet s = validSet();
    // 40 MB without a line feed: longer than any real line, refused at once.
    const std::string endless(40u << 20, '7');
    EXPECT_EQ(loadText(dir, s.cfgText(), endless), "Error in DAT file, row n. 1");
    EXPECT_EQ(loadText(dir, "STN,DEV," + endless, s.datBytes()), "Error in CFG file, row n. 1");
    EXPECT_EQ(loadText(dir, "STN,DEV,1999\n3,1A,2D", s.datBytes()),
              "The CFG file declares 3 channels but has only 2 rows");
    // Long but sound lines, past the reading block of either file, still load.
    EXPECT_EQ(loadText(dir, std::string(200000, 'S') + s.cfgText(),
                       std::string(9u << 20, ' ') + s.datBytes()),
              "");
}

TEST(ComtradeHostile, EveryTruncationOfABinarySetFailsCleanly) {
    ComtradeSet s = validSet("BINARY");
    for (int k = 3; k <= 20; ++k)
        s.digital.push_back("D" + std::to_string(k));
    for (auto& bits : s.digitalRaw)
        bits.resize(20, 1);
    const std::string cfg = s.cfgText(), dat = s.datBytes();
    const std::size_t record = 8 + 2 + 2 * 2;
    ASSERT_EQ(dat.size(), 3 * record);
    ScratchDir dir;
    ASSERT_EQ(loadText(dir, cfg, dat), "");
    // Only the final line feed may go.
    for (std::size_t n = 0; n + 1 < cfg.size(); ++n)
        EXPECT_NE(loadText(dir, cfg.substr(0, n), dat), "") << n;
    for (std::size_t n = 0; n < dat.size(); ++n) {
        EXPECT_EQ(loadText(dir, cfg, dat.substr(0, n)),
                  "Error in DAT file, row n. " + std::to_string(n / record + 1))
            << n;
    }
}

TEST(ComtradeHostile, RandomBytesNeverCrash) {
    const ComtradeSet s = validSet();
    const std::string cfg = s.cfgText(), dat = s.datBytes();
    std::mt19937 rng(7);
    ScratchDir dir;
    for (int round = 0; round < 300; ++round) {
        std::string c = cfg, d = dat;
        for (int k = 0; k < 4; ++k) {
            std::string& target = (rng() & 1) ? c : d;
            if (!target.empty()) target[rng() % target.size()] = static_cast<char>(rng() & 0xFF);
        }
        SimOut r;
        writeFile(dir.file("f.cfg"), c);
        writeFile(dir.file("f.dat"), d);
        const std::string reason = r.LoadFromComtradeFile(dir.file("f.cfg"));
        if (reason.empty()) {
            EXPECT_GT(r.nPoints, 0);
        }
    }
}
