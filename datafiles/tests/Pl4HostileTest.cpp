// Broken and hostile PL4 files: each gets a reason text or a sound load,
// never a crash, a hang or an allocation the file cannot justify.

#include "Pl4Fixtures.h"
#include "SimOut.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <random>
#include <sys/stat.h>

using pl4fix::load;
using pl4fix::record;
using testfiles::ScratchDir;
using testfiles::writeFile;

namespace {

// What every successful load must give, whatever the file said.
void expectSound(const SimOut& s) {
    ASSERT_GE(s.nVars, 2);
    ASSERT_EQ(s.names.size(), static_cast<std::size_t>(s.nVars));
    ASSERT_GE(s.nPoints, 1);
    ASSERT_TRUE(s.data);
    ASSERT_LE(std::int64_t{4} * s.nVars * s.nPoints, s.fileSize);
}

std::string withWord(std::string b, std::size_t off, std::int32_t v) {
    std::memcpy(b.data() + off, &v, 4);
    return b;
}

std::string binaryFile() {
    return pl4fix::timeRun({record('4', "BUS1"), record('9', "A", "B")}, 4).bytes();
}

std::string cLikeFile(bool padded) {
    pl4fix::CLike f;
    f.nodes = {"A", "B"};
    f.others = {"TACS", "X"};
    f.indexWords = {1};
    f.nVoltages = 1;
    f.pairs = {{1, 0}, {1, 2}, {3, 4}};
    f.nPoints = 6;
    f.padded = padded;
    return f.bytes();
}

constexpr std::size_t W(int i) {
    return 20 + 4 * static_cast<std::size_t>(i);
}
constexpr std::size_t I(int i) {
    return 19 + 4 * static_cast<std::size_t>(i);
}

} // namespace

TEST(Pl4Hostile, NothingToReadGivesAReason) {
    ScratchDir dir;
    SimOut s;
    EXPECT_EQ(load(s, dir, ""), "The selected file contains no bytes!");
    EXPECT_EQ(s.LoadFromPl4File(dir.file("missing.pl4")), "Unable to open file (does it exist?)");
    const std::string notRegular = "Not a regular file: a folder or a device cannot be loaded";
    EXPECT_EQ(s.LoadFromPl4File(dir.path().string()), notRegular);
    const std::string fifo = dir.file("fifo.pl4");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(s.LoadFromPl4File(fifo), notRegular); // and does not wait for a writer
}

TEST(Pl4Hostile, EveryTruncationGivesAReasonOrTheWholePointsPresent) {
    const std::vector<std::pair<std::string, std::int64_t>> files = {
        {binaryFile(), 76 + 32}, {cLikeFile(false), 0}, {cLikeFile(true), 0}};
    for (const auto& [full, headerLen] : files) {
        ScratchDir dir;
        for (std::size_t n = 1; n < full.size(); ++n) {
            SimOut s;
            const std::string reason = load(s, dir, full.substr(0, n));
            if (reason.empty()) {
                expectSound(s);
                if (headerLen) {
                    EXPECT_EQ(s.nPoints, (static_cast<std::int64_t>(n) - headerLen) / 12);
                }
            } else if (headerLen && static_cast<std::int64_t>(n) >= headerLen + 12) {
                ADD_FAILURE() << "a file with whole points failed at " << n << ": " << reason;
            }
        }
    }
}

TEST(Pl4Hostile, AbsurdBinaryHeaderWordsAreCaught) {
    const std::string ok = binaryFile();
    const auto size = std::to_string(ok.size());
    struct Case {
        std::size_t off;
        std::int32_t value;
        std::string reason; // empty: loads
    };
    const std::vector<Case> cases = {
        {W(0), INT32_MAX,
         "The PL4 header is cut short: the file has " + size +
             " bytes, the header needs 8589934608"},
        {W(0), -5, ""},
        {W(7), INT32_MAX,
         "The PL4 header is cut short: the file has " + size +
             " bytes, the header needs 17179869244"},
        {W(7), 1, "The PL4 header declares 0 output variables; at least 1 is needed"},
        {W(7), -4, "The PL4 header declares -2 output variables; at least 1 is needed"},
        {W(12), -1, "The PL4 header declares -1 variables per record"},
        {W(8), 0,
         "The PL4 header places the samples at byte -1, outside the file's " + size +
             " bytes or inside its header (which ends at byte 108)"},
        {W(8), INT32_MIN,
         "The PL4 header places the samples at byte -2147483649, outside the "
         "file's " +
             size + " bytes or inside its header (which ends at byte 108)"},
        {W(8), 60,
         "The PL4 header places the samples at byte 59, outside the file's " + size +
             " bytes or inside its header (which ends at byte 108)"},
        {W(13), INT32_MIN, ""}, // the estimate grows; the samples present decide
        {W(13), INT32_MAX,
         "The file holds no sample points (3 variables of 4 bytes each; 48 "
         "bytes after the header)"},
    };
    for (const auto& c : cases) {
        ScratchDir dir;
        SimOut s;
        EXPECT_EQ(load(s, dir, withWord(ok, c.off, c.value)), c.reason) << c.off << " " << c.value;
        if (c.reason.empty()) {
            expectSound(s);
            EXPECT_EQ(s.nPoints, 4);
        }
    }
}

TEST(Pl4Hostile, HugeVariableCountWithHugeRecordsNeverAllocatesNames) {
    // One record for a billion variables: the samples cannot hold one point.
    std::string b = withWord(binaryFile(), W(7), INT32_MAX - 1);
    b = withWord(b, W(12), INT32_MAX);
    b = withWord(b, W(8), 76 + 16 + 1);
    ScratchDir dir;
    SimOut s;
    EXPECT_EQ(load(s, dir, b), "The file holds no sample points (1073741824 variables of 4 bytes "
                               "each; " +
                                   std::to_string(b.size() - 92) + " bytes after the header)");
}

TEST(Pl4Hostile, AbsurdCLikeHeaderWordsAreCaught) {
    const std::string ok = cLikeFile(false);
    const auto size = std::to_string(ok.size());
    struct Case {
        std::size_t off;
        std::int32_t value;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {I(0), -1,
         "The C-Like header declares negative counts (-1 node names, 2 other names, 1 "
         "index words)"},
        {I(4), INT32_MIN,
         "The C-Like header declares negative counts (2 node names, 2 other "
         "names, -2147483648 index words)"},
        {I(3), INT32_MAX,
         "The C-Like header is cut short: the file has " + size +
             " bytes, the header needs 12884901969"},
        {I(2), INT32_MAX,
         "The C-Like header is cut short: the file has " + size +
             " bytes, the header needs 8589934663"},
        {I(2), -6, "The C-Like header declares -3 output variables; at least 1 is needed"},
        {I(1), 100, "The C-Like header declares 50 voltage outputs among 3 outputs"},
        {I(1), -2, "The C-Like header declares -1 voltage outputs among 3 outputs"},
        {I(5), INT32_MAX,
         "The file holds no sample points (4 variables of 4 bytes each; 0 bytes "
         "after the header)"},
        {I(5), INT32_MIN, ""},
        {I(6), INT32_MIN,
         "The file holds no sample points (4 variables of 4 bytes each; 96 bytes "
         "after the header)"},
    };
    for (const auto& c : cases) {
        ScratchDir dir;
        SimOut s;
        EXPECT_EQ(load(s, dir, withWord(ok, c.off, c.value)), c.reason) << c.off << " " << c.value;
        if (c.reason.empty()) expectSound(s);
    }
}

TEST(Pl4Hostile, TextWithoutLineEndsOrWithHighBytesGivesAReason) {
    ScratchDir dir;
    SimOut s;
    EXPECT_EQ(load(s, dir, "12-Nov-18 no end of line"),
              "The C-Like header is cut short: the file has 24 bytes, the header needs 47");
    std::string high(300, '\xE9');
    high.replace(0, 3, "12-");
    EXPECT_NE(load(s, dir, high), "");
    EXPECT_EQ(load(s, dir, "\x84"), "The PL4 header is cut short: the file has 1 bytes, the "
                                    "header needs 76");
}

TEST(Pl4Hostile, FailedLoadLeavesThePreviousFileInPlace) {
    ScratchDir dir;
    SimOut s;
    ASSERT_EQ(load(s, dir, binaryFile()), "");
    const auto names = s.names;
    float** rows = s.data.get();
    EXPECT_NE(load(s, dir, withWord(binaryFile(), W(7), -4)), "");
    EXPECT_EQ(s.names, names);
    EXPECT_EQ(s.data.get(), rows);
    EXPECT_EQ(s.nPoints, 4);
    EXPECT_TRUE(s.pl4TimeRun);
}

TEST(Pl4Hostile, RandomlyDamagedFilesLoadSoundlyOrGiveAReason) {
    std::mt19937 rng(12345);
    ScratchDir dir;
    const std::vector<std::string> seeds = {binaryFile(), cLikeFile(false), cLikeFile(true)};
    for (int round = 0; round < 3000; ++round) {
        std::string b = seeds[static_cast<std::size_t>(round) % seeds.size()];
        const int flips = 1 + static_cast<int>(rng() % 4);
        for (int i = 0; i < flips; ++i) {
            // Mostly in the header, where the counts live.
            const std::size_t at =
                rng() % (rng() % 4 ? std::min<std::size_t>(b.size(), 80) : b.size());
            b[at] = static_cast<char>(rng() % 3 ? rng() : (rng() % 2 ? 0xFF : 0x7F));
        }
        if (rng() % 5 == 0) b.resize(rng() % b.size());
        SimOut s;
        if (load(s, dir, b).empty()) expectSound(s);
    }
}
