#include "NumericText.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace {

// Runs each table in a dot and a comma setting.
class NumericTextTest : public ::testing::TestWithParam<char> {
protected:
    char sep() const { return GetParam(); }
    // Writes the table's dots as the setting's separator.
    std::string Local(std::string text) const {
        for (char& c : text)
            if (c == '.') c = sep();
        return text;
    }
};

INSTANTIATE_TEST_SUITE_P(Separators, NumericTextTest, ::testing::Values('.', ','),
                         [](const auto& info) { return info.param == '.' ? "Dot" : "Comma"; });

struct SFormatCase {
    float value;
    int digits;
    const char* text; // with '.' as separator
};

TEST_P(NumericTextTest, FormatNumberFollowsTheDisplayRule) {
    const SFormatCase cases[] = {
        {0.0f, 4, "0"},
        {0.01f, 4, "0.01"},
        {0.009999f, 4, "9.999E-03"}, // single-precision magnitude, strict threshold
        {-0.001f, 3, "-1.00E-03"},
        {123456.0f, 4, "1.235E+005"},
        {50.0f, 4, "50"},
        {0.5f, 4, "0.5"},
        {60.0f, 3, "60"},
        {1234.0f, 4, "1234"},
        {9999.6f, 4, "1E+004"},      // rounding adds an integer digit
        {12345.0f, 4, "1.235E+004"}, // halves round away from zero
        {2.5f, 1, "3"},
        {-123.456f, 5, "-123.46"},
        {0.0123f, 4, "0.0123"},
        {0.1f, 9, "0.100000001"},
        {1e-20f, 3, "1.00E-20"},
        {1e-40f, 3, "1.00E-40"},
        {std::numeric_limits<float>::max(), 4, "3.403E+038"},
        {57.0f, 0, "6E+001"}, // digits below 1 count as 1
    };
    for (const SFormatCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.value) + " digits " + std::to_string(c.digits));
        EXPECT_EQ(FormatNumber(c.value, c.digits, sep()), Local(c.text));
    }
}

TEST_P(NumericTextTest, FormatNumberShowsSpecialValuesWithoutFault) {
    EXPECT_EQ(FormatNumber(-0.0f, 4, sep()), "0");
    EXPECT_EQ(FormatNumber(std::numeric_limits<float>::quiet_NaN(), 4, sep()), "NAN");
    EXPECT_EQ(FormatNumber(std::numeric_limits<float>::infinity(), 4, sep()), "INF");
    EXPECT_EQ(FormatNumber(-std::numeric_limits<float>::infinity(), 4, sep()), "-INF");
    EXPECT_EQ(FormatNumber(std::numeric_limits<float>::denorm_min(), 30, sep()),
              Local("1.40129846432481707E-45")); // digits capped at 18
}

TEST_P(NumericTextTest, TextToDoubleReadsWholeNumbers) {
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {
        {"50.", 50.0},     {".5", 0.5},
        {"-0.5", -0.5},    {"+2", 2.0},
        {"1e3", 1e3},      {"1E-3", 1e-3},
        {"2.5e+2", 250.0}, {"  7\t", 7.0},
        {"0.1", 0.1},      {"1.7976931348623157e308", std::numeric_limits<double>::max()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        double out = 42;
        EXPECT_EQ(TextToDouble(out, Local(c.text), sep()), 0);
        EXPECT_EQ(out, c.value);
    }
    double zero = 1;
    EXPECT_EQ(TextToDouble(zero, "-0", sep()), 0);
    EXPECT_TRUE(zero == 0 && std::signbit(zero));
}

TEST_P(NumericTextTest, TextToDoubleRefusesAnythingElseAndLeavesTheOutput) {
    const std::vector<std::string> refused = {"",         " ",     "abc",  "inf",   "-inf", "nan",
                                              "Infinity", "0x1p3", "0x10", "1e",    "1e+",  ".",
                                              "-",        "+-1",   "--1",  "12abc", "1 2",  "1e999",
                                              "1e-400",   "1_000", "5%",   "1.2.3", "e5"};
    for (const std::string& text : refused) {
        SCOPED_TRACE(text);
        double out = 42;
        EXPECT_EQ(TextToDouble(out, Local(text), sep()), 1);
        EXPECT_EQ(out, 42);
    }
    double out = 42;
    EXPECT_EQ(TextToDouble(out, sep() == '.' ? "1,5" : "1.5", sep()), 1); // the other separator
    EXPECT_EQ(out, 42);
}

TEST(NumericTextGlobalTest, DefaultsFollowTheSetSeparator) {
    EXPECT_EQ(DecimalSeparator(), '.');
    SetDecimalSeparator(',');
    double out = 0;
    EXPECT_EQ(FormatNumber(1.5f, 4), "1,5");
    EXPECT_EQ(TextToDouble(out, "2,25"), 0);
    EXPECT_EQ(out, 2.25);
    EXPECT_EQ(TextToDouble(out, "2.25"), 1);
    SetDecimalSeparator('.');
    EXPECT_EQ(FormatNumber(1.5f, 4), "1.5");
}

struct SFakeEdit {
    std::string text;
    int focused = 0;
    int selected = 0;
    const std::string& Text() const { return text; }
    void SetFocus() { ++focused; }
    void SelectAll() { ++selected; }
};

struct SShown {
    std::string text;
    std::string title;
};

TEST(ReadEditNumberTest, RejectedTextWarnsOnceAndSelectsTheField) {
    SFakeEdit edit{"x"};
    std::vector<SShown> shown;
    double out = 42;
    auto show = [&](std::string_view text, std::string_view title) {
        shown.push_back({std::string(text), std::string(title)});
    };
    EXPECT_EQ(ReadEditNumber(out, edit, show), 1);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Invalid number in the evidenced field");
    EXPECT_EQ(shown[0].title, "Error in the data entered");
    EXPECT_EQ(edit.focused, 1);
    EXPECT_EQ(edit.selected, 1);
    EXPECT_EQ(out, 42);

    edit.text = "12.5";
    EXPECT_EQ(ReadEditNumber(out, edit, show), 0);
    EXPECT_EQ(out, 12.5);
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_EQ(edit.focused, 1);
}

TEST(ReadEditNumberTest, ItalianSettingHasItsOwnWords) {
    SMessageText italian = InvalidNumberMessage("Italian");
    EXPECT_EQ(italian.text, "Valore non valido nel campo evidenziato");
    EXPECT_EQ(italian.title, "Errore di introduzione dati");
}

} // namespace
