#include "profile_file.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

using drvsupport::ParseDecimal;
using drvsupport::ParseInteger;
using drvsupport::ParseWholeInteger;
using drvsupport::ProfileFile;

TEST(ProfileFileTest, SectionsAndKeysAreFoundWithoutRegardToCase) {
    const auto file = ProfileFile::Parse("[I2cBus]\r\nInterfaceType = SingleMaster \r\n"
                                         "; a comment\r\n[other]\r\nkey=1\r\n[I2CBUS]\r\n"
                                         "Timeout=7\r\ninterfacetype=later\r\n");
    EXPECT_EQ(file.GetString("I2CBus", "INTERFACETYPE", "x"), "SingleMaster");
    EXPECT_EQ(file.GetInt("i2cbus", "Timeout", 10), 7);
    EXPECT_EQ(file.GetInt("I2CBus", "Bitrate", 10), 10);
    EXPECT_TRUE(file.HasSection("OTHER"));
    EXPECT_EQ(file.Keys("I2CBus"),
              (std::vector<std::string>{"InterfaceType", "Timeout", "interfacetype"}));
}

TEST(ProfileFileTest, ValuesLoseBlanksAndEnclosingQuotes) {
    const auto file = ProfileFile::Parse("[s]\na=\"quoted text\"\nb=\nno equals sign\nc = x=y\n");
    EXPECT_EQ(file.Value("s", "a"), "quoted text");
    EXPECT_EQ(file.Value("s", "b"), "");
    EXPECT_EQ(file.Value("s", "c"), "x=y");
    EXPECT_FALSE(file.Value("s", "no equals sign"));
    EXPECT_FALSE(file.Value("t", "a"));
}

TEST(ProfileFileTest, KeysBeforeAnySectionAreIgnoredAndAMissingFileIsEmpty) {
    EXPECT_FALSE(ProfileFile::Parse("a=1\n[s]\n").Value("s", "a"));
    vektest::TempFolder folder;
    const auto missing = ProfileFile::Load(folder.File("absent.ini"));
    EXPECT_FALSE(missing.HasSection("I2CBus"));
    const auto present = ProfileFile::Load(folder.Write("p.ini", "[I2CBus]\nIOAddress=0x278"));
    EXPECT_EQ(present.GetInt("I2CBus", "IOAddress", 888), 0x278);
}

TEST(ProfileFileTest, NumbersAreReadLikeThePlatformDoes) {
    EXPECT_EQ(ParseInteger("  -12abc"), -12);
    EXPECT_EQ(ParseInteger("0x1F"), 31);
    EXPECT_EQ(ParseInteger("0x"), 0);
    EXPECT_EQ(ParseInteger("abc"), 0);
    EXPECT_EQ(ParseDecimal(" +400000 Hz"), 400000);
    EXPECT_EQ(ParseDecimal("0x10"), 0);
    EXPECT_EQ(ParseWholeInteger(" 0x50 "), 0x50);
    EXPECT_EQ(ParseWholeInteger("80"), 80);
    EXPECT_FALSE(ParseWholeInteger("0x"));
    EXPECT_FALSE(ParseWholeInteger("12a"));
    EXPECT_FALSE(ParseWholeInteger("-"));
    EXPECT_FALSE(ParseWholeInteger(""));
}
