// Registry settings read and repaired, scaling, command line and the close state.
#include "Startup.h"
#include "RegistryNames.h"
#include "ScratchDir.h"
#include "services/Registry.h"

#include "MessageBox.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {
struct Shown {
    std::string text, title;
    unsigned flags;
};

struct Settings : ::testing::Test {
    ScratchDir dir;
    std::vector<Shown> shown;
    TShowMessage show = [this](const std::string& t, const std::string& ti, unsigned f) {
        shown.push_back({t, ti, f});
        return 1;
    };
    SGlobalVars globals;
    SProgramOptions options;

    void Read() {
        TRegistry r;
        ReadSettings(r, globals, options, show);
    }
};

SProgramOptions Stored(float hz) {
    SProgramOptions o;
    o.SetFlag(poMaxSpeed, true);
    o.SetFlag(poCommaSeparators, true);
    o.SetFrequency(hz);
    return o;
}
} // namespace

TEST_F(Settings, NoKeyGivesDefaults) {
    options.bytes[1] = 1;
    options.bytes[11] = 7;
    Read();
    EXPECT_TRUE(shown.empty());
    EXPECT_TRUE(options.Flag(poAutoLabel));
    EXPECT_FALSE(options.Flag(poMaxSpeed));
    EXPECT_EQ(options.Frequency(), 50.0f);
    EXPECT_EQ(options.bytes[1], 1); // kept
    EXPECT_EQ(options.bytes[11], 7);
}

TEST_F(Settings, StoredOptionsAndPositionsAreRead) {
    {
        TRegistry r;
        r.OpenKey(kProgramKey, true);
        const SProgramOptions o = Stored(60.0f);
        r.WriteBinaryData(kProgramOptionsValue, o.bytes.data(), 16);
        r.WriteBool(kMultiFileModeValue, true);
        std::uint8_t pos[26] = {};
        pos[0] = 0x34, pos[1] = 0x12; // top 0x1234
        pos[4] = 0xFF, pos[5] = 0xFF; // height -1
        r.WriteBinaryData(kWinPositionsValue, pos, 26);
    }
    Read();
    EXPECT_TRUE(shown.empty());
    EXPECT_TRUE(globals.multiFileMode);
    EXPECT_TRUE(options.Flag(poMaxSpeed));
    EXPECT_TRUE(options.Flag(poCommaSeparators));
    EXPECT_TRUE(options.Flag(poRememberWindows)); // positions exist
    EXPECT_EQ(options.Frequency(), 60.0f);
    EXPECT_EQ(globals.winPos[0], 0x1234);
    EXPECT_EQ(globals.winPos[2], -1);
}

TEST_F(Settings, KeyWithoutOptionsIsNoReadError) {
    {
        TRegistry r;
        r.OpenKey(std::string(kProgramKey) + "\\" + kSavedStateKey, true);
        r.WriteInteger("TimeUnit", 1);
    }
    Read();
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(options.Frequency(), 50.0f);
    EXPECT_TRUE(options.Flag(poAutoLabel));
    TRegistry r;
    EXPECT_TRUE(r.KeyExists(std::string(kProgramKey) + "\\" + kSavedStateKey));
}

TEST_F(Settings, MalformedOptionsShowTheMessageDeleteTheKeyAndRestoreDefaults) {
    {
        TRegistry r;
        r.OpenKey(kProgramKey, true);
        std::uint8_t shortBlock[10] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
        r.WriteBinaryData(kProgramOptionsValue, shortBlock, 10);
    }
    Read();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].title, "Error in Registry");
    EXPECT_EQ(shown[0].flags, unsigned(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_NE(shown[0].text.find("defaults restored."), std::string::npos);
    EXPECT_TRUE(options.Flag(poAutoLabel));
    EXPECT_EQ(options.Frequency(), 50.0f);
    TRegistry r;
    EXPECT_FALSE(r.KeyExists(kMakerKey));
}

TEST_F(Settings, OptionsBlockIsSwitchBytesThenALittleEndianSingleFrequency) {
    {
        TRegistry r;
        r.OpenKey(kProgramKey, true);
        // 60.0f is 0x42700000.
        const std::uint8_t raw[16] = {1, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 9, 0x00, 0x00, 0x70, 0x42};
        r.WriteBinaryData(kProgramOptionsValue, raw, 16);
        r.WriteBool(kMultiFileModeValue, false);
    }
    Read();
    EXPECT_TRUE(shown.empty());
    const bool expected[11] = {true,  true, false, true, false, true,
                               false, true, false, true, false};
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(options.Flag(i), expected[i]) << "byte " << i;
    EXPECT_EQ(options.bytes[11], 9); // unused, kept as stored
    EXPECT_EQ(options.Frequency(), 60.0f);
    options.SetFrequency(50.0f); // 0x42480000
    EXPECT_EQ(options.bytes[12], 0x00);
    EXPECT_EQ(options.bytes[13], 0x00);
    EXPECT_EQ(options.bytes[14], 0x48);
    EXPECT_EQ(options.bytes[15], 0x42);
}

TEST_F(Settings, OptionsOfAnotherTypeGiveTheFullMessageAndKeepTheModeRead) {
    {
        TRegistry r;
        r.OpenKey(kProgramKey, true);
        r.WriteBool(kMultiFileModeValue, true);
        r.WriteInteger(kProgramOptionsValue, 1);
    }
    Read();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text,
              "Error reading data in Registry\n(This may be caused by the first use of this "
              "release of the program).\nThe Curvix keys are cancelled and defaults restored.");
    EXPECT_EQ(shown[0].title, "Error in Registry");
    EXPECT_EQ(shown[0].flags, unsigned(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_TRUE(globals.multiFileMode); // only the options block gets its defaults
    EXPECT_TRUE(options.Flag(poAutoLabel));
    EXPECT_EQ(options.Frequency(), 50.0f);
    TRegistry r;
    EXPECT_FALSE(r.KeyExists(kMakerKey));
}

TEST_F(Settings, PositionsOfAnotherSizeAreIgnoredQuietly) {
    {
        TRegistry r;
        r.OpenKey(kProgramKey, true);
        const SProgramOptions o = Stored(60.0f);
        r.WriteBinaryData(kProgramOptionsValue, o.bytes.data(), 16);
        std::uint8_t pos[20] = {1, 2, 3};
        r.WriteBinaryData(kWinPositionsValue, pos, 20);
    }
    Read();
    EXPECT_TRUE(shown.empty());
    EXPECT_FALSE(options.Flag(poRememberWindows));
    EXPECT_EQ(globals.winPos[0], 0);
    EXPECT_EQ(options.Frequency(), 60.0f);
    TRegistry r;
    EXPECT_TRUE(r.KeyExists(kProgramKey)); // nothing deleted
}

TEST_F(Settings, FrequencyThatIsNotPositiveAndFiniteReadsAs50) {
    for (float hz : {0.0f, -60.0f, std::numeric_limits<float>::infinity(),
                     std::numeric_limits<float>::quiet_NaN()}) {
        {
            TRegistry r;
            r.OpenKey(kProgramKey, true);
            const SProgramOptions o = Stored(hz);
            r.WriteBinaryData(kProgramOptionsValue, o.bytes.data(), 16);
        }
        Read();
        EXPECT_EQ(options.Frequency(), 50.0f) << hz;
        EXPECT_TRUE(options.Flag(poMaxSpeed)); // the rest is kept
    }
}

TEST(Scaling, WorkAreasAgainstThe800By600Reference) {
    SGlobalVars g;
    ComputeScaling({0, 0, 1024, 740}, false, g);
    EXPECT_EQ(g.scaleMul, 950);
    EXPECT_EQ(g.scaleDiv, 800);
    EXPECT_FLOAT_EQ(g.scaleFactor, 1.1875f);
    ComputeScaling({0, 0, 640, 480}, false, g);
    EXPECT_EQ(g.scaleMul, 480);
    EXPECT_EQ(g.scaleDiv, 600);
    EXPECT_FLOAT_EQ(g.scaleFactor, 0.8f);
    ComputeScaling({0, 0, 880, 660}, false, g); // a tie takes the width
    EXPECT_EQ(g.scaleMul, 880);
    EXPECT_EQ(g.scaleDiv, 800);
    ComputeScaling({0, 0, 1920, 1040}, true, g); // small windows cap the width at 800
    EXPECT_EQ(g.scaleMul, 800);
    EXPECT_EQ(g.scaleDiv, 800);
}

TEST(CommandLine, OptionsThenFiles) {
    SGlobalVars g;
    SProgramOptions o;
    std::vector<Shown> shown;
    TShowMessage show = [&](const std::string& t, const std::string& ti, unsigned f) {
        shown.push_back({t, ti, f});
        return 2;
    };
    EXPECT_EQ(ParseCommandLine({"curvix", "/Ms", "a.adf", "b.pl4"}, g, o, show), 2);
    EXPECT_TRUE(o.Flag(poMaxSpeed));
    EXPECT_EQ(g.firstFileArg, 2);
    EXPECT_EQ(g.fileArgCount, 2);
    EXPECT_TRUE(shown.empty());

    EXPECT_EQ(ParseCommandLine({"curvix", "/x", "a.adf", "/st"}, g, o, show), 2);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Invalid option \"/x\"");
    EXPECT_EQ(shown[0].title, "Error in command-line parameters");
    EXPECT_EQ(shown[0].flags, unsigned(MB_OKCANCEL));
    EXPECT_FALSE(o.Flag(poCaptionText)); // after the first file it is a file name

    EXPECT_EQ(ParseCommandLine({"curvix", "/st"}, g, o, show), 0);
    EXPECT_TRUE(o.Flag(poCaptionText));
    EXPECT_EQ(g.firstFileArg, 2);
    EXPECT_EQ(ParseCommandLine({"curvix", "/MS"}, g, o, show), 0); // case-sensitive
    EXPECT_EQ(shown.size(), 2u);
}

TEST(CommandLine, AbsolutePathsAreFilesNotOptions) {
    SGlobalVars g;
    SProgramOptions o;
    int shown = 0;
    TShowMessage show = [&](const std::string&, const std::string&, unsigned) { return ++shown; };
    EXPECT_EQ(ParseCommandLine({"curvix", "/st", "/home/user/run.pl4", "rel.adf"}, g, o, show), 2);
    EXPECT_TRUE(o.Flag(poCaptionText));
    EXPECT_EQ(g.firstFileArg, 2);
    EXPECT_EQ(shown, 0);
    // A name in the root folder is a file when it exists.
    EXPECT_EQ(ParseCommandLine({"curvix", "/tmp"}, g, o, show), 1);
    EXPECT_EQ(shown, 0);
}

TEST_F(Settings, CloseWritesPositionsOrRemovesThem) {
    {
        TRegistry r;
        r.OpenKey(kProgramKey, true);
    }
    globals.multiFileMode = true;
    globals.winPos[0] = -5;
    globals.winPos[12] = 0x0102;
    options.SetFlag(poRememberWindows, true);
    {
        TRegistry r;
        WriteWindowState(r, globals, options, show);
    }
    SGlobalVars back;
    SProgramOptions backOptions;
    {
        TRegistry r;
        ReadSettings(r, back, backOptions, show);
    }
    EXPECT_EQ(back.winPos[0], -5);
    EXPECT_TRUE(back.multiFileMode);
    {
        // Thirteen little-endian 16-bit values.
        TRegistry r;
        r.OpenKey(kProgramKey, false);
        std::uint8_t raw[26];
        r.ReadBinaryData(kWinPositionsValue, raw, 26);
        EXPECT_EQ(raw[0], 0xFB);
        EXPECT_EQ(raw[1], 0xFF);
        EXPECT_EQ(raw[24], 0x02);
        EXPECT_EQ(raw[25], 0x01);
    }
    options.SetFlag(poRememberWindows, false);
    {
        TRegistry r;
        WriteWindowState(r, globals, options, show);
    }
    TRegistry r;
    r.OpenKey(kProgramKey, false);
    EXPECT_FALSE(r.ValueExists(kWinPositionsValue));
    EXPECT_FALSE(r.ReadBool(kMultiFileModeValue));
    EXPECT_TRUE(shown.empty()); // deleting what is absent is no error
}
