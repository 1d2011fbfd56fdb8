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
                                           "Bitrate= 400000 Hz\nIOAddress=0x278\nTimeout=3\n"));
    EXPECT_EQ(settings.interfaceType, 3);
    EXPECT_EQ(settings.waitAfterWrite, 5u);
    EXPECT_EQ(settings.bitrate, 400000);
    EXPECT_EQ(settings.ioAddress, 0x278);
    EXPECT_EQ(settings.timeout, 3);
    // The bit rate is a decimal text: a hexadecimal one reads as 0.
    EXPECT_EQ(ReadParSettings(ProfileFile::Parse("[i2cbus]\nBitrate=0x100\n")).bitrate, 0);
    EXPECT_EQ(ReadParSettings(ProfileFile::Parse("[I2CBus]\nWaitAfterWrite=-1\n")).waitAfterWrite,
              0u);
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
}

} // namespace
} // namespace vek
