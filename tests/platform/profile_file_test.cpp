#include "platform/profile_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace vek {
namespace {

namespace fs = std::filesystem;

class ProfileFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("vek_profile_" + std::to_string(getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        path = (dir / "values.vkg").string();
    }
    void TearDown() override { fs::remove_all(dir); }

    // The profile of a file holding `text`.
    ProfileFile Loaded(const std::string& text) const {
        std::ofstream(path, std::ios::binary) << text;
        ProfileFile file(path);
        const Result<void> loaded = file.Load();
        EXPECT_TRUE(loaded) << loaded.Error().text;
        return file;
    }
    // What saving the profile writes.
    std::string Saved(const ProfileFile& file) const {
        const Result<void> saved = file.Save();
        EXPECT_TRUE(saved) << saved.Error().text;
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    fs::path dir;
    std::string path;
};

TEST_F(ProfileFileTest, NamesAreComparedWithoutCaseAndValuesReadAsWindowsGivesThem) {
    const ProfileFile file = Loaded("[Header]\nVersion = 1.2 \nComment=\"quoted text\"\n"
                                    "; note=not a key\n# hash=not a key either\nVersion=second\n"
                                    "Single='x' \nEmpty=\nno equals sign\nExpr = x=y\n");
    EXPECT_EQ(file.GetString("HEADER", "version", "", 80), "1.2");
    EXPECT_EQ(file.GetString(" header ", " COMMENT", "", 80), "quoted text");
    EXPECT_EQ(file.GetString("Header", "Comment", "", 6), "quote") << "cut to the buffer";
    EXPECT_EQ(file.GetString("Header", "Comment", "", 0), "");
    EXPECT_EQ(file.Value("Header", "Single"), "x");
    EXPECT_EQ(file.Value("Header", "Empty"), "");
    EXPECT_EQ(file.Value("Header", "Expr"), "x=y");
    EXPECT_FALSE(file.HasKey("Header", "note"));
    EXPECT_FALSE(file.HasKey("Header", "# hash"));
    EXPECT_FALSE(file.Value("Header", "no equals sign"));
    EXPECT_EQ(file.GetString("Header", "missing", "fallback", 80), "fallback");
    EXPECT_EQ(file.GetString("Nothing", "Version", "fallback", 4), "fal");
    EXPECT_EQ(file.Keys("HEADER"), (std::vector<std::string>{"Version", "Comment", "Version",
                                                             "Single", "Empty", "Expr"}));
}

TEST_F(ProfileFileTest, SectionsOfOneNameReadAsOneAndTheFirstLineOfAKeyCounts) {
    ProfileFile file =
        Loaded("a=before any section\r\n[I2cBus]\r\nInterfaceType = SingleMaster \r\n"
               "[other]\r\nkey=1\r\n[I2CBUS]\r\nTimeout=7\r\n"
               "interfacetype=later\r\n");
    EXPECT_EQ(file.GetString("I2CBus", "INTERFACETYPE", "x", 80), "SingleMaster");
    EXPECT_EQ(file.GetInt("i2cbus", "Timeout", 10), 7);
    EXPECT_EQ(file.Keys("I2CBus"),
              (std::vector<std::string>{"InterfaceType", "Timeout", "interfacetype"}));
    EXPECT_TRUE(file.Keys("a").empty());
    EXPECT_EQ(file.SectionNames(), (std::vector<std::string>{"I2cBus", "other"}));
    EXPECT_EQ(ProfileFile::Parse("[ empty ]\n[x]\n").SectionNames(),
              (std::vector<std::string>{"empty", "x"}));
    // A key is changed where it stands; a new one joins the first section of the name.
    ASSERT_TRUE(file.SetString("i2cbus", "TIMEOUT", "8"));
    ASSERT_TRUE(file.SetString("I2CBus", "Bitrate", "400000"));
    EXPECT_EQ(Saved(file), "a=before any section\r\n[I2cBus]\r\nInterfaceType = SingleMaster \r\n"
                           "Bitrate=400000\r\n[other]\r\nkey=1\r\n[I2CBUS]\r\nTimeout=8\r\n"
                           "interfacetype=later\r\n");
}

TEST_F(ProfileFileTest, IntegersAreReadAsTheCLibraryReadsThem) {
    const ProfileFile file =
        ProfileFile::Parse("[s]\nhex=0x278\nsign= -12abc\nnone=abc\nprefix=0x\nbig=0x1F\n");
    EXPECT_EQ(file.GetInt("s", "hex", 888), 0x278);
    EXPECT_EQ(file.GetInt("s", "sign", 0), -12);
    EXPECT_EQ(file.GetInt("s", "none", 5), 0);
    EXPECT_EQ(file.GetInt("s", "prefix", 5), 0);
    EXPECT_EQ(file.GetInt("s", "big", 5), 31);
    EXPECT_EQ(file.GetInt("s", "missing", 888), 888);
}

TEST_F(ProfileFileTest, WritesKeepLinesAndOrderAndAppendWhereWindowsDoes) {
    ProfileFile file =
        Loaded("; values\r\n[DRIVER]\r\nDRV1=tapdrv32.dll\r\n\r\n[tapdrv32]\r\nDEV1=Chip\r\n");
    EXPECT_EQ(file.GetString("driver", "drv1", "", 80), "tapdrv32.dll");
    ASSERT_TRUE(file.SetString("Driver", "DRV2", "pardrv32.dll"));
    ASSERT_TRUE(file.SetString("driver", "drv1", "icbdrv32.dll"));
    ASSERT_TRUE(file.SetString("tapdrv32:Chip", "0x10", "0x00ab"));
    EXPECT_EQ(Saved(file), "; values\r\n[DRIVER]\r\nDRV1=icbdrv32.dll\r\nDRV2=pardrv32.dll\r\n\r\n"
                           "[tapdrv32]\r\nDEV1=Chip\r\n[tapdrv32:Chip]\r\n0x10=0x00ab\r\n");
    EXPECT_EQ(Loaded(Saved(file)).GetString("TAPDRV32:CHIP", "0X10", "", 80), "0x00ab");
}

TEST_F(ProfileFileTest, AByteOrderMarkIsKept) {
    ProfileFile file = Loaded("\xEF\xBB\xBF[HEADER]\nVersion=1.2\n");
    EXPECT_EQ(file.GetString("HEADER", "Version", "", 80), "1.2");
    ASSERT_TRUE(file.SetString("HEADER", "Comment", "c"));
    EXPECT_EQ(Saved(file), "\xEF\xBB\xBF[HEADER]\nVersion=1.2\nComment=c\n");
}

// Found by the profile fuzzer: "=\r\r" read as the value "\r", a save wrote "=\r\n", and the file
// then read as the empty value.
TEST_F(ProfileFileTest, CarriageReturnsBeforeALineEndAreNoPartOfTheLine) {
    ProfileFile file = Loaded("[\n=\r\r\n[a]\r\r\nkey=b\r\r\r\nlast=c\r");
    EXPECT_EQ(file.Value("", ""), "");
    EXPECT_EQ(file.Value("a", "key"), "b");
    EXPECT_EQ(file.Value("a", "last"), "c");
    ASSERT_TRUE(file.SetString("a", "added", "d"));
    EXPECT_EQ(Saved(file), "[\n=\n[a]\nkey=b\nlast=c\nadded=d\n");
}

TEST_F(ProfileFileTest, AMissingFileIsEmptyAndANewFileUsesLineFeeds) {
    ProfileFile file(path);
    ASSERT_TRUE(file.Load());
    EXPECT_FALSE(file.HasKey("HEADER", "Version"));
    ASSERT_TRUE(file.SetString("HEADER", "Version", "1.2"));
    EXPECT_EQ(Saved(file), "[HEADER]\nVersion=1.2\n");
    file.Clear();
    EXPECT_EQ(Saved(file), "");
    EXPECT_FALSE(ProfileFile().HasKey("HEADER", "Version"));
}

TEST_F(ProfileFileTest, RefusesTextsThatWouldBreakTheLines) {
    ProfileFile file(path);
    EXPECT_FALSE(file.SetString("HEADER", "Comment", "two\nlines"));
    EXPECT_FALSE(file.SetString("HEADER", "a=b", "x"));
    EXPECT_FALSE(file.SetString("HEADER", " ", "x"));
    EXPECT_FALSE(file.SetString("HEADER", ";key", "x"));
    EXPECT_FALSE(file.SetString("HEADER", "#key", "x"));
    EXPECT_FALSE(file.SetString("HEADER", "[key", "x"));
    EXPECT_FALSE(file.SetString("HEA]DER", "key", "x"));
    EXPECT_FALSE(file.SetString("", "key", "x"));
    EXPECT_FALSE(file.SetString("HEADER", "key\r", "x"));
    EXPECT_TRUE(file.SetString("HEADER", "Comment", "a = b ; [c]"));
    EXPECT_EQ(file.GetString("HEADER", "Comment", "", 80), "a = b ; [c]");
}

TEST_F(ProfileFileTest, AFailedSaveSaysWhyAndLeavesNoTemporaryFile) {
    // A folder where the file should be: the rename over it fails.
    fs::create_directories(dir / "values.vkg" / "inner");
    ProfileFile file(path);
    ASSERT_TRUE(file.SetString("A", "k", "new"));
    const Result<void> saved = file.Save();
    ASSERT_FALSE(saved);
    EXPECT_NE(saved.Error().text.find("values.vkg"), std::string::npos);
    EXPECT_TRUE(fs::is_directory(dir / "values.vkg" / "inner"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);

    const Result<void> nowhere = ProfileFile((dir / "missing" / "x.vkg").string()).Save();
    ASSERT_FALSE(nowhere);
    EXPECT_EQ(nowhere.Error().text,
              (dir / "missing" / "x.vkg").string() + ": No such file or directory");
}

TEST_F(ProfileFileTest, AnUnreadableFileIsReportedAndLeavesTheProfileEmpty) {
    ProfileFile file = Loaded("[A]\nk=v\n");
    fs::remove(path);
    fs::create_directories(path);
    const Result<void> loaded = file.Load();
    ASSERT_FALSE(loaded);
    EXPECT_EQ(loaded.Error().text, path + ": Is a directory");
    EXPECT_TRUE(file.Keys("A").empty());
}

} // namespace
} // namespace vek
