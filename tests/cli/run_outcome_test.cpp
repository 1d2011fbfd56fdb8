// What an unattended run of vek open says about itself: a driver that cannot be used is an error
// unless simulation is allowed, simulated values are marked, the first failure ends the run, a
// refused name or value transfers nothing, and output that is lost fails the run.
#include "board_fixture.h"

#include <gmock/gmock.h>

#include <streambuf>

namespace vek {
namespace {

using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::Not;

using RunOutcome = BoardTest;

constexpr const char* kSimulationLine = "simulation mode: values are not read from the devices";

std::size_t Occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

TEST_F(RunOutcome, YesAnswersQuestionsButOnlyAnExplicitOptionAcceptsSimulation) {
    const std::string board =
        VekFolderTest::Write("nodriver.vek", "#BeginRegisterList \"nodriver.dll\"\n"
                                             "0: CHIP A1;\n1: REG [0x01] = 7;\n#EndRegisterList\n");
    const VekRun yes = Vek({"open", board, "--yes", "write-default", "read", "REG"});
    EXPECT_EQ(yes.status, kExitErrors);
    EXPECT_EQ(yes.out, "");
    EXPECT_THAT(yes.err, HasSubstr("[ok/cancel] cancel (--simulate or --allow-simulation"));

    for (const char* allow : {"--allow-simulation", "--simulate"}) {
        const VekRun allowed = Vek({"open", board, allow, "--yes", "write-default", "read", "REG"});
        EXPECT_EQ(allowed.status, kExitOk) << allowed.err;
        EXPECT_EQ(allowed.out, "REG = 0x07 (simulated)\n");
        EXPECT_EQ(Occurrences(allowed.err, kSimulationLine), 1u) << allowed.err;
    }
}

TEST_F(RunOutcome, SimulationIsSaidOnceAndEveryRegisterValueIsMarked) {
    const VekRun run = Vek({"open", Example("demo.vek"), "--simulate", "write-default", "read",
                            "TEMP", "show", "GAIN_TRIM", "print", "dump", "--format", "csv"});
    ASSERT_EQ(run.status, kExitOk) << run.err;
    EXPECT_EQ(Occurrences(run.err, kSimulationLine), 1u);
    // The summary's error is the mode, and the line after it says so.
    EXPECT_THAT(run.err, HasSubstr("demo.vek - 1 error(s)\nvek: simulation mode: values are not "
                                   "read from the devices (the summary counts the mode as 1 "
                                   "error)\n"));
    EXPECT_THAT(run.out, testing::StartsWith("TEMP = 0x0000 (simulated)\nGAIN_TRIM = 0x80 "
                                             "(simulated)\n"));
    EXPECT_THAT(run.out, HasSubstr("\nSENSOR.TEMP = 0x0000 (simulated)\n"));
    // A variable is no device's value.
    EXPECT_THAT(run.out, HasSubstr("\nSENSOR.Polls = 0x0a\n"));
    EXPECT_THAT(run.out, HasSubstr(",text,simulation\r\n"));
    EXPECT_THAT(run.out,
                HasSubstr("\r\nSENSOR,TEMP,register,0x9000,READ,16,0x0000,0x0000,,true\r\n"));

    const VekRun devices = Vek({"open", board_, "write-default", "read", "CTRL"});
    EXPECT_EQ(devices.status, kExitOk) << devices.err;
    EXPECT_EQ(devices.out, "CTRL = 0x5a\n");
    EXPECT_THAT(devices.err, Not(HasSubstr(kSimulationLine)));
}

TEST_F(RunOutcome, TheFirstFailedOperationEndsTheRunAndTheOthersAreNamed) {
    const std::vector<std::string> operations{
        "open",  board_,        "save", Temp("no/such/folder/board.vkg"),
        "write", "WIDE=0x1234", "read", "RO"};
    const VekRun stopped = Vek(operations);
    EXPECT_EQ(stopped.status, kExitErrors);
    EXPECT_EQ(stopped.out, "");
    EXPECT_TRUE(driver_.Calls(TestCallSet).empty()) << "the write after the failed save ran";
    EXPECT_THAT(stopped.err, EndsWith("vek: not done: 'write WIDE=0x1234', 'read RO'\n"));

    std::vector<std::string> keepGoing = operations;
    keepGoing.push_back("--keep-going");
    const VekRun kept = Vek(keepGoing);
    EXPECT_EQ(kept.status, kExitErrors);
    EXPECT_EQ(kept.out, "RO = 0x00\n");
    EXPECT_EQ(driver_.Calls(TestCallSet).size(), 1u);
    EXPECT_THAT(kept.err, Not(HasSubstr("not done")));
}

TEST_F(RunOutcome, TheWholeCommandLineIsCheckedBeforeAnythingIsTransferred) {
    const struct {
        std::vector<std::string> operations;
        const char* error;
    } cases[] = {
        {{"write", "CTRL=0x12", "write", "RO=1"},
         "vek: write RO: a READ register is never written"},
        {{"write", "CTRL=0x12", "write", "STAT=1"},
         "vek: write STAT: a STATUS register is never written"},
        {{"write", "CTRL=0x12", "read", "WO"}, "vek: read WO: a WRITE register is never read"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"open", board_};
        args.insert(args.end(), c.operations.begin(), c.operations.end());
        const VekRun run = Vek(args);
        EXPECT_EQ(run.status, kExitUsage) << c.error;
        EXPECT_THAT(run.err, HasSubstr(c.error));
        EXPECT_TRUE(driver_.Calls(TestCallSet).empty()) << c.error;
        EXPECT_TRUE(driver_.Calls(TestCallGet).empty()) << c.error;
    }
}

// Standard output that takes nothing, as a full disk does.
class FullBuffer : public std::streambuf {
protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
    std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

TEST_F(RunOutcome, OutputThatCannotBeWrittenFailsTheRun) {
    FullBuffer full;
    std::ostream out(&full);
    std::ostringstream err;
    const int status = RunVek({"open", board_, "read-all", "print", "read", "CTRL"}, out, err);
    EXPECT_EQ(status, kExitErrors);
    EXPECT_EQ(Occurrences(err.str(), "vek: cannot write standard output"), 1u) << err.str();
    EXPECT_THAT(err.str(), HasSubstr("vek: not done: 'read CTRL'\n"));

    // Every command's output, and the usage text too.
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"names", board_}, {"--help"}, {"completion", "bash"}}) {
        FullBuffer lost;
        std::ostream lostOut(&lost);
        EXPECT_EQ(RunVek(args, lostOut, err), kExitErrors) << args[0];
    }

    // The program as a shell runs it, into /dev/full.
    const std::string command = "'" + std::string(VEK_BIN_DIR) + "/vek' open '" + board_ +
                                "' read-all print 2>&1 >/dev/full; echo status $?";
    const std::string output = ShellOutput(command);
    EXPECT_THAT(output, HasSubstr("vek: cannot write standard output: No space left on device\n"));
    EXPECT_THAT(output, EndsWith("status 1\n"));
}

} // namespace
} // namespace vek
