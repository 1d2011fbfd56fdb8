#include "ftdi/cable_options.h"

#include <gtest/gtest.h>

namespace bsx4810::test {
namespace {

FtdiOptions Parsed(std::string_view text) {
    FtdiOptions options;
    std::string error;
    EXPECT_TRUE(ParseFtdiOptions(text, options, error)) << text << ": " << error;
    return options;
}

std::string ErrorOf(std::string_view text) {
    FtdiOptions options;
    std::string error;
    EXPECT_FALSE(ParseFtdiOptions(text, options, error)) << text;
    return error;
}

TEST(CableOptions, NothingGivenIsChannelAOfAnFt2232hAt1Mhz) {
    const FtdiOptions options = Parsed("");
    EXPECT_EQ(options.vid, 0x0403);
    EXPECT_EQ(options.pid, 0x6010);
    EXPECT_EQ(options.channel, 'A');
    EXPECT_EQ(options.port2, 'B');
    EXPECT_EQ(options.khz, 1000u);
    EXPECT_TRUE(options.serial.empty());
    EXPECT_FALSE(options.emulate);
}

TEST(CableOptions, EveryKeyIsReadAndBlanksAroundItemsAreIgnored) {
    const FtdiOptions options =
        Parsed(" vid=0x0403 , pid=24596,interface=b,port2=none,serial=FT4Z1X9,khz=30000,emulate,");
    EXPECT_EQ(options.pid, 0x6014);
    EXPECT_EQ(options.channel, 'B');
    EXPECT_EQ(options.port2, 0);
    EXPECT_EQ(options.serial, "FT4Z1X9");
    EXPECT_EQ(options.khz, 30000u);
    EXPECT_TRUE(options.emulate);
    EXPECT_FALSE(Parsed("emulate=0").emulate);
    // Port 2 takes channel B only when port 1 has A.
    EXPECT_EQ(Parsed("interface=B").port2, 0);
    EXPECT_EQ(Parsed("interface=B,port2=A").port2, 'A');
    // A later item overrides an earlier one.
    EXPECT_EQ(Parsed("khz=100,khz=200").khz, 200u);
}

TEST(CableOptions, UnknownKeysAndValuesOutOfRangeAreRefusedWithTheReason) {
    EXPECT_EQ(ErrorOf("speed=1000"), "unknown option 'speed' in BSX4810_DEVICE");
    EXPECT_EQ(ErrorOf("khz=0"), "bad value '0' for option khz (1 to 30000)");
    EXPECT_EQ(ErrorOf("khz=30001"), "bad value '30001' for option khz (1 to 30000)");
    EXPECT_EQ(ErrorOf("khz=1MHz"), "bad value '1MHz' for option khz (1 to 30000)");
    EXPECT_EQ(ErrorOf("vid=0x10000"), "bad value '0x10000' for option vid (0 to 0xffff)");
    EXPECT_EQ(ErrorOf("pid=-1"), "bad value '-1' for option pid (0 to 0xffff)");
    EXPECT_EQ(ErrorOf("pid"), "bad value '' for option pid (0 to 0xffff)");
    EXPECT_EQ(ErrorOf("interface=E"), "bad value 'E' for option interface (A to D)");
    EXPECT_EQ(ErrorOf("port2=AB"), "bad value 'AB' for option port2 (A to D or none)");
    EXPECT_EQ(ErrorOf("serial="), "bad value '' for option serial (the chip's serial number)");
    EXPECT_EQ(ErrorOf("emulate=yes"), "bad value 'yes' for option emulate (nothing, 0 or 1)");
    EXPECT_EQ(ErrorOf("interface=C,port2=C"), "port2 must name another channel than interface");
}

TEST(CableOptions, TheClockDivisorGivesTheFastestTckNotAboveTheRequest) {
    EXPECT_EQ(ClockDivisor(1000), 29); // 60 MHz / 60 = 1 MHz
    EXPECT_EQ(ClockDivisor(30000), 0);
    EXPECT_EQ(ClockDivisor(7), 4285); // 6.999 kHz
    EXPECT_EQ(ClockDivisor(1), 29999);
    for (const unsigned khz : {1u, 7u, 333u, 1000u, 6000u, 29999u}) {
        const double tck = 60000.0 / ((1.0 + ClockDivisor(khz)) * 2.0);
        EXPECT_LE(tck, khz);
        EXPECT_GT(tck, khz * 0.5);
    }
}

} // namespace
} // namespace bsx4810::test
