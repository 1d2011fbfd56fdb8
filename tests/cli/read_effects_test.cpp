// Registers whose read changes the chip ('!'): every read of many registers passes them over and
// says so once, and a read of the register by name reads it.
#include "board_fixture.h"

#include <gmock/gmock.h>

#include <algorithm>

namespace vek {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

// A FIFO that pops, a status that clears (with a bit field) and a data register that pops on
// read and pushes on write, around one plain register.
const char* const kFifoBoard = R"(#BeginRegisterList "testdrv.dll"
0: CHIP A2 D1 [0x10] << 1.1;
1: FIFO [0x00] = 0 r !;
1: FLAGS [0x01] = 0 s !;
   OVR [0x01] & 0x01;
1: CTRL [0x02] = 0x5A b;
1: DATA [0x03] = 0x07 b !;
#EndRegisterList
)";

constexpr const char* kThreeNotRead =
    "3 registers with read side effects were not read; read them one by one\n";

class ReadEffects : public BoardTest {
protected:
    void SetUp() override {
        BoardTest::SetUp();
        fifo_ = Write("fifo.vek", kFifoBoard);
    }
    // The low address byte of every read that reached the driver.
    std::vector<int> ReadAddresses() const {
        std::vector<int> addresses;
        for (const TestDriverCall& call : driver_.Calls(TestCallGet))
            addresses.push_back(call.addr[0]);
        return addresses;
    }
    static std::size_t Occurrences(const std::string& text, const std::string& line) {
        std::size_t count = 0;
        for (std::size_t at = text.find(line); at != std::string::npos;
             at = text.find(line, at + 1))
            ++count;
        return count;
    }

    std::string fifo_;
};

TEST_F(ReadEffects, ReadAllPassesThemOverOnceSaidAndReadNameReadsTheOne) {
    driver_.SetRegister({0x00, 0x10}, 0x42);
    const VekRun run = Vek({"open", fifo_, "read-all", "read", "FIFO", "read-all", "dump"});
    ASSERT_EQ(run.status, kExitOk) << run.err;
    EXPECT_THAT(ReadAddresses(), ElementsAre(0x02, 0x00, 0x02));
    // Once per operation: two read-alls, two lines.
    EXPECT_EQ(Occurrences(run.err, kThreeNotRead), 2u) << run.err;
    EXPECT_THAT(run.out, HasSubstr("FIFO = 0x42\n"));
    // The dump after them shows what was read and leaves the others not known.
    EXPECT_THAT(run.out, HasSubstr("CTRL   register  0x1002   BOTH    8      0x5a     0x00\n"));
    EXPECT_THAT(run.out, HasSubstr("FLAGS  register  0x1001   STATUS  8      0x00     0xXX\n"));
}

TEST_F(ReadEffects, OneLeftOutIsSaidInTheSingularAndWritesAreNotTouched) {
    Write("one.vek", "#BeginRegisterList \"testdrv.dll\"\n0: CHIP A2 D1 [0x10] << 1.1;\n"
                     "1: POP [0x05] = 0x09 b !;\n1: KEEP [0x06] = 0 b;\n#EndRegisterList\n");
    const VekRun run = Vek({"open", Temp("one.vek"), "--verify", "write-default", "read-all"});
    ASSERT_EQ(run.status, kExitOk) << run.err;
    EXPECT_THAT(run.err,
                HasSubstr("1 register with read side effects was not read; read it one by one\n"));
    EXPECT_EQ(driver_.Calls(TestCallSet).size(), 2u);
    // --verify reads KEEP back, and POP not at all: a read back would pop what was pushed.
    EXPECT_THAT(ReadAddresses(), ElementsAre(0x06, 0x06));
}

TEST_F(ReadEffects, DiffAgainstTheDevicesDoesNotReadThem) {
    const std::string saved = Temp("saved.vkg");
    ASSERT_EQ(Vek({"open", fifo_, "write-default", "save", saved}).status, kExitOk);
    driver_.Reset();
    const VekRun run = Vek({"diff", fifo_, saved});
    EXPECT_THAT(ReadAddresses(), ElementsAre(0x02));
    EXPECT_EQ(Occurrences(run.err, kThreeNotRead), 1u) << run.err;
    // CTRL alone was read, and the three left out are counted as not read.
    EXPECT_THAT(run.out, HasSubstr("CHIP.CTRL 0x1002: 0x5a -> 0x00"));
    EXPECT_THAT(run.out, HasSubstr("differ in 1 of 1 register (3 not read)\n"));
}

TEST_F(ReadEffects, WatchReadsTheRegistersItIsNamed) {
    const VekRun run =
        Vek({"open", fifo_, "watch", "FIFO", "OVR", "--count", "2", "--interval", "0"});
    ASSERT_EQ(run.status, kExitOk) << run.err;
    EXPECT_THAT(ReadAddresses(), ElementsAre(0x00, 0x01, 0x00, 0x01));
    EXPECT_THAT(run.err, Not(HasSubstr("side effects")));
}

TEST_F(ReadEffects, TheTreeMarksTheRegistersAndNothingElse) {
    const VekRun run = Vek({"tree", fifo_});
    ASSERT_EQ(run.status, kExitOk) << run.err;
    EXPECT_THAT(run.out, HasSubstr("\n  FIFO !\t[00]"));
    EXPECT_THAT(run.out, HasSubstr("\n  DATA !\t[03]"));
    EXPECT_THAT(run.out, HasSubstr("\n  CTRL\t[02]"));
    EXPECT_THAT(run.out, HasSubstr("\n    OVR\t[01]"));
}

} // namespace
} // namespace vek
