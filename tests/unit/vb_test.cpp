// Number rules shared by every subsystem.
#include <gtest/gtest.h>

#include "core/settings.h"
#include "core/vb.h"

using namespace vel;

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    for (auto [value, rounded] : {std::pair{41.5, 42}, {42.5, 42}, {-2.5, -2}, {-3.5, -4}, {2.5000001, 3}, {0.4999999, 0}})
        EXPECT_EQ(roundHalfEven(value), rounded) << value;
}

TEST(Conversion, OverflowAndEmptyTextFailFlagsAcceptTrueFalseAndNumbers) {
    EXPECT_EQ(textToByte("255"), 255);
    EXPECT_EQ(textToByte("254.5"), 254);  // rounds to even first
    for (const char* bad : {"256", "-1", "255.5"}) EXPECT_FALSE(textToByte(bad).has_value()) << bad;
    EXPECT_EQ(textToInt16(" -30 "), -30);
    for (const char* bad : {"32768", "", "abc", "12abc"}) EXPECT_FALSE(textToInt16(bad).has_value()) << bad;
    EXPECT_EQ(textToInt32("1e3"), 1000);
    EXPECT_FALSE(textToInt32("99999999999").has_value());
    // Flags take True, False and numbers.
    for (auto [text, flag] : {std::pair{"0", false}, {"1", true}, {"-1", true}, {"True", true}, {"false", false}})
        EXPECT_EQ(textToFlag(text), flag) << text;
    EXPECT_FALSE(textToFlag("yes").has_value());
    EXPECT_FALSE(textToFlag("").has_value());
}

// Memory amounts in their usual form: the modules_family scenario.
TEST(Format, DigitPatternsPadAndRoundHalfAwayFromZeroDecimalsDropTrailingZeros) {
    EXPECT_EQ(formatNumber(47, "0000"), "0047");
    EXPECT_EQ(formatNumber(1.5, "000.000"), "001.500");
    EXPECT_EQ(formatNumber(2.5, "0"), "3");
    EXPECT_EQ(formatNumber(43.125, "00.00"), "43.13");
    EXPECT_EQ(formatNumber(5.0, "00.00"), "05.00");
    EXPECT_EQ(formatNumber(0, "0.000"), "0.000");
    // Four places without trailing zeros.
    EXPECT_EQ(Decimal4::fromDouble(43.12344).text(), "43.1234");
    EXPECT_EQ(Decimal4::fromDouble(43.00005).text(), "43");  // half to even at the fifth place
    EXPECT_EQ(Decimal4::fromDouble(-0.25).text(), "-0.25");
    EXPECT_EQ(positionText(1045.5), "1045.5");
}

TEST(HexToDecimal, DigitsCountTheirValueOtherCharactersTheirCodeMinus55) {
    for (auto [text, value] : {std::pair{"", 0}, {"A", 10}, {"1A2B", 0x1A2B}, {"10", 16}, {"G", 16}, {"a", 42},
                               {"7FFFFFFF", 2147483647}})
        EXPECT_EQ(HexToDecimal(text), value) << text;
    // A step that overflows is skipped and the rest still counts.
    EXPECT_EQ(HexToDecimal("80000000"), 0);
    EXPECT_EQ(HexToDecimal("FFFFFFFF"), 0x0FFFFFFF);
    EXPECT_EQ(HexToDecimal("100000001"), 1);
}
