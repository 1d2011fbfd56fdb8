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
    void WriteText(const std::string& text) const { std::ofstream(path, std::ios::binary) << text; }
    std::string ReadText() const {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    fs::path dir;
    std::string path;
};

TEST_F(ProfileFileTest, NamesAreComparedWithoutCaseAndValuesReadAsWindowsGivesThem) {
    WriteText("[Header]\nVersion = 1.2 \nComment=\"quoted text\"\n; note=not a key\n"
              "Version=second\n[header]\nVersion=other section of equal name\n");
    ProfileFile file(path);
    ASSERT_TRUE(file.Load());
    EXPECT_EQ(file.GetString("HEADER", "version", "", 80), "1.2");
    EXPECT_EQ(file.GetString("header", "COMMENT", "", 80), "quoted text");
    EXPECT_EQ(file.GetString("Header", "Comment", "", 6), "quote") << "cut to the buffer";
    EXPECT_EQ(file.GetString("Header", "Comment", "", 0), "");
    EXPECT_FALSE(file.HasKey("Header", "note"));
    EXPECT_EQ(file.GetString("Header", "missing", "fallback", 80), "fallback");
    EXPECT_EQ(file.GetString("Nothing", "Version", "fallback", 4), "fal");
}

TEST_F(ProfileFileTest, WritesKeepLinesAndOrderAndAppendWhereWindowsDoes) {
    WriteText("; values\r\n[DRIVER]\r\nDRV1=tapdrv32.dll\r\n\r\n[tapdrv32]\r\nDEV1=Chip\r\n");
    ProfileFile file(path);
    ASSERT_TRUE(file.Load());
    EXPECT_EQ(file.GetString("driver", "drv1", "", 80), "tapdrv32.dll");
    ASSERT_TRUE(file.SetString("Driver", "DRV2", "pardrv32.dll"));
    ASSERT_TRUE(file.SetString("driver", "drv1", "icbdrv32.dll"));
    ASSERT_TRUE(file.SetString("tapdrv32:Chip", "0x10", "0x00ab"));
    std::string reason;
    ASSERT_TRUE(file.Save(&reason)) << reason;
    EXPECT_EQ(ReadText(), "; values\r\n[DRIVER]\r\nDRV1=icbdrv32.dll\r\nDRV2=pardrv32.dll\r\n\r\n"
                          "[tapdrv32]\r\nDEV1=Chip\r\n[tapdrv32:Chip]\r\n0x10=0x00ab\r\n");

    ProfileFile again(path);
    ASSERT_TRUE(again.Load());
    EXPECT_EQ(again.GetString("TAPDRV32:CHIP", "0X10", "", 80), "0x00ab");
}

TEST_F(ProfileFileTest, AByteOrderMarkIsKept) {
    WriteText("\xEF\xBB\xBF[HEADER]\nVersion=1.2\n");
    ProfileFile file(path);
    ASSERT_TRUE(file.Load());
    EXPECT_EQ(file.GetString("HEADER", "Version", "", 80), "1.2");
    ASSERT_TRUE(file.SetString("HEADER", "Comment", "c"));
    ASSERT_TRUE(file.Save());
    EXPECT_EQ(ReadText(), "\xEF\xBB\xBF[HEADER]\nVersion=1.2\nComment=c\n");
}

TEST_F(ProfileFileTest, AMissingFileIsEmptyAndANewFileUsesLineFeeds) {
    ProfileFile file(path);
    ASSERT_TRUE(file.Load());
    EXPECT_FALSE(file.HasKey("HEADER", "Version"));
    ASSERT_TRUE(file.SetString("HEADER", "Version", "1.2"));
    ASSERT_TRUE(file.Save());
    EXPECT_EQ(ReadText(), "[HEADER]\nVersion=1.2\n");
    file.Clear();
    ASSERT_TRUE(file.Save());
    EXPECT_EQ(ReadText(), "");
}

TEST_F(ProfileFileTest, RefusesTextsThatWouldBreakTheLines) {
    ProfileFile file(path);
    EXPECT_FALSE(file.SetString("HEADER", "Comment", "two\nlines"));
    EXPECT_FALSE(file.SetString("HEADER", "a=b", "x"));
    EXPECT_FALSE(file.SetString("HEADER", " ", "x"));
    EXPECT_FALSE(file.SetString("HEADER", ";key", "x"));
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
    std::string reason;
    EXPECT_FALSE(file.Save(&reason));
    EXPECT_NE(reason.find("values.vkg"), std::string::npos);
    EXPECT_TRUE(fs::is_directory(dir / "values.vkg" / "inner"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);

    ProfileFile nowhere((dir / "missing" / "x.vkg").string());
    reason.clear();
    EXPECT_FALSE(nowhere.Save(&reason));
    EXPECT_FALSE(reason.empty());
}

TEST_F(ProfileFileTest, AnUnreadableFileIsReported) {
    fs::create_directories(path);
    ProfileFile file(path);
    std::string reason;
    EXPECT_FALSE(file.Load(&reason));
    EXPECT_FALSE(reason.empty());
}

} // namespace
} // namespace vek
