#include "platform/file_replacement.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace vek {
namespace {

namespace fs = std::filesystem;

class FileReplacementTest : public testing::Test {
protected:
    std::string Read(const std::string& path) const {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    mode_t Mode(const std::string& path) const {
        struct stat info {};
        EXPECT_EQ(lstat(path.c_str(), &info), 0);
        return info.st_mode;
    }

    test::TempFolder folder;
};

TEST_F(FileReplacementTest, ALinkIsWrittenThroughToItsTargetAndStaysALink) {
    const std::string target = folder.Write("board.vkg", "old");
    ASSERT_EQ(symlink("board.vkg", folder.File("link.vkg").c_str()), 0);
    ASSERT_EQ(symlink(folder.File("link.vkg").c_str(), folder.File("chain.vkg").c_str()), 0);
    ASSERT_TRUE(ReplaceFile(folder.File("chain.vkg"), "new"));
    EXPECT_EQ(Read(target), "new");
    EXPECT_TRUE(S_ISLNK(Mode(folder.File("link.vkg"))));
    EXPECT_TRUE(S_ISLNK(Mode(folder.File("chain.vkg"))));
    // A link to a file not made yet makes it.
    ASSERT_EQ(symlink("later.vkg", folder.File("dangling.vkg").c_str()), 0);
    ASSERT_TRUE(ReplaceFile(folder.File("dangling.vkg"), "made"));
    EXPECT_EQ(Read(folder.File("later.vkg")), "made");
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"board.vkg", "chain.vkg", "dangling.vkg",
                                                        "later.vkg", "link.vkg"}));
}

TEST_F(FileReplacementTest, AReadOnlyFileIsRefusedAndLeftAsItWas) {
    const std::string path = folder.Write("board.vkg", "old");
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    const Result<void> replaced = ReplaceFile(path, "new");
    ASSERT_FALSE(replaced);
    EXPECT_EQ(replaced.Error().text, path + ": read-only file; nothing was written");
    EXPECT_EQ(Read(path), "old");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"board.vkg"});
}

TEST_F(FileReplacementTest, AFileKeepsItsPermissionsAndANewOneFollowsTheUmask) {
    const std::string kept = folder.Write("kept.vkg", "old");
    ASSERT_EQ(chmod(kept.c_str(), 0640), 0);
    ASSERT_TRUE(ReplaceFile(kept, "new"));
    EXPECT_EQ(Mode(kept) & 07777, 0640u);
    const mode_t before = umask(027);
    ASSERT_TRUE(ReplaceFile(folder.File("new.vkg"), "new"));
    umask(before);
    EXPECT_EQ(Mode(folder.File("new.vkg")) & 07777, 0640u);
}

TEST_F(FileReplacementTest, WhatIsNoFileIsRefused) {
    ASSERT_EQ(mkfifo(folder.File("fifo").c_str(), 0600), 0);
    EXPECT_EQ(ReplaceFile(folder.File("fifo"), "x").Error().text,
              folder.File("fifo") + ": not a regular file");
    fs::create_directory(folder.File("dir.vkg"));
    EXPECT_EQ(ReplaceFile(folder.File("dir.vkg"), "x").Error().text,
              folder.File("dir.vkg") + ": Is a directory");
    EXPECT_EQ(ReplaceFile(folder.File("missing/x.vkg"), "x").Error().text,
              folder.File("missing/x.vkg") + ": No such file or directory");
}

TEST_F(FileReplacementTest, AWritableFileInAFolderThatMayNotBeWrittenIsRefusedNamingTheFolder) {
    if (geteuid() == 0)
        GTEST_SKIP() << "the superuser may write into any folder";
    const std::string locked = folder.File("locked");
    ASSERT_EQ(mkdir(locked.c_str(), 0700), 0);
    const std::string path = locked + "/board.vkg";
    std::ofstream(path) << "old";
    ASSERT_EQ(chmod(locked.c_str(), 0500), 0);
    const Result<void> replaced = ReplaceFile(path, "new");
    chmod(locked.c_str(), 0700);
    ASSERT_FALSE(replaced);
    EXPECT_EQ(replaced.Error().text,
              path + ": the folder " + locked + " may not be written; nothing was written");
    EXPECT_EQ(Read(path), "old");
}

TEST_F(FileReplacementTest, ALinkOfAnotherUserInASharedFolderIsNotFollowed) {
    if (geteuid() != 0)
        GTEST_SKIP() << "making a link of another user needs the superuser";
    // A folder such as /tmp: everyone may write, the sticky bit keeps each one's files theirs.
    const std::string shared = folder.File("shared");
    ASSERT_EQ(mkdir(shared.c_str(), 01777), 0);
    ASSERT_EQ(chmod(shared.c_str(), 01777), 0);
    const std::string victim = folder.Write("victim", "precious");
    const std::string planted = shared + "/board.vkg";
    ASSERT_EQ(symlink(victim.c_str(), planted.c_str()), 0);
    ASSERT_EQ(lchown(planted.c_str(), 65534, 65534), 0);
    const Result<void> replaced = ReplaceFile(planted, "overwritten");
    ASSERT_FALSE(replaced);
    EXPECT_EQ(replaced.Error().text,
              planted + ": a link that another user placed in a shared folder; not followed");
    EXPECT_EQ(Read(victim), "precious");
    // The folder's owner may place links there.
    ASSERT_EQ(lchown(planted.c_str(), 0, 0), 0);
    ASSERT_TRUE(ReplaceFile(planted, "mine"));
    EXPECT_EQ(Read(victim), "mine");
}

} // namespace
} // namespace vek
