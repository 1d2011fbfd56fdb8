#include "platform/text_file.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace vek {
namespace {

constexpr FileLimit kOneMebibyte{kMebibyte, "test file"};

class TextFileTest : public testing::Test {
protected:
    std::string Write(const std::string& name, std::size_t size) const {
        return folder.Write(name, std::string(size, 'x'));
    }

    test::TempFolder folder;
};

TEST_F(TextFileTest, AFileIsReadWholeUpToItsLimitAndRefusedBeyondIt) {
    const Result<std::string> full = ReadTextFile(Write("full", kMebibyte), kOneMebibyte);
    ASSERT_TRUE(full) << full.Error().text;
    EXPECT_EQ(full.Value().size(), kMebibyte);
    const Result<std::string> over = ReadTextFile(Write("over", kMebibyte + 1), kOneMebibyte);
    ASSERT_FALSE(over);
    EXPECT_EQ(over.Error().code, EFBIG);
    EXPECT_EQ(over.Error().text, "larger than 1 MiB, the most a test file may have");
}

TEST_F(TextFileTest, APipeIsReadOnceAsFarAsItGoesAndAnEndlessDeviceIsRefused) {
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    ASSERT_EQ(write(ends[1], "Sub Main\n", 9), 9);
    close(ends[1]);
    const Result<std::string> piped =
        ReadTextFile("/dev/fd/" + std::to_string(ends[0]), kOneMebibyte);
    close(ends[0]);
    ASSERT_TRUE(piped) << piped.Error().text;
    EXPECT_EQ(piped.Value(), "Sub Main\n");

    const Result<std::string> endless = ReadTextFile("/dev/zero", kDescriptionFileLimit);
    ASSERT_FALSE(endless);
    EXPECT_EQ(endless.Error().text, "larger than 64 MiB, the most a description may have");
}

TEST_F(TextFileTest, FoldersAndMissingFilesAreRefusedWithTheSystemsReason) {
    EXPECT_EQ(ReadTextFile(folder.File("."), kOneMebibyte).Error().text, "Is a directory");
    EXPECT_EQ(ReadTextFile(folder.File("absent"), kOneMebibyte).Error().code, ENOENT);
}

TEST_F(TextFileTest, OnlyARegularFileIsTakenForOpeningAndAFifoIsNotOpened) {
    EXPECT_TRUE(CheckRegularFile(Write("plain", 10)));
    const std::string fifo = folder.File("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    // An open of the FIFO would wait for a writer: the check returns at once.
    const Result<void> piped = CheckRegularFile(fifo);
    ASSERT_FALSE(piped);
    EXPECT_EQ(piped.Error().text, "not a regular file");
    EXPECT_EQ(CheckRegularFile("/dev/null").Error().text, "not a regular file");
    EXPECT_EQ(CheckRegularFile(folder.File(".")).Error().text, "Is a directory");
    EXPECT_EQ(CheckRegularFile(folder.File("absent")).Error().code, ENOENT);
    const std::string locked = Write("locked", 1);
    ASSERT_EQ(chmod(locked.c_str(), 0), 0);
    if (geteuid() != 0) { // root reads it all the same
        EXPECT_EQ(CheckRegularFile(locked).Error().code, EACCES);
    }
}

} // namespace
} // namespace vek
