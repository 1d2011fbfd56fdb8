// vek open --trace: a line on standard error for every transfer that reaches a driver, in the
// order they happen, from operations, read-backs and macros alike; none in simulation.
#include "board_fixture.h"

#include <gmock/gmock.h>

#include <sstream>

namespace vek {
namespace {

using ::testing::ElementsAre;
using ::testing::StartsWith;

using Trace = BoardTest;

// The trace's lines among the other lines of standard error.
std::vector<std::string> TraceLines(const std::string& err) {
    std::vector<std::string> lines;
    std::istringstream in(err);
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with("W 0x") || line.starts_with("R 0x"))
            lines.push_back(line);
    }
    return lines;
}

TEST_F(Trace, EveryTransferIsALineInTheOrderTheyHappen) {
    driver_.SetRegister({0x02, 0x10}, 0x5C);
    const VekRun run = Vek({"open", board_, "--trace", "--verify", "write", "WIDE=0xabcd", "read",
                            "RO", "write", "WO=7"});
    ASSERT_EQ(run.status, kExitOk) << run.err;
    // The read-back of --verify follows each write; WO cannot be read back.
    EXPECT_THAT(TraceLines(run.err), ElementsAre("W 0x1008 0xabcd ok", "R 0x1008 0xabcd ok",
                                                 "R 0x1002 0x5c ok", "W 0x1003 0x07 ok"));
    // A register's macros transfer too.
    const VekRun macros = Vek({"open", board_, "--trace", "write", "CTRL=0x01"});
    EXPECT_THAT(TraceLines(macros.err),
                ElementsAre("W 0x1003 0x01 ok", "W 0x1000 0x01 ok", "W 0x1003 0x02 ok"));
}

TEST_F(Trace, AFailedTransferSaysWhyAndAReadOfManyTracesEachRegister) {
    driver_.FailAddress({0x02, 0x10});
    const VekRun run =
        Vek({"open", board_, "--trace", "--keep-going", "read", "RO", "write", "WIDE=1"});
    EXPECT_EQ(run.status, kExitErrors);
    const std::vector<std::string> lines = TraceLines(run.err);
    ASSERT_EQ(lines.size(), 2u) << run.err;
    EXPECT_THAT(lines[0],
                StartsWith("R 0x1002 - failed: driver error D06: cannot read from address 0x1002"));
    EXPECT_EQ(lines[1], "W 0x1008 0x0001 ok");

    const VekRun all = Vek({"open", board_, "--trace", "--keep-going", "read-all"});
    // Every register that can be read, in address order, the failing one among them.
    EXPECT_THAT(TraceLines(all.err),
                ElementsAre("R 0x1000 0x00 ok", "R 0x1001 0x00 ok",
                            StartsWith("R 0x1002 - failed: driver error D06: "), "R 0x1004 0x00 ok",
                            "R 0x1008 0x0001 ok", "R 0x100a 0x00 ok", "R 0x100b 0x00 ok",
                            "R 0x100c 0x00 ok", "R 0x40 0x00000000 ok"));
}

TEST_F(Trace, SimulationAndRunsWithoutTheOptionTraceNothing) {
    const VekRun simulated =
        Vek({"open", board_, "--simulate", "--trace", "write", "WO=1", "read-all"});
    ASSERT_EQ(simulated.status, kExitOk) << simulated.err;
    EXPECT_TRUE(TraceLines(simulated.err).empty()) << simulated.err;
    const VekRun quiet = Vek({"open", board_, "write", "WO=1", "read", "RO"});
    ASSERT_EQ(quiet.status, kExitOk) << quiet.err;
    EXPECT_TRUE(TraceLines(quiet.err).empty()) << quiet.err;
}

} // namespace
} // namespace vek
