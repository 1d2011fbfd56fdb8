// Masked writes (write NAME=VALUE/MASK) and read-back verification (--verify), through vek on the
// demo board's simulated bus and on the test driver.
#include "board_fixture.h"

#include <gmock/gmock.h>

namespace vek {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

using WriteOperation = BoardTest;

TEST_F(WriteOperation, AMaskChangesOnlyItsBitsOfTheValueReadFirst) {
    // DIRECTION powers up as 0xff; OUT_PINS are its three low bits.
    const VekRun run = Vek({"open", Example("demo.vek"), "write", "DIRECTION=0x05/0x07", "read",
                            "DIRECTION", "write", "OUT_PINS=0b010/0b110", "read", "DIRECTION",
                            "write", "POLARITY=0x3c/0xff", "read", "POLARITY"});
    EXPECT_EQ(run.status, kExitOk) << run.err;
    EXPECT_EQ(run.out, "DIRECTION = 0xfd\nDIRECTION = 0xfb\nPOLARITY = 0x3c\n");
}

TEST_F(WriteOperation, AMaskedWriteReadsTheRegisterAndWritesItOnce) {
    driver_.SetRegister({0x08, 0x10}, 0x1234); // WIDE, bytes swapped on the wire (O21)
    const VekRun run = Vek({"open", board_, "write", "WIDE=0x0050/0x00f0", "show", "WIDE"});
    EXPECT_EQ(run.status, kExitOk) << run.err;
    EXPECT_EQ(run.out, "WIDE = 0x3452\n");
    ASSERT_EQ(driver_.Calls(TestCallGet).size(), 1u);
    ASSERT_EQ(driver_.Calls(TestCallSet).size(), 1u);
    EXPECT_EQ(driver_.Calls(TestCallSet)[0].data, 0x5234u);
}

TEST_F(WriteOperation, MasksThatCannotWorkAreRefusedBeforeAnyTransfer) {
    const struct {
        const char* assignment;
        const char* error;
    } cases[] = {
        {"WO=0x01/0x01", "write WO: no masked write: it is a WRITE register and cannot be read"},
        {"RO=0x01/0x01", "write RO: no masked write: it is a READ register and is never written"},
        {"STAT=0x01/0x01", "it is a STATUS register and is never written"},
        {"PR=0x01/0x01", "it is a PROT register and is always written with its default"},
        {"CTRL=0x30/0x0f", "write CTRL: value 0x30 has bits outside mask 0x0f"},
        {"CTRL=0x00/0", "write CTRL: mask 0 selects no bits"},
        {"CTRL=0x00/0x100", "write CTRL: mask '0x100' does not fit 8 bits"},
        {"CTRL=0x00/", "write CTRL: mask '' is not a number"},
        {"EN=1/0x3", "write EN: mask '0x3' does not fit 1 bits"},
    };
    for (const auto& c : cases) {
        driver_.Reset();
        const VekRun run = Vek({"open", board_, "write", c.assignment});
        EXPECT_EQ(run.status, kExitUsage) << c.assignment;
        EXPECT_THAT(run.err, HasSubstr(c.error)) << c.assignment;
        EXPECT_TRUE(driver_.Calls(TestCallGet).empty()) << c.assignment;
        EXPECT_TRUE(driver_.Calls(TestCallSet).empty()) << c.assignment;
    }
}

TEST_F(WriteOperation, AMaskedWriteWhoseReadFailsWritesNothing) {
    driver_.FailAddress({0x08, 0x10});
    const VekRun run = Vek({"open", board_, "write", "WIDE=0x0050/0x00f0"});
    EXPECT_EQ(run.status, kExitErrors);
    EXPECT_THAT(run.err, HasSubstr("driver error D06: cannot read from address 0x1008"));
    EXPECT_THAT(run.err, HasSubstr("vek: write WIDE: not written, the read of its other bits "
                                   "failed"));
    EXPECT_TRUE(driver_.Calls(TestCallSet).empty());
}

TEST_F(WriteOperation, VerifyReportsAValueThatDidNotArriveWithBothValues) {
    // Four bits of WIDE are read-only: the high half of its second byte on the wire, which
    // carries the low byte of the value (O21).
    driver_.KeepBits({0x08, 0x10}, 0xF000);
    const VekRun run = Vek({"open", board_, "--verify", "write", "WIDE=0xabcd", "write",
                            "JOINED=0x5678", "show", "WIDE"});
    EXPECT_EQ(run.status, kExitErrors);
    EXPECT_THAT(run.err,
                HasSubstr("vek: verify CHIP.WIDE 0x1008: wrote 0xabcd, read back 0xab0d\n"));
    EXPECT_THAT(run.err, Not(HasSubstr("JOINED")));
    // What the register holds is what was read back.
    EXPECT_EQ(run.out, "WIDE = 0xab0d\n");

    driver_.Reset();
    const VekRun trusting = Vek({"open", board_, "write", "WIDE=0xabcd"});
    EXPECT_EQ(trusting.status, kExitOk) << trusting.err;
}

TEST_F(WriteOperation, VerifyCoversWriteDefaultWriteNowAndLoadButNotWriteOnlyRegisters) {
    const std::string values = Temp("board.vkg");
    ASSERT_EQ(Vek({"open", board_, "write-default", "save", values}).status, kExitOk);

    driver_.Reset();
    driver_.KeepBits({0x00, 0x10}, 0x0F); // CTRL's low nibble stays 0
    driver_.KeepBits({0x03, 0x10}, 0xFF); // WO cannot be read back, so it is never checked
    driver_.KeepBits({0x04, 0x10}, 0x01); // PR is written with its default, 0x33
    const VekRun defaults = Vek({"open", board_, "--verify", "write-default"});
    EXPECT_EQ(defaults.status, kExitErrors);
    EXPECT_THAT(defaults.err,
                HasSubstr("vek: verify CHIP.CTRL 0x1000: wrote 0x5a, read back 0x50\n"));
    EXPECT_THAT(defaults.err,
                HasSubstr("vek: verify CHIP.PR 0x1004: wrote 0x33, read back 0x32\n"));
    EXPECT_THAT(defaults.err, Not(HasSubstr("CHIP.WO")));
    // Each written register is read back once, at once.
    const auto calls = driver_.Calls();
    for (std::size_t i = 0; i + 1 < calls.size(); ++i) {
        if (calls[i].kind == TestCallSet && calls[i].addr[0] == 0x00) {
            EXPECT_EQ(calls[i + 1].kind, TestCallGet);
        }
    }

    // Loading writes CTRL's saved 0x5a, which reads back 0x50; Write Now then writes what was
    // read back. PROT registers are written with their default both times.
    const VekRun writeNow = Vek({"open", board_, "--verify", "load", values, "write-all"});
    EXPECT_EQ(writeNow.status, kExitErrors);
    const auto reports = [&](const std::string& text) {
        std::size_t count = 0;
        for (std::size_t at = writeNow.err.find(text); at != std::string::npos;
             at = writeNow.err.find(text, at + 1))
            ++count;
        return count;
    };
    EXPECT_EQ(reports("verify CHIP.CTRL"), 1u);
    EXPECT_EQ(reports("verify CHIP.PR"), 2u);
}

TEST_F(WriteOperation, VerifyFindsTheDemoBoardsRegistersAsWritten) {
    const VekRun run = Vek({"open", Example("demo.vek"), "--verify", "write-default", "write",
                            "POLARITY=0x0f/0x0f", "write", "OUTPUT=0x12"});
    EXPECT_EQ(run.status, kExitOk) << run.err;
    EXPECT_THAT(run.err, Not(HasSubstr("verify")));
}

TEST_F(WriteOperation, VerifyInSimulationHasNothingToReadBack) {
    const VekRun run =
        Vek({"open", board_, "--simulate", "--verify", "write-default", "write", "CTRL=0x12/0x1f"});
    EXPECT_EQ(run.status, kExitOk) << run.err;
    EXPECT_TRUE(driver_.Calls(TestCallGet).empty());
    EXPECT_TRUE(driver_.Calls(TestCallSet).empty());
}

} // namespace
} // namespace vek
