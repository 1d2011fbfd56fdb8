// Ending a script from outside: --time-limit and Ctrl-C in process, and Ctrl-C typed on the
// terminal of a real vek, whose Print lines must show as they are printed.
#include "board_fixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <poll.h>
#include <pty.h>
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
                                      "\\.bas line [34]\\)\n"));
    ASSERT_FALSE(driver_.Calls().empty());
    EXPECT_EQ(driver_.Calls().back().kind, TestCallClose);
    EXPECT_TRUE(driver_.Calls(TestCallSet).empty()) << "the write after the script did not run";

    const VekRun usage = Vek({"open", board_, "--time-limit", "0", "print"});
    EXPECT_EQ(usage.status, kExitUsage);
    EXPECT_THAT(usage.err, HasSubstr("--time-limit needs a number of seconds greater than 0"));
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
                                      "[34]\\)\n"));
}

// A real vek on a pseudo-terminal, as a user runs it: what it writes arrives at the master side.
class Terminal {
public:
    explicit Terminal(const std::vector<std::string>& args) {
        pid_ = forkpty(&master_, nullptr, nullptr, nullptr);
        if (pid_ == 0) {
            std::vector<char*> argv;
            const std::string program = std::string(VEK_BIN_DIR) + "/vek";
            argv.push_back(const_cast<char*>(program.c_str()));
            for (const std::string& arg : args)
                argv.push_back(const_cast<char*>(arg.c_str()));
            argv.push_back(nullptr);
            execv(program.c_str(), argv.data());
            _exit(127);
        }
    }
    ~Terminal() {
        if (pid_ > 0 && !exited_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (master_ >= 0)
            close(master_);
    }
    bool Started() const { return pid_ > 0; }

    // Reads until `text` has arrived; false after ten seconds without it or at the end.
    bool WaitFor(const std::string& text) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (output_.find(text) == std::string::npos) {
            if (std::chrono::steady_clock::now() > deadline || !ReadSome(100))
                return false;
        }
        return true;
    }
    // Ctrl-C typed on the terminal: the line discipline sends SIGINT to vek.
    void TypeCtrlC() { ASSERT_EQ(write(master_, "\x03", 1), 1); }
    // Waits for vek to end and reads what it wrote until then.
    int Wait() {
        int status = 0;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (waitpid(pid_, &status, WNOHANG) == 0 && std::chrono::steady_clock::now() < deadline)
            ReadSome(50);
        while (ReadSome(50)) {
        }
        exited_ = true;
        return status;
    }
    bool StillRunning() { return waitpid(pid_, nullptr, WNOHANG) == 0; }
    const std::string& Output() const { return output_; }

private:
    bool ReadSome(int ms) {
        pollfd p{master_, POLLIN, 0};
        if (poll(&p, 1, ms) <= 0)
            return true; // nothing yet
        char buffer[512];
        const ssize_t n = read(master_, buffer, sizeof buffer);
        if (n <= 0)
            return false; // the other side is gone
        output_.append(buffer, static_cast<std::size_t>(n));
        return true;
    }

    pid_t pid_ = -1;
    int master_ = -1;
    bool exited_ = false;
    std::string output_;
};

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
