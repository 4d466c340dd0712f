#include "FakeGridHost.h"
#include "MainFormGridDesigns.h"
#include "PropertyText.h"

#include <gtest/gtest.h>

namespace {

TEST(PropertyText, NotationRoundTrips) {
    const std::string text = "A = 5\n"
                             "B = -2147483648\n"
                             "C = 'it''s'#13#10'two'\n"
                             "D = (1 (2 'x') nc_leftup True False)\n"
                             "E = {00FF10}\n"
                             "F = ''\n";
    EXPECT_EQ(PropertyBinaryToText(PropertyTextToBinary(text)), text);
    EXPECT_EQ(PropertyBinaryToText(PropertyTextToBinary("G = $80000008 // comment\n")),
              "G = -2147483640\n");
}

TEST(PropertyText, ErrorsNameTheLine) {
    const struct {
        const char* text;
        const char* reason;
    } cases[] = {
        {"A = 1\nB 2", "Line 2: '=' expected after B"},
        {"A = 'open\n'", "Line 1: string not closed on its line"},
        {"A = (1 2", "Line 1: ')' missing at the end of the text"},
        {"A = {0F0}", "Line 1: odd number of hexadecimal digits"},
        {"A = {0G}", "Line 1: hexadecimal digit expected, found 'G'"},
        {"A = 2147483648", "Line 1: integer out of range"},
        {"A = #300", "Line 1: character code above 255"},
        {"\n\nA = ", "Line 3: value expected at the end of the text"},
        {"A = 12ab", "Line 1: invalid character in a number"},
    };
    for (const auto& c : cases) {
        try {
            PropertyTextToBinary(c.text);
            ADD_FAILURE() << c.text;
        } catch (const EParserError& e) {
            EXPECT_EQ(std::string(e.what()), c.reason);
        }
    }
    std::string deep = "A = ";
    deep += std::string(100, '(');
    EXPECT_THROW(PropertyTextToBinary(deep), EParserError);
}

TEST(ComponentReading, UnknownPropertyOrWrongValueTypeGivesReason) {
    FakeAlignGrid g;
    EXPECT_EQ(ReadComponentText("Colour = 5", g), "Property Colour does not exist");
    EXPECT_NE(ReadComponentText("AlignCol = (1 2)", g).find("Expected binary block"),
              std::string::npos);
    EXPECT_EQ(ReadComponentText("Alignment = alMiddle", g),
              "Invalid value alMiddle for property Alignment");
    EXPECT_NE(ReadComponentText("FontCol = (1 2 3)", g).find("Expected string"), std::string::npos);
    EXPECT_EQ(g.loadedCalls, 0);
}

TEST(ComponentReading, StreamLengthsAreCheckedBeforeUse) {
    // A string claiming 4 GB in a stream of a dozen bytes.
    const std::vector<std::uint8_t> huge = {5, 'C',    'e', 'l',      'l',  's',  vaList, vaInt8,
                                            1, vaInt8, 1,   vaString, 0xFF, 0xFF, 0xFF,   0xFF};
    FakeAlignGrid g;
    TReader r(huge);
    try {
        ReadComponent(r, g);
        ADD_FAILURE();
    } catch (const EReadError& e) {
        EXPECT_EQ(std::string(e.what()), "String of 4294967295 bytes at byte 16, stream holds 0");
    }
}

// Every cut and every single-byte change of a real design gives a result or a
// reason, never a crash or an overrun (run under the sanitizers).
TEST(ComponentReading, TruncatedAndMangledStreamsFailCleanly) {
    const std::vector<std::uint8_t> bytes = PropertyTextToBinary(FileStringGridDesign());
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        FakeAlignGrid g;
        TReader r(std::span(bytes.data(), n));
        EXPECT_THROW(ReadComponent(r, g), EReadError) << n;
    }
    for (std::size_t i = 0; i < bytes.size(); ++i)
        for (const std::uint8_t v : {0x00, 0x01, 0x7F, 0xFF}) {
            std::vector<std::uint8_t> mangled = bytes;
            mangled[i] = v;
            FakeAlignGrid g(3, 3);
            TReader r(mangled);
            try {
                ReadComponent(r, g);
            } catch (const EReadError&) {
            } catch (const EListError&) {
            }
        }
}

TEST(MemoryStream, ReadsWritesAndSeeksWithinBounds) {
    TMemoryStream s;
    const char text[] = "abcdef";
    EXPECT_EQ(s.Write(text, 6), 6);
    EXPECT_EQ(s.Position(), 6);
    EXPECT_EQ(s.Seek(-2, soEnd), 4);
    char out[8] = {};
    EXPECT_EQ(s.Read(out, 8), 2);
    EXPECT_STREQ(out, "ef");
    EXPECT_EQ(s.Seek(100, soBeginning), 6);
    EXPECT_EQ(s.Seek(-100, soCurrent), 0);
    EXPECT_EQ(s.Read(out, -1), 0);
}

} // namespace
