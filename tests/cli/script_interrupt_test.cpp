// Ending a script from outside: --time-limit and Ctrl-C in process, and Ctrl-C typed on the
// terminal of a real vek, whose Print lines must show as they are printed.
#include "board_fixture.h"
#include "terminal.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <thread>

namespace vek {
namespace {

using ::testing::HasSubstr;
using ::testing::MatchesRegex;

class ScriptInterrupt : public BoardTest {
protected:
    std::string Script(const std::string& body) const {
        return Write("script.bas", "Sub Main()\n    Print \"started\"\n" + body + "End Sub\n");
    }
};

TEST_F(ScriptInterrupt, TheTimeLimitEndsTheScriptAndTheRunAndClosesTheDrivers) {
    const VekRun run = Vek({"open", board_, "--time-limit", "0.2", "script",
                            Script("    Do\n        Wait 10\n    Loop\n"), "write", "CTRL=1"});
    EXPECT_EQ(run.status, kExitTimeLimit);
    EXPECT_EQ(run.out, "started\n");
    EXPECT_THAT(run.err, MatchesRegex(".*Script stopped at its time limit in Main \\(.*script"
                                      "\\.bas line [34]\\)\nvek: not done: 'write CTRL=1'\n"));
    ASSERT_FALSE(driver_.Calls().empty());
    EXPECT_EQ(driver_.Calls().back().kind, TestCallClose);
    EXPECT_TRUE(driver_.Calls(TestCallSet).empty()) << "the write after the script did not run";

    const VekRun usage = Vek({"open", board_, "--time-limit", "0", "print"});
    EXPECT_EQ(usage.status, kExitUsage);
    EXPECT_THAT(usage.err, HasSubstr("--time-limit needs a number of seconds greater than 0"));
}

TEST_F(ScriptInterrupt, StopAndAFailedAssertEndTheScriptAtTheirLineWhereNobodyCanResume) {
    const VekRun run = Vek({"open", board_, "script",
                            Script("    Dim x: x = 3\n    Debug.Assert x = 3\n    Print \"held\"\n"
                                   "    Debug.Assert x > 5\n    Print \"not here\"\n"),
                            "write", "CTRL=1"});
    EXPECT_EQ(run.status, kExitErrors);
    EXPECT_EQ(run.out, "started\nheld\n");
    EXPECT_THAT(run.err, HasSubstr("script.bas stopped at line 6 (Stop or a failed Debug.Assert) "
                                   "and was ended\nvek: not done: 'write CTRL=1'\n"));
    const VekRun stop = Vek({"open", board_, "script", Script("    Stop\n    Print \"after\"\n")});
    EXPECT_EQ(stop.status, kExitErrors);
    EXPECT_EQ(stop.out, "started\n");
    EXPECT_THAT(stop.err, HasSubstr("script.bas stopped at line 3 (Stop"));
}

TEST_F(ScriptInterrupt, CtrlCInProcessEndsTheScriptWithStatus130) {
    // SIGINT as the terminal sends it, while RunVek runs the script. Ignored around the test, so
    // that a signal arriving before the script's handler is in place cannot end the test run.
    const auto previous = std::signal(SIGINT, SIG_IGN);
    std::thread ctrlC([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        kill(getpid(), SIGINT);
    });
    const VekRun run =
        Vek({"open", board_, "script", Script("    For i = 1 To 500\n        Wait 10\n    Next\n"),
             "show", "CTRL"});
    ctrlC.join();
    std::signal(SIGINT, previous);
    EXPECT_EQ(run.status, kExitInterrupted);
    EXPECT_EQ(run.out, "started\n") << "the operation after the script did not run";
    EXPECT_THAT(run.err, MatchesRegex(".*Script interrupted in Main \\(.*script\\.bas line "
                                      "[34]\\)\nvek: not done: 'show CTRL'\n"));
}

TEST_F(ScriptInterrupt, CtrlCEndsTheScriptInsideWaitAndSaysWhere) {
    Terminal vek({"open", board_, "script", Script("    Do\n        Wait 20\n    Loop\n")});
    ASSERT_TRUE(vek.Started());
    // Print's line shows while the script still runs.
    ASSERT_TRUE(vek.WaitFor("started")) << vek.Output();
    vek.TypeCtrlC();
    const int status = vek.Wait();
    ASSERT_TRUE(WIFEXITED(status)) << vek.Output();
    EXPECT_EQ(WEXITSTATUS(status), kExitInterrupted);
    EXPECT_THAT(vek.Output(), MatchesRegex("(.|\r|\n)*Script interrupted in Main \\(.*script\\.bas "
                                           "line [34]\\)(.|\r|\n)*"));
}

TEST_F(ScriptInterrupt, ASecondCtrlCEndsVekAtOnce) {
    // The script waits for an answer on the terminal, so the first Ctrl-C cannot end it yet.
    Terminal vek({"open", board_, "script", Script("    x = MsgBox(\"Go on?\", vbYesNo)\n")});
    ASSERT_TRUE(vek.Started());
    ASSERT_TRUE(vek.WaitFor("[yes/no]")) << vek.Output();
    vek.TypeCtrlC();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_TRUE(vek.StillRunning());
    vek.TypeCtrlC();
    const int status = vek.Wait();
    ASSERT_TRUE(WIFSIGNALED(status)) << vek.Output();
    EXPECT_EQ(WTERMSIG(status), SIGINT);
}

} // namespace
} // namespace vek
