#include "EditFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace lf;

TEST(EditFormatWrite, FixedPointIsRightAlignedAndRounded) {
    EXPECT_EQ(F(1.0157, 6, 4), "1.0157");
    EXPECT_EQ(F(-1.47287, 9, 4), "  -1.4729");
    EXPECT_EQ(F(0.5, 10, 6), "  0.500000");
    EXPECT_EQ(F(2.0, 6, 2), "  2.00");
    EXPECT_EQ(F(0.00005, 8, 4), "  0.0001");
}

TEST(EditFormatWrite, TooWideNumbersFillTheFieldWithAsterisks) {
    EXPECT_EQ(F(1000.0, 6, 3), "******");
    EXPECT_EQ(F(-100.0, 6, 3), "******");
    EXPECT_EQ(I(1000, 3), "***");
    EXPECT_EQ(I(-10, 2), "**");
    EXPECT_EQ(I(42, 4), "  42");
}

TEST(EditFormatWrite, LeadingZeroIsDroppedOnlyWhenThatMakesItFit) {
    EXPECT_EQ(F(-0.5, 6, 4), "-.5000");
    EXPECT_EQ(F(0.25, 5, 4), ".2500");
    EXPECT_EQ(F(0.25, 6, 4), "0.2500");
}

TEST(EditFormatWrite, NegativeValuesRoundingToZeroKeepTheirSign) {
    EXPECT_EQ(F(-0.00001, 6, 3), "-0.000");
    EXPECT_EQ(F(0.0, 6, 3), " 0.000");
}

TEST(EditFormatWrite, NonFiniteValuesAreSpelledOut) {
    EXPECT_EQ(F(std::nan(""), 10, 6), "       NaN");
    EXPECT_EQ(F(std::numeric_limits<double>::infinity(), 10, 6), "  Infinity");
    EXPECT_EQ(F(-std::numeric_limits<double>::infinity(), 6, 3), "  -Inf");
}

TEST(EditFormatWrite, MachineReadFieldsWidenInsteadOfAsterisks) {
    EXPECT_EQ(Fwide(0.5, 10, 6), "  0.500000");
    EXPECT_EQ(Fwide(-123.25, 10, 6), " -123.250000");
    EXPECT_EQ(Iwide(1000, 3), " 1000");
    EXPECT_EQ(Iwide(7, 3), "  7");
}

TEST(EditFormatWrite, TextFieldsCutOrPad) {
    EXPECT_EQ(A("BUS", 5), "BUS  ");
    EXPECT_EQ(A("LONGERNAME", 4), "LONG");
    EXPECT_EQ(Aright("BUS", 5), "  BUS");
    EXPECT_EQ(X(3), "   ");
    // Widths count characters: a UTF-8 sequence is one, a stray byte is one.
    EXPECT_EQ(A("PEÑA", 6), "PEÑA  ");
    EXPECT_EQ(A("AÑO", 2), "AÑ");
    EXPECT_EQ(A("AB€", 3), "AB€");
    EXPECT_EQ(Aright("Ñ", 3), "  Ñ");
    EXPECT_EQ(A("\xD1O", 3), "\xD1O "); // one-byte code
    EXPECT_EQ(A("\xC3(", 3), "\xC3( "); // broken sequence
}

TEST(EditFormatRead, ImpliedDecimalsApplyOnlyWithoutAPoint) {
    EXPECT_DOUBLE_EQ(*readF("  1060", 3), 1.060);
    EXPECT_DOUBLE_EQ(*readF(" 1.060", 3), 1.060);
    EXPECT_DOUBLE_EQ(*readF("    1.", 0), 1.0);
    EXPECT_DOUBLE_EQ(*readF("       3", 0), 3.0);
    EXPECT_DOUBLE_EQ(*readF("  -39", 3), -0.039);
}

TEST(EditFormatRead, BlanksAreIgnoredAndABlankFieldIsZero) {
    EXPECT_DOUBLE_EQ(*readF("      ", 4), 0.0);
    EXPECT_DOUBLE_EQ(*readF(" 1 . 5", 4), 1.5);
}

TEST(EditFormatRead, ExponentsAreAccepted) {
    EXPECT_DOUBLE_EQ(*readF("1.0E-4", 4), 1.0e-4);
    EXPECT_DOUBLE_EQ(*readF("  2.5D1", 0), 25.0);
    EXPECT_DOUBLE_EQ(*readF(" 1.5-2", 0), 0.015);
}

TEST(EditFormatRead, AnythingElseIsAReadError) {
    EXPECT_FALSE(readF("  1.2A", 3));
    EXPECT_FALSE(readF("   -  ", 3));
    EXPECT_FALSE(readF("1.2.3 ", 3));
    EXPECT_FALSE(readF("1E", 3));
    EXPECT_FALSE(readF("1E999999", 0));
    EXPECT_FALSE(readF("9E400", 0));
}

TEST(EditFormatRead, ColumnsPastTheRecordEndReadAsBlanks) {
    EXPECT_EQ(column("ABCDEF", 5, 4), "EF  ");
    EXPECT_EQ(column("AB", 10, 3), "   ");
    EXPECT_EQ(column("ÑANDÚ 1.5", 5, 5), "Ú 1.5");
}
