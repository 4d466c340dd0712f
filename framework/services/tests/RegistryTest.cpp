#include "services/Registry.h"
#include "TestSupport.h"
#include "services/RegistryText.h"

#include <array>
#include <cstdint>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <limits>
#include <sstream>

namespace {

const std::string kProgramKey = "Software\\Vantor\\QJ's Curvix";

class RegistryTest : public ::testing::Test {
protected:
    std::filesystem::path StoreFile() const { return scratch.path() / "registry" / "registry.txt"; }

    static std::string FileText(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::string StoreText() const { return FileText(StoreFile()); }

    void PutStoreText(const std::string& text) const {
        std::filesystem::create_directories(StoreFile().parent_path());
        std::ofstream(StoreFile(), std::ios::binary) << text;
    }

    CScratchDir scratch;
};

TEST_F(RegistryTest, ValuesOfEveryTypeReadBackThroughAFreshObject) {
    std::array<std::uint8_t, 16> options{1, 0, 1, 0, 1,    0,    0,    1,
                                         0, 0, 1, 0, 0x00, 0x00, 0x48, 0x42};
    std::array<std::uint8_t, 5> awkward{0x00, '\n', '%', '=', 0xFF};
    {
        TRegistry writer;
        ASSERT_TRUE(writer.OpenKey(kProgramKey, true));
        writer.WriteBool("MultiFileMode", true);
        writer.WriteInteger("XVarRow", -7);
        writer.WriteInteger("Min", std::numeric_limits<std::int32_t>::min());
        writer.WriteInteger("Max", std::numeric_limits<std::int32_t>::max());
        writer.WriteBinaryData("Program Options", options.data(), 16);
        writer.WriteBinaryData("a=b [c] %d\\e", awkward.data(), 5);
        writer.WriteBinaryData("Empty", nullptr, 0);
    }
    TRegistry reader;
    ASSERT_TRUE(reader.OpenKey(kProgramKey, false));
    EXPECT_TRUE(reader.ReadBool("MultiFileMode"));
    EXPECT_EQ(reader.ReadInteger("XVarRow"), -7);
    EXPECT_EQ(reader.ReadInteger("Min"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(reader.ReadInteger("Max"), std::numeric_limits<std::int32_t>::max());
    std::array<std::uint8_t, 16> options2{};
    EXPECT_EQ(reader.ReadBinaryData("Program Options", options2.data(), 16), 16);
    EXPECT_EQ(options2, options);
    std::array<std::uint8_t, 5> awkward2{};
    reader.ReadBinaryData("a=b [c] %d\\e", awkward2.data(), 5);
    EXPECT_EQ(awkward2, awkward);
    EXPECT_EQ(reader.ReadBinaryData("Empty", nullptr, 0), 0);
}

TEST_F(RegistryTest, BooleansAreIntegersZeroOrOne) {
    TRegistry reg;
    reg.OpenKey(kProgramKey, true);
    reg.WriteBool("Flag", false);
    EXPECT_EQ(reg.ReadInteger("Flag"), 0);
    reg.WriteInteger("Flag", 5);
    EXPECT_TRUE(reg.ReadBool("Flag"));
}

TEST_F(RegistryTest, StoreFileHasTheDocumentedTextLayout) {
    TRegistry reg;
    reg.OpenKey(kProgramKey + "\\SavedState", true);
    reg.WriteInteger("Number Of Files", 2);
    const std::uint8_t unit = 'm';
    reg.WriteBinaryData("TimeUnit", &unit, 1);
    EXPECT_EQ(StoreText(), "curvix-registry 1\n"
                           "[Software]\n"
                           "[Software\\Vantor]\n"
                           "[Software\\Vantor\\QJ's Curvix]\n"
                           "[Software\\Vantor\\QJ's Curvix\\SavedState]\n"
                           "Number Of Files=int:2\n"
                           "TimeUnit=bin:6d\n"
                           "end\n");
}

TEST_F(RegistryTest, FailedReadsRaiseAndLeaveTheBufferAlone) {
    TRegistry reg;
    reg.OpenKey(kProgramKey, true);
    std::array<std::uint8_t, 16> block{};
    block.fill(0xAB);
    reg.WriteBinaryData("Short", block.data(), 15);
    reg.WriteBinaryData("Long", block.data(), 16);
    reg.WriteInteger("Number", 1);

    std::array<std::uint8_t, 17> out{};
    EXPECT_THROW(reg.ReadBinaryData("Absent", out.data(), 16), ERegistryException);
    EXPECT_THROW(reg.ReadBinaryData("Short", out.data(), 16), ERegistryException);
    EXPECT_THROW(reg.ReadBinaryData("Long", out.data(), 17), ERegistryException);
    EXPECT_THROW(reg.ReadBinaryData("Long", out.data(), 15), ERegistryException);
    EXPECT_THROW(reg.ReadBinaryData("Number", out.data(), 4), ERegistryException);
    EXPECT_EQ(out, decltype(out){});
    EXPECT_THROW(reg.ReadInteger("Absent"), ERegistryException);
    EXPECT_THROW(reg.ReadInteger("Long"), ERegistryException);
    EXPECT_THROW(reg.ReadBool("Long"), ERegistryException);
    EXPECT_THROW(reg.ReadBinaryData("Long", out.data(), -1), ERegistryException);
}

TEST_F(RegistryTest, MessagesNameTheValue) {
    TRegistry reg;
    reg.OpenKey(kProgramKey, true);
    try {
        reg.ReadInteger("Program Options");
        FAIL();
    } catch (const ERegistryException& e) {
        EXPECT_NE(std::string(e.what()).find("'Program Options'"), std::string::npos);
    }
}

TEST_F(RegistryTest, OpenWithoutCreateFindsOnlyExistingKeys) {
    TRegistry reg;
    EXPECT_FALSE(reg.OpenKey(kProgramKey, false));
    EXPECT_FALSE(std::filesystem::exists(StoreFile())); // a plain look writes nothing
    EXPECT_TRUE(reg.OpenKey("\\" + kProgramKey + "\\", true));
    EXPECT_EQ(reg.CurrentPath(), kProgramKey);
    EXPECT_TRUE(reg.KeyExists("Software\\Vantor"));
    EXPECT_TRUE(reg.OpenKey("Software", false));
}

TEST_F(RegistryTest, NamesIgnoreLetterCaseAndKeepTheirFirstSpelling) {
    TRegistry reg;
    reg.OpenKey(kProgramKey, true);
    reg.WriteInteger("XVarRow", 1);
    reg.WriteInteger("XVARROW", 2);
    EXPECT_EQ(reg.ReadInteger("xvarrow"), 2);
    EXPECT_TRUE(reg.OpenKey("SOFTWARE\\vantor\\qj's curvix", false));
    EXPECT_NE(StoreText().find("XVarRow=int:2"), std::string::npos);
}

TEST_F(RegistryTest, DeletingWhatIsNotThereIsQuiet) {
    TRegistry reg;
    EXPECT_FALSE(reg.DeleteKey("Software\\Vantor"));
    reg.OpenKey(kProgramKey, true);
    EXPECT_FALSE(reg.DeleteValue("Win Positions and sizes"));
    reg.WriteInteger("MultiFileMode", 0);
    EXPECT_TRUE(reg.DeleteValue("MultiFileMode"));
    EXPECT_FALSE(reg.ValueExists("MultiFileMode"));
    EXPECT_FALSE(reg.DeleteValue("MultiFileMode"));
    EXPECT_THROW(reg.DeleteKey("\\"), ERegistryException);
}

TEST_F(RegistryTest, KeyDeletionTakesSubkeysAndSparesNeighbours) {
    TRegistry reg;
    reg.OpenKey(kProgramKey + "\\SavedState", true);
    reg.WriteInteger("Number Of Files", 1);
    reg.OpenKey("Software\\VantorTools", true);
    reg.WriteInteger("Kept", 1);

    TRegistry other;
    EXPECT_TRUE(other.DeleteKey("software\\VANTOR"));
    EXPECT_FALSE(reg.KeyExists("Software\\Vantor"));
    EXPECT_FALSE(reg.KeyExists(kProgramKey + "\\SavedState"));
    EXPECT_TRUE(reg.KeyExists("Software"));
    EXPECT_EQ(reg.ReadInteger("Kept"), 1);
}

TEST_F(RegistryTest, HandleOfAKeyDeletedElsewhereFindsNothingAndCannotWrite) {
    TRegistry holder;
    holder.OpenKey(kProgramKey, true);
    holder.WriteInteger("MultiFileMode", 1);
    TRegistry().DeleteKey("Software\\Vantor");
    EXPECT_FALSE(holder.ValueExists("MultiFileMode"));
    EXPECT_THROW(holder.ReadBool("MultiFileMode"), ERegistryException);
    EXPECT_THROW(holder.WriteBool("MultiFileMode", true), ERegistryException);
    EXPECT_FALSE(holder.KeyExists(kProgramKey));
}

TEST_F(RegistryTest, WritesAreSeenAtOnceByOtherObjects) {
    TRegistry a;
    TRegistry b;
    a.OpenKey(kProgramKey, true);
    b.OpenKey(kProgramKey, false);
    a.WriteInteger("Count", 3);
    EXPECT_EQ(b.ReadInteger("Count"), 3);
    b.WriteInteger("Count", 4);
    EXPECT_EQ(a.ReadInteger("Count"), 4);
}

TEST_F(RegistryTest, DamagedStoreRaisesOnceAndIsKeptAsideBesideEarlierOnes) {
    const std::string cut = "curvix-registry 1\n[Software]\nX=int:1\n"; // no "end"
    PutStoreText(cut);
    TRegistry reg;
    EXPECT_THROW(reg.OpenKey("Software", false), ERegistryException);
    EXPECT_FALSE(reg.KeyExists("Software")); // the next call starts afresh
    const auto folder = StoreFile().parent_path();
    EXPECT_EQ(FileText(folder / "registry.damaged"), cut);

    // Met by a write this time, and kept under the next free name.
    ASSERT_TRUE(reg.OpenKey(kProgramKey, true));
    PutStoreText("\x89PNG");
    EXPECT_THROW(reg.WriteBool("MultiFileMode", false), ERegistryException);
    EXPECT_EQ(FileText(folder / "registry.damaged"), cut);
    EXPECT_EQ(FileText(folder / "registry.damaged.2"), "\x89PNG");
    ASSERT_TRUE(reg.OpenKey(kProgramKey, true));
    reg.WriteBool("MultiFileMode", true);
    EXPECT_TRUE(reg.ReadBool("MultiFileMode"));
}

TEST(RegistryTextTest, DamagedTextsGiveAReasonNeverACrash) {
    const char* texts[] = {
        "",
        "end\n",
        "curvix-registry 2\nend\n",
        "curvix-registry 1\n",
        "curvix-registry 1\nend",
        "curvix-registry 1\nend\nend\n",
        "curvix-registry 1\n[Software\nend\n",
        "curvix-registry 1\n[]\nend\n",
        "curvix-registry 1\n[A\\\\B]\nend\n",
        "curvix-registry 1\n[A\\]\nend\n",
        "curvix-registry 1\nX=int:\nend\n",
        "curvix-registry 1\nX=int:2147483648\nend\n",
        "curvix-registry 1\nX=int:12a\nend\n",
        "curvix-registry 1\nX=bin:abc\nend\n",
        "curvix-registry 1\nX=bin:zz\nend\n",
        "curvix-registry 1\nX=str:abc\nend\n",
        "curvix-registry 1\nX\nend\n",
        "curvix-registry 1\nX%4=int:1\nend\n",
        "curvix-registry 1\nX%=int:1\nend\n",
        "curvix-registry 1\nX\x01=int:1\nend\n",
        "curvix-registry 1\nX=int:1\nx=int:2\nend\n",
    };
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        EXPECT_THROW(ParseRegistry(text, "test"), ERegistryException);
    }
}

TEST(RegistryTextTest, EscapedNamesRoundTrip) {
    SRegTree tree;
    tree.keys[""];
    SRegValue value;
    value.integer = 9;
    tree.keys["A%B\x01"]["=[x]\\\x7F%"] = value;
    std::string text = SerializeRegistry(tree);
    SRegTree back = ParseRegistry(text, "test");
    ASSERT_EQ(back.keys.size(), 2u);
    EXPECT_EQ(back.keys.at("A%B\x01").at("=[x]\\\x7F%").integer, 9);
    EXPECT_EQ(SerializeRegistry(back), text);
}

} // namespace
