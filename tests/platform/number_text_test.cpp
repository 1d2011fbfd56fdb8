#include "platform/number_text.h"
#include "platform/text_helpers.h"

#include <gtest/gtest.h>

namespace vek {
namespace {

using Prefixes = RadixPrefixes;

TEST(NumberText, AScanReadsSignPrefixAndDigitsUpToTheFirstOtherCharacter) {
    const NumberScan hex = ScanNumber("-0x1Fg", Prefixes::Hex);
    EXPECT_EQ(hex.magnitude, 31u);
    EXPECT_TRUE(hex.negative);
    EXPECT_EQ(hex.length, 5u);
    EXPECT_EQ(ScanNumber("0b101", Prefixes::HexAndBinary).magnitude, 5u);
    // Without binary prefixes, or without a digit of its radix, a prefix is a 0 and a letter.
    EXPECT_EQ(ScanNumber("0b101", Prefixes::Hex).length, 1u);
    EXPECT_EQ(ScanNumber("0x", Prefixes::Hex).length, 1u);
    EXPECT_EQ(ScanNumber("0b2", Prefixes::HexAndBinary).length, 1u);
    EXPECT_EQ(ScanNumber("0x10", Prefixes::None).length, 1u);
    EXPECT_EQ(ScanNumber("+", Prefixes::Hex).length, 0u);
    EXPECT_EQ(ScanNumber(" 1", Prefixes::Hex).length, 0u);
    EXPECT_EQ(ScanNumber("--1", Prefixes::Hex).length, 0u);
    EXPECT_EQ(ScanNumber("", Prefixes::Hex).length, 0u);
}

TEST(NumberText, NumbersBeyond64BitsStayAtTheLargest) {
    const NumberScan huge = ScanNumber("123456789012345678901234x", Prefixes::None);
    EXPECT_EQ(huge.magnitude, UINT64_MAX);
    EXPECT_EQ(huge.length, 24u);
    EXPECT_EQ(LeadingInteger("99999999999999999999", Prefixes::None), INT64_MAX);
    EXPECT_EQ(LeadingInteger("-99999999999999999999", Prefixes::None), INT64_MIN);
    EXPECT_EQ(WholeInteger("9223372036854775807", Prefixes::None), INT64_MAX);
    EXPECT_FALSE(WholeInteger("9223372036854775808", Prefixes::None));
    EXPECT_EQ(WholeInteger("-9223372036854775808", Prefixes::None), INT64_MIN);
    EXPECT_FALSE(WholeInteger("0x10000000000000000", Prefixes::Hex));
}

TEST(NumberText, LeadingIntegersAreReadAsTheCLibraryReadsThem) {
    EXPECT_EQ(LeadingInteger("  -12abc", Prefixes::Hex), -12);
    EXPECT_EQ(LeadingInteger("\t0x1F", Prefixes::Hex), 31);
    EXPECT_EQ(LeadingInteger("0x", Prefixes::Hex), 0);
    EXPECT_EQ(LeadingInteger("abc", Prefixes::Hex), 0);
    EXPECT_EQ(LeadingInteger("   ", Prefixes::Hex), 0);
    EXPECT_EQ(LeadingInteger(" +400000 Hz", Prefixes::None), 400000);
    EXPECT_EQ(LeadingInteger("0x10", Prefixes::None), 0);
}

TEST(NumberText, AWholeIntegerIsTheOnlyThingInItsText) {
    EXPECT_EQ(WholeInteger(" 0x50 ", Prefixes::Hex), 0x50);
    EXPECT_EQ(WholeInteger("80", Prefixes::Hex), 80);
    EXPECT_EQ(WholeInteger("-3", Prefixes::Hex), -3);
    EXPECT_EQ(WholeInteger("0b11", Prefixes::HexAndBinary), 3);
    EXPECT_FALSE(WholeInteger("0b11", Prefixes::Hex));
    EXPECT_FALSE(WholeInteger("0x", Prefixes::Hex));
    EXPECT_FALSE(WholeInteger("12a", Prefixes::Hex));
    EXPECT_FALSE(WholeInteger("1 2", Prefixes::Hex));
    EXPECT_FALSE(WholeInteger("-", Prefixes::Hex));
    EXPECT_FALSE(WholeInteger("", Prefixes::Hex));
}

TEST(NumberText, NumbersAreWrittenWithLowerCaseDigits) {
    EXPECT_EQ(NumberText(0xABCD, 16), "abcd");
    EXPECT_EQ(NumberText(5, 2), "101");
    EXPECT_EQ(NumberText(0, 10), "0");
    EXPECT_EQ(NumberText(UINT64_MAX, 10), "18446744073709551615");
    EXPECT_EQ(HexText(0xA, 4), "000a");
    EXPECT_EQ(HexText(0x12345, 2), "12345");
    EXPECT_EQ(HexText(0, 0), "0");
}

TEST(TextHelpers, LetterCaseCountsOnlyForAsciiLetters) {
    EXPECT_TRUE(EqualsNoCase("I2cBus", "I2CBUS"));
    EXPECT_FALSE(EqualsNoCase("I2cBus", "I2cBu"));
    EXPECT_FALSE(EqualsNoCase("[", "{")); // 0x5B and 0x7B differ by the case bit alone
    EXPECT_FALSE(EqualsNoCase("\xC4", "\xE4"));
    EXPECT_EQ(LowerCase("TapDrv32.DLL"), "tapdrv32.dll");
    EXPECT_TRUE(EndsWithNoCase("I2C32.Dll", ".dll"));
    EXPECT_FALSE(EndsWithNoCase("dll", ".dll"));
    EXPECT_EQ(TrimBlanks(" \t a b \t"), "a b");
    EXPECT_EQ(TrimBlanks(" \t "), "");
}

} // namespace
} // namespace vek
