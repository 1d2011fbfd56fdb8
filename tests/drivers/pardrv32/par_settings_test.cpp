#include "par_settings.h"

#include <gtest/gtest.h>

namespace vek {
namespace {

TEST(ParSettingsTest, AMissingFileGivesTheDefaults) {
    const auto settings = ReadParSettings(ProfileFile());
    EXPECT_EQ(settings.interfaceType, 1);
    EXPECT_EQ(settings.bitrate, 100000);
    EXPECT_EQ(settings.ioAddress, 888);
    EXPECT_EQ(settings.timeout, 10);
    EXPECT_EQ(settings.waitAfterWrite, 0u);
}

TEST(ParSettingsTest, BothSpellingsOfTheSectionNameOneSection) {
    const auto settings =
        ReadParSettings(ProfileFile::Parse("[I2CBus]\nInterfaceType=MultiMaster\nWaitAfterWrite=5\n"
                                           "Bitrate= 400000 \nIOAddress=0x278\n"
                                           "[i2cbus]\nTimeout=3\n"));
    EXPECT_EQ(settings.interfaceType, 3);
    EXPECT_EQ(settings.waitAfterWrite, 5u);
    EXPECT_EQ(settings.bitrate, 400000);
    EXPECT_EQ(settings.ioAddress, 0x278);
    EXPECT_EQ(settings.timeout, 3);
    EXPECT_TRUE(settings.problems.empty());
}

TEST(ParSettingsTest, WaitAfterWriteIsAWholeNumberUpToItsLimit) {
    const auto wait = [](const std::string& text) {
        return ReadParSettings(ProfileFile::Parse("[I2CBus]\nWaitAfterWrite=" + text + "\n"));
    };
    EXPECT_EQ(wait("10000").waitAfterWrite, 10000u);
    EXPECT_EQ(wait("0x10").waitAfterWrite, 16u);
    EXPECT_EQ(wait(" 7 ").waitAfterWrite, 7u);
    // A negative wait has always meant no wait.
    EXPECT_EQ(wait("-1").waitAfterWrite, 0u);
    EXPECT_TRUE(wait("-1").problems.empty());
    // Beyond the limit, wrapping at 32 bits, or not a number: refused, and no wait is taken.
    for (const std::string text :
         {"10001", "4294967296", "99999999999999999999", "5ms", "abc", ""}) {
        SCOPED_TRACE(text);
        const ParSettings settings = wait(text);
        EXPECT_EQ(settings.waitAfterWrite, 0u);
        EXPECT_EQ(settings.problems, std::vector<std::string>{"bad WaitAfterWrite '" + text + "'"});
    }
}

TEST(ParSettingsTest, InterfaceTypesAreComparedExactly) {
    EXPECT_EQ(InterfaceTypeCode("Hardwareless"), 1);
    EXPECT_EQ(InterfaceTypeCode("SingleMaster"), 2);
    EXPECT_EQ(InterfaceTypeCode("MultiMaster"), 3);
    EXPECT_EQ(InterfaceTypeCode("HighspeedBoard"), 4);
    EXPECT_EQ(InterfaceTypeCode("VMC"), 5);
    EXPECT_EQ(InterfaceTypeCode("FullspeedInterface"), 6);
    EXPECT_EQ(InterfaceTypeCode("hardwareless"), 0);
    EXPECT_EQ(InterfaceTypeCode("HARDWARELESS"), 0);
    EXPECT_EQ(InterfaceTypeCode("Hardwareless "), 0);
    EXPECT_EQ(InterfaceTypeCode(""), 0);
    const auto settings =
        ReadParSettings(ProfileFile::Parse("[I2CBUS]\nInterfaceType=singlemaster\n"));
    EXPECT_EQ(settings.interfaceType, 0);
    EXPECT_EQ(settings.problems, std::vector<std::string>{"bad InterfaceType 'singlemaster'"});
}

} // namespace
} // namespace vek
