// Metafiles we write: their byte layout checked by a walk of our own, read by
// libwmf's independent converters, and played back.
#include "Metafile.h"
#include "ShellOutput.h"
#include "Bitmap.h"
#include "MissingTool.h"
#include "RecordingCanvas.h"
#include "Scene.h"
#include "ScratchFiles.h"
#include "Wmf.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {
std::uint16_t U16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}
std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return U16(b, at) | (std::uint32_t{U16(b, at + 2)} << 16);
}

void MakeScene(TMetafile& mf) {
    mf.SetWidth(200);
    mf.SetHeight(130);
    {
        TMetafileCanvas c(mf);
        DrawScene(c);
    }
}

std::string RunCommand(const std::string& command, int& status) {
    return testsupport::ShellOutput(command + " 2>&1", &status);
}

std::string ReadFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}
} // namespace

TEST(MetafileLayout, HeaderSizesChecksumObjectsAndEndRecord) {
    TMetafile mf;
    MakeScene(mf);
    const auto& b = mf.Data();
    ASSERT_GT(b.size(), 40u);
    // Placeable header: key, bounding box, 96 units per inch, XOR checksum.
    EXPECT_EQ(U32(b, 0), 0x9AC6CDD7u);
    EXPECT_EQ(U16(b, 10), 200);
    EXPECT_EQ(U16(b, 12), 130);
    EXPECT_EQ(U16(b, 14), 96);
    std::uint16_t sum = 0;
    for (int i = 0; i < 10; ++i)
        sum ^= U16(b, 2 * i);
    EXPECT_EQ(U16(b, 20), sum);
    // Header: the file's size in words, object count, largest record.
    EXPECT_EQ(U16(b, 24), 9);
    EXPECT_EQ(U32(b, 28) * 2, b.size() - 22);
    const std::uint16_t objects = U16(b, 32);
    std::uint32_t largest = 0;
    std::vector<int> table(objects, 0); // 0 free, 1 alive
    int created = 0, deleted = 0, selects = 0;
    std::size_t at = 40;
    std::uint16_t function = 0xFFFF;
    while (at < b.size()) {
        const std::uint32_t words = U32(b, at);
        ASSERT_GE(words, 3u) << "at " << at;
        ASSERT_LE(at + words * 2, b.size());
        function = U16(b, at + 4);
        largest = std::max(largest, words);
        if (function == 0x02FA || function == 0x02FB || function == 0x02FC) {
            const auto slot = std::find(table.begin(), table.end(), 0);
            ASSERT_NE(slot, table.end()) << "more objects than declared";
            *slot = 1;
            ++created;
        } else if (function == 0x012D || function == 0x01F0) {
            const std::uint16_t h = U16(b, at + 6);
            ASSERT_LT(h, table.size());
            ASSERT_EQ(table[h], 1) << "dead object used at " << at;
            if (function == 0x01F0) {
                table[h] = 0;
                ++deleted;
            } else {
                ++selects;
            }
        }
        at += words * 2;
        if (function == 0) break;
    }
    EXPECT_EQ(at, b.size());
    EXPECT_EQ(function, 0) << "the last record is the end record";
    EXPECT_EQ(largest, U32(b, 34));
    EXPECT_GT(created, 4);
    EXPECT_EQ(created, deleted) << "every object is deleted";
    EXPECT_GE(selects, created);

    wmf::File parsed;
    EXPECT_EQ(wmf::Parse(b, parsed), "");
}

TEST(MetafileLayout, CorruptFilesAreRefusedWithAReason) {
    TMetafile mf;
    MakeScene(mf);
    const auto& good = mf.Data();
    wmf::File parsed;
    auto bad = good;
    bad[20] ^= 1;
    EXPECT_NE(wmf::Parse(bad, parsed).find("checksum"), std::string::npos);
    bad = good;
    bad.resize(bad.size() - 6);
    EXPECT_FALSE(wmf::Parse(bad, parsed).empty());
    bad = good;
    bad[40] = 0xFF; // first record's size beyond the file
    bad[41] = 0xFF;
    EXPECT_FALSE(wmf::Parse(bad, parsed).empty());
    for (std::size_t n = 0; n < good.size(); n += 7)
        EXPECT_FALSE(wmf::Parse(std::span(good.data(), n), parsed).empty()) << n;
}

TEST(MetafileLayout, CoordinatesBeyondSixteenBitsAreHeldAtTheLimits) {
    TMetafile mf;
    mf.SetWidth(10);
    mf.SetHeight(10);
    {
        TMetafileCanvas c(mf);
        c.MoveTo(-100000, 5);
        c.LineTo(100000, 5);
    }
    wmf::File f;
    ASSERT_EQ(wmf::Parse(mf.Data(), f), "");
    TRecordingCanvas replay;
    wmf::Play(f, replay);
    ASSERT_EQ(replay.Calls.size(), 1u);
    EXPECT_EQ(replay.Calls[0].args, (std::vector<int>{-32768, 5, 32767, 5}));
}

TEST(MetafileLayout, MangledBytesAreRefusedOrPlayedWithoutHarm) {
    TMetafile mf;
    MakeScene(mf);
    unsigned seed = 7;
    for (int round = 0; round < 300; ++round) {
        auto bytes = mf.Data();
        for (int k = 0; k < 4; ++k) {
            seed = seed * 1103515245u + 12345u;
            const std::size_t at = 22 + (seed >> 8) % (bytes.size() - 22);
            bytes[at] = static_cast<std::uint8_t>(seed >> 24);
        }
        wmf::File f;
        if (wmf::Parse(bytes, f).empty()) {
            TRecordingCanvas replay;
            wmf::Play(f, replay);
        }
    }
}

TEST(MetafileSave, ReportsFailureInsteadOfSuccess) {
    TMetafile mf;
    MakeScene(mf);
    const testsupport::ScratchDir scratch;
    const fs::path good = scratch.file("save.wmf");
    EXPECT_EQ(mf.SaveToFile(good.string()), "");
    EXPECT_EQ(fs::file_size(good), mf.Data().size());
    fs::remove(good);
    EXPECT_NE(mf.SaveToFile("/nonexistent-dir/x.wmf"), "");
    // A failed write to a device reports the failure and leaves the device in place.
    ASSERT_TRUE(fs::is_character_file("/dev/full")) << "/dev/full is missing on this machine";
    EXPECT_NE(mf.SaveToFile("/dev/full"), "");
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
    EXPECT_NE(TMetafile().SaveToFile(good.string()), "");
    EXPECT_FALSE(fs::exists(good));
}

TEST(MetafileReaders, Wmf2svgConvertsWithoutComplaintAndHoldsLinesAndTexts) {
    if (!fs::exists("/usr/bin/wmf2svg")) CURVIX_SKIP_OR_FAIL() << "wmf2svg: install libwmf-bin";
    TMetafile mf;
    MakeScene(mf);
    const testsupport::ScratchDir scratch;
    const fs::path wmfFile = scratch.file("scene.wmf"), svgFile = scratch.file("scene.svg");
    ASSERT_EQ(mf.SaveToFile(wmfFile.string()), "");
    int status = 0;
    const std::string messages =
        RunCommand("/usr/bin/wmf2svg -o " + svgFile.string() + " " + wmfFile.string(), status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(messages, "");
    const std::string svg = ReadFile(svgFile);
    EXPECT_NE(svg.find("Time [ms]"), std::string::npos);
    EXPECT_NE(svg.find("45"), std::string::npos);
    EXPECT_NE(svg.find("<line"), std::string::npos);
    EXPECT_NE(svg.find("<polyline"), std::string::npos);
    EXPECT_NE(svg.find("<rect"), std::string::npos);
    EXPECT_NE(svg.find("<ellipse"), std::string::npos);
}

// Metafile text is in the font's Windows-1252 set: a name read as UTF-8 is written in it,
// and another program reads the same letters either way (wmf2svg copies the bytes).
TEST(MetafileReaders, Wmf2svgReadsNamesInEitherEncodingAsTheSameLetters) {
    if (!fs::exists("/usr/bin/wmf2svg")) CURVIX_SKIP_OR_FAIL() << "wmf2svg: install libwmf-bin";
    const testsupport::ScratchDir scratch;
    for (const char* name : {"d\xC3\xA9j\xC3\xA0", "d\xE9j\xE0"}) {
        SCOPED_TRACE(name);
        TMetafile mf;
        mf.SetWidth(100);
        mf.SetHeight(40);
        {
            TMetafileCanvas c(mf);
            c.TextOut(5, 5, name);
        }
        const fs::path wmfFile = scratch.file("name.wmf"), svgFile = scratch.file("name.svg");
        ASSERT_EQ(mf.SaveToFile(wmfFile.string()), "");
        int status = 0;
        RunCommand("/usr/bin/wmf2svg -o " + svgFile.string() + " " + wmfFile.string(), status);
        EXPECT_EQ(status, 0);
        const std::string svg = ReadFile(svgFile);
        const auto end = svg.find("</text>");
        ASSERT_NE(end, std::string::npos);
        const auto begin = svg.rfind('>', end) + 1;
        EXPECT_EQ(svg.substr(begin, end - begin), "d\xE9j\xE0");
    }
}
