// Changes written into a file where its bytes lie, under the rule every save follows.
#include "platform/file_in_place.h"
#include "platform/file_replacement.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace vek {
namespace {

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(FileInPlace, BytesAreChangedWhereTheyLieThroughALink) {
    test::TempFolder folder;
    const std::string target = folder.Write("board.jtag", "1 07 00000000\n");
    ASSERT_EQ(chmod(target.c_str(), 0640), 0);
    const std::string link = folder.File("link.jtag");
    ASSERT_EQ(symlink("board.jtag", link.c_str()), 0);
    struct stat before {};
    ASSERT_EQ(stat(target.c_str(), &before), 0);

    Result<FileInPlace> file = FileInPlace::Open(link);
    ASSERT_TRUE(file) << file.Error().text;
    ASSERT_TRUE(file.Value().WriteAt(5, "0000002a"));
    EXPECT_EQ(Read(target), "1 07 0000002a\n");
    struct stat after {};
    ASSERT_EQ(lstat(link.c_str(), &after), 0);
    EXPECT_TRUE(S_ISLNK(after.st_mode));
    ASSERT_EQ(stat(target.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_TRUE(file.Value().Unchanged(link));
}

TEST(FileInPlace, EveryChangeIsSeenByTheOtherProgramsAtOnce) {
    test::TempFolder folder;
    const std::string path = folder.Write("board.jtag", "1 07 00000000\n");
    Result<FileInPlace> mine = FileInPlace::Open(path);
    Result<FileInPlace> theirs = FileInPlace::Open(path);
    ASSERT_TRUE(mine && theirs);
    // Changes within one tick of the system's clock, which would share a modification time.
    for (char digit = '1'; digit <= '9'; ++digit) {
        ASSERT_TRUE(mine.Value().WriteAt(12, std::string(1, digit)));
        EXPECT_TRUE(mine.Value().Unchanged(path));
        EXPECT_FALSE(theirs.Value().Unchanged(path)) << digit;
        theirs = FileInPlace::Open(path); // as the other program reads the file again
        ASSERT_TRUE(theirs);
        EXPECT_TRUE(theirs.Value().Unchanged(path));
    }
    EXPECT_EQ(Read(path), "1 07 00000009\n");
}

TEST(FileInPlace, WhatASaveRefusesIsRefusedAndAFileReplacedSinceIsNoLongerTheOne) {
    test::TempFolder folder;
    const std::string path = folder.Write("board.jtag", "old");
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    const Result<FileInPlace> readOnly = FileInPlace::Open(path);
    ASSERT_FALSE(readOnly);
    EXPECT_EQ(readOnly.Error().text, path + ": read-only file; nothing was written");
    EXPECT_EQ(readOnly.Error().text, ReplaceFile(path, "new").Error().text);
    EXPECT_EQ(Read(path), "old");

    const Result<FileInPlace> missing = FileInPlace::Open(folder.File("none.jtag"));
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.Error().text, folder.File("none.jtag") + ": No such file or directory");
    ASSERT_EQ(mkfifo(folder.File("fifo").c_str(), 0600), 0);
    EXPECT_EQ(FileInPlace::Open(folder.File("fifo")).Error().text,
              folder.File("fifo") + ": not a regular file");

    ASSERT_EQ(chmod(path.c_str(), 0644), 0);
    Result<FileInPlace> file = FileInPlace::Open(path);
    ASSERT_TRUE(file);
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    EXPECT_FALSE(file.Value().Unchanged(path)); // made read-only since
    ASSERT_EQ(chmod(path.c_str(), 0644), 0);
    EXPECT_TRUE(file.Value().Unchanged(path));
    ASSERT_TRUE(ReplaceFile(path, "new"));
    EXPECT_FALSE(file.Value().Unchanged(path)); // another file now
}

} // namespace
} // namespace vek
