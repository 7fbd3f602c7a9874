// Number rules shared by every subsystem.
#include <gtest/gtest.h>

#include "core/settings.h"
#include "core/vb.h"

using namespace vel;

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(roundHalfEven(41.5), 42);
    EXPECT_EQ(roundHalfEven(42.5), 42);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(-3.5), -4);
    EXPECT_EQ(roundHalfEven(2.5000001), 3);
    EXPECT_EQ(roundHalfEven(0.4999999), 0);
}

TEST(Conversion, OverflowAndEmptyTextFail) {
    EXPECT_EQ(textToByte("255"), 255);
    EXPECT_FALSE(textToByte("256").has_value());
    EXPECT_FALSE(textToByte("300").has_value());
    EXPECT_FALSE(textToByte("-1").has_value());
    EXPECT_EQ(textToByte("254.5"), 254);  // rounds to even first
    EXPECT_FALSE(textToByte("255.5").has_value());
    EXPECT_EQ(textToInt16(" -30 "), -30);
    EXPECT_FALSE(textToInt16("32768").has_value());
    EXPECT_FALSE(textToInt16("").has_value());
    EXPECT_FALSE(textToInt16("abc").has_value());
    EXPECT_FALSE(textToInt16("12abc").has_value());
    EXPECT_EQ(textToInt32("1e3"), 1000);
    EXPECT_FALSE(textToInt32("99999999999").has_value());
}

TEST(Conversion, FlagsAcceptTrueFalseAndNumbers) {
    EXPECT_EQ(textToFlag("0"), false);
    EXPECT_EQ(textToFlag("1"), true);
    EXPECT_EQ(textToFlag("-1"), true);
    EXPECT_EQ(textToFlag("True"), true);
    EXPECT_EQ(textToFlag("false"), false);
    EXPECT_FALSE(textToFlag("yes").has_value());
    EXPECT_FALSE(textToFlag("").has_value());
}

TEST(Format, DigitPatternsPadAndRoundHalfAwayFromZero) {
    EXPECT_EQ(formatNumber(7, "0"), "7");
    EXPECT_EQ(formatNumber(47, "0000"), "0047");
    EXPECT_EQ(formatNumber(3072, "000.000"), "3072.000");
    EXPECT_EQ(formatNumber(1.5, "000.000"), "001.500");
    EXPECT_EQ(formatNumber(2.5, "0"), "3");
    EXPECT_EQ(formatNumber(43.125, "00.00"), "43.13");
    EXPECT_EQ(formatNumber(5.0, "00.00"), "05.00");
    EXPECT_EQ(formatNumber(0, "0.000"), "0.000");
}

TEST(Decimal, FourPlacesWithoutTrailingZeros) {
    EXPECT_EQ(Decimal4::fromDouble(43.5).text(), "43.5");
    EXPECT_EQ(Decimal4::fromDouble(43.12344).text(), "43.1234");
    EXPECT_EQ(Decimal4::fromDouble(43.00005).text(), "43");  // half to even at the fifth place
    EXPECT_EQ(Decimal4::fromDouble(-0.25).text(), "-0.25");
}

TEST(PositionText, ShortestSingleFloatText) {
    EXPECT_EQ(positionText(1045), "1045");
    EXPECT_EQ(positionText(-30), "-30");
    EXPECT_EQ(positionText(1045.5), "1045.5");
    EXPECT_EQ(positionText(0), "0");
}

TEST(HexToDecimal, DigitsCountTheirValueOtherCharactersTheirCodeMinus55) {
    EXPECT_EQ(HexToDecimal(""), 0);
    EXPECT_EQ(HexToDecimal("A"), 10);
    EXPECT_EQ(HexToDecimal("1A2B"), 0x1A2B);
    EXPECT_EQ(HexToDecimal("10"), 16) << "most significant first";
    EXPECT_EQ(HexToDecimal("G"), 16);
    EXPECT_EQ(HexToDecimal("a"), 42) << "lower case is not folded: 'a' is 97 - 55";
    EXPECT_EQ(HexToDecimal("7FFFFFFF"), 2147483647);
}

TEST(HexToDecimal, AStepThatOverflowsIsSkippedAndTheRestStillCounts) {
    EXPECT_EQ(HexToDecimal("80000000"), 0);
    EXPECT_EQ(HexToDecimal("FFFFFFFF"), 0x0FFFFFFF);
    EXPECT_EQ(HexToDecimal("100000001"), 1);
}
