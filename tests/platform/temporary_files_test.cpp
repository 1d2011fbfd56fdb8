#include "platform/temporary_files.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vek {
namespace {

class TemporaryFilesTest : public testing::Test {
protected:
    // The child of a death test is forked ("fast" style), so it writes into this test's folder.
    // Makes a temporary of the target, writes to it and is then hit by the signal; a process that
    // lives on gives the temporary up as a failed save does, and ends.
    static void KilledWhileWriting(const std::string& target, int signal) {
        {
            PendingTemporary temporary(TemporaryFileTemplate(target));
            if (temporary.Descriptor() < 0 || write(temporary.Descriptor(), "half", 4) != 4)
                _exit(2);
            raise(signal);
        }
        _exit(0);
    }

    test::TempFolder folder;
};

TEST_F(TemporaryFilesTest, ASignalThatEndsTheProcessRemovesTheTemporaryFirst) {
    const std::string target = folder.Write("board.vkg", "old");
    EXPECT_EXIT(KilledWhileWriting(target, SIGTERM), testing::KilledBySignal(SIGTERM), "");
    EXPECT_EXIT(KilledWhileWriting(target, SIGINT), testing::KilledBySignal(SIGINT), "");
    EXPECT_EXIT(KilledWhileWriting(target, SIGHUP), testing::KilledBySignal(SIGHUP), "");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"board.vkg"});
}

TEST_F(TemporaryFilesTest, ASignalWithAHandlerGoesToItAndAnIgnoredOneStaysIgnored) {
    const std::string target = folder.Write("board.vkg", "old");
    EXPECT_EXIT(
        {
            signal(SIGTERM, [](int) { _exit(3); });
            KilledWhileWriting(target, SIGTERM);
        },
        testing::ExitedWithCode(3), "");
    // The program's own handler decided to end it; the temporary was not the handler's to remove.
    EXPECT_EQ(folder.Names().size(), 2u);
    EXPECT_EXIT(
        {
            signal(SIGINT, SIG_IGN);
            KilledWhileWriting(target, SIGINT);
        },
        testing::ExitedWithCode(0), "");
    EXPECT_EQ(folder.Names().size(), 2u);

    // No handler of the registry stays once nothing is written.
    {
        PendingTemporary temporary(TemporaryFileTemplate(target));
        ASSERT_GE(temporary.Descriptor(), 0);
    }
    struct sigaction now {};
    sigaction(SIGTERM, nullptr, &now);
    EXPECT_EQ(now.sa_handler, SIG_DFL);
}

// A process id that no process has: a child's, after it ended.
// Above the largest process id Linux gives (2^22): no process has it, and none will have it
// while the test runs, as a process that just ended might, its number given to the next.
constexpr pid_t kNoProcess = (1 << 22) + 1;

TEST_F(TemporaryFilesTest, StaleTemporariesOfTheFileAreClearedAndNothingElse) {
    const std::string target = folder.Write("board.vkg", "old");
    const std::string dead = std::to_string(kNoProcess);
    const std::string alive = std::to_string(getppid());
    const auto age = [this](const std::string& name, int seconds) {
        const std::string path = folder.Write(name, "half");
        const timespec when[2] = {{time(nullptr) - seconds, 0}, {time(nullptr) - seconds, 0}};
        utimensat(AT_FDCWD, path.c_str(), when, AT_SYMLINK_NOFOLLOW);
    };
    age("board.vkg.tmp-" + dead + "-Ab12Cd", 120);  // a killed save: removed
    age("board.vkg.tmp-" + dead + "-fresh1", 5);    // written a moment ago: kept
    age("board.vkg.tmp-" + alive + "-Ab12Cd", 120); // its writer still runs: kept
    age("other.vkg.tmp-" + dead + "-Ab12Cd", 120);  // another file's: kept
    age("board.vkg.tmp-" + dead + "-short", 120);   // not a name a save makes: kept
    age("board.vkg.bak", 120);
    ASSERT_EQ(symlink("board.vkg", folder.File("board.vkg.tmp-" + dead + "-link12").c_str()), 0);

    EXPECT_EQ(RemoveStaleTemporaries(target), 1);
    // The names come sorted, and where the two process ids sort depends on their digits.
    std::vector<std::string> kept{"board.vkg",
                                  "board.vkg.bak",
                                  "board.vkg.tmp-" + alive + "-Ab12Cd",
                                  "board.vkg.tmp-" + dead + "-fresh1",
                                  "board.vkg.tmp-" + dead + "-link12",
                                  "board.vkg.tmp-" + dead + "-short",
                                  "other.vkg.tmp-" + dead + "-Ab12Cd"};
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(folder.Names(), kept);
}

} // namespace
} // namespace vek
