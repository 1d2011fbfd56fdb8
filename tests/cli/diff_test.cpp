// vek diff: two register-values files, by address or by the names of a description, and a file
// against the values read now from the devices.
#include "board_fixture.h"

#include <gmock/gmock.h>

namespace vek {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

using Diff = BoardTest;

// Values as the test board's description saves them, written by hand: a READ and a WRITE
// register sharing 0x100c, a value not known, and a second device.
const char* const kSavedA = R"([HEADER]
Version=1.2
Comment=bench A
[DRIVER]
DRV1=testdrv.dll
[testdrv]
DEV1=CHIP
DEV2=OTHER
[testdrv:CHIP]
ADDRSIZE=2
REGCOUNT=5
0x1000=0x5a
0x1002=0xXX
0x1008=0x1234
0x100c=0x12R 0x34W
[testdrv:OTHER]
ADDRSIZE=1
REGCOUNT=1
0x40=0x01020304
)";

// The same board later: a section and keys in another case, one register gone, one new.
const char* const kSavedB = R"([HEADER]
Version=1.2
[DRIVER]
DRV1=testdrv.dll
[testdrv]
DEV1=CHIP
DEV2=OTHER
[TESTDRV:chip]
0X1000=0x5b
0x1002=0x11
0x100C=0x12R 0x35W
0x1003=0x22
[testdrv:OTHER]
0x40=0x01020304
)";

TEST_F(Diff, TwoFilesDifferRegisterByRegisterByAddress) {
    const std::string a = Write("a.vkg", kSavedA);
    const std::string b = Write("b.vkg", kSavedB);
    const VekRun run = Vek({"diff", a, b});
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_EQ(run.out, "testdrv:CHIP 0x1000: 0x5a -> 0x5b, bits 0x01\n"
                       "testdrv:CHIP 0x1002: 0xXX -> 0x11\n"
                       "testdrv:CHIP 0x1008: 0x1234 only in " +
                           a +
                           "\n"
                           "testdrv:CHIP 0x100c W: 0x34 -> 0x35, bits 0x01\n"
                           "testdrv:CHIP 0x1003: 0x22 only in " +
                           b + "\n" + a + " and " + b + " differ in 5 of 7 registers (1 only in " +
                           a + ", 1 only in " + b + ")\n");
    EXPECT_EQ(run.err, "");
}

TEST_F(Diff, ADescriptionNamesTheRegistersAndTheBitFieldsThatChanged) {
    const std::string a = Write("a.vkg", kSavedA);
    const std::string b = Write("b.vkg", kSavedB);
    const VekRun run = Vek({"diff", a, b, "--description", board_});
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_THAT(run.out, StartsWith("CHIP.CTRL 0x1000: 0x5a -> 0x5b, bits 0x01\n"
                                    "    EN: 0x0 -> 0x1\n"
                                    "CHIP.RO 0x1002: 0xXX -> 0x11\n"
                                    "CHIP.WIDE 0x1008: 0x1234 only in "));
    EXPECT_THAT(run.out, HasSubstr("\nCHIP.WR 0x100c W: 0x34 -> 0x35, bits 0x01\n"
                                   "CHIP.WO 0x1003: 0x22 only in "));

    // The demo board's text lines name the values of the bit fields.
    const std::string before = Temp("before.vkg");
    const std::string after = Temp("after.vkg");
    ASSERT_EQ(
        Vek({"open", Example("demo.vek"), "read-all", "write-default", "save", before}).status,
        kExitOk);
    ASSERT_EQ(Vek({"open", Example("demo.vek"), "read-all", "write", "OUTPUT=0xFC", "save", after})
                  .status,
              kExitOk);
    const VekRun demo = Vek({"diff", before, after, "--description", Example("demo.vek")});
    EXPECT_THAT(demo.out, HasSubstr("IOEXP.OUTPUT 0x4001: 0xff -> 0xfc, bits 0x03\n"
                                    "    LED_RED: 0x1 \"off\" -> 0x0 \"on\"\n"
                                    "    LED_GREEN: 0x1 \"off\" -> 0x0 \"on\"\n"));
}

TEST_F(Diff, EqualFilesEndInExitStatusZero) {
    const std::string a = Write("a.vkg", kSavedA);
    const VekRun run = Vek({"diff", a, a});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, a + " and " + a + " hold the same values in 6 registers\n");
}

TEST_F(Diff, AFileIsComparedWithTheValuesReadNowFromTheDevices) {
    const std::string saved = Temp("board.vkg");
    ASSERT_EQ(Vek({"open", Example("demo.vek"), "read-all", "save", saved}).status, kExitOk);
    const VekRun same = Vek({"diff", Example("demo.vek"), saved});
    EXPECT_EQ(same.status, 0) << same.err;
    // OUTPUT, a WRITE register, cannot be read.
    EXPECT_EQ(same.out, saved + " and the devices hold the same values in 16 registers (1 not "
                                "read)\n");

    const std::string changed = Temp("changed.vkg");
    ASSERT_EQ(Vek({"open", Example("demo.vek"), "read-all", "write", "POLARITY=0x0f", "write",
                   "OUTPUT=0x00", "save", changed})
                  .status,
              kExitOk);
    const VekRun differs = Vek({"diff", Example("demo.vek"), changed});
    EXPECT_EQ(differs.status, 1) << differs.err;
    EXPECT_EQ(differs.out, "IOEXP.POLARITY 0x4002: 0x0f -> 0x00, bits 0x0f\n" + changed +
                               " and the devices differ in 1 of 16 registers (1 not read)\n");
}

TEST_F(Diff, AReadThatFailsIsAnErrorAndItsRegisterIsNotCompared) {
    const std::string saved = Temp("board.vkg");
    ASSERT_EQ(Vek({"open", board_, "write-default", "read-all", "save", saved}).status, kExitOk);
    ASSERT_EQ(Vek({"diff", board_, saved}).status, 0);
    driver_.FailAddress({0x08, 0x10});
    const VekRun run = Vek({"diff", board_, saved});
    EXPECT_EQ(run.status, 2);
    EXPECT_THAT(run.err, HasSubstr("driver error D06: cannot read from address 0x1008"));
    // WIDE and the two WRITE registers were not read.
    EXPECT_THAT(run.out, HasSubstr(" and the devices hold the same values in "));
    EXPECT_THAT(run.out, HasSubstr(" registers (3 not read)\n"));
}

TEST_F(Diff, FilesDescriptionsAndDevicesThatCannotBeUsedAreErrors) {
    const std::string a = Write("a.vkg", kSavedA);
    const std::string notValues = Write("notes.vkg", "[Notes]\nmonday=fine\n");
    const std::string broken = Write("broken.vek", "#BeginRegisterList \"testdrv.dll\"\n"
                                                   "0: CHIP A1;\n1: REG [0x01] = 0x100;\n");
    const std::string noDriver = Write("nodriver.vek", "#BeginRegisterList \"nodriver.dll\"\n"
                                                       "0: CHIP A1;\n1: REG [0x01] = 7;\n"
                                                       "#EndRegisterList\n");
    const struct {
        std::vector<std::string> args;
        std::string error;
    } cases[] = {
        {{"diff", a, Temp("none.vkg")}, Temp("none.vkg") + ": no such register-values file"},
        {{"diff", a, notValues},
         notValues + ": not a register-values file (no HEADER or DRIVER section)"},
        {{"diff", a, a, "--description", broken}, "broken.vek - "},
        {{"diff", noDriver, a}, "driver error D01: cannot load the driver : nodriver.dll"},
        {{"diff", a}, "vek: diff takes two files"},
        {{"diff", a, a, "--descr"}, "vek: unknown option '--descr'\nsee 'vek diff --help'\n"},
        {{"diff", Example("demo.vek"), a, "--description", Example("demo.vek")},
         "vek: --description names the registers of two values files"},
    };
    for (const auto& c : cases) {
        const VekRun run = Vek(c.args);
        EXPECT_EQ(run.status, 2) << c.error;
        EXPECT_THAT(run.err, HasSubstr(c.error));
        EXPECT_EQ(run.out, "") << c.error;
    }
    const VekRun help = Vek({"diff", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_THAT(help.out, HasSubstr("usage: vek diff A.vkg B.vkg [--description FILE.vek]"));
}

// A values file whose DRIVER section names one driver `keys` times, in varying case, and whose
// driver has `keys` devices of one register each; the register of device `changed` holds 0x01,
// the others 0x00.
std::string ManyKeysValues(int keys, int changed) {
    std::string text = "[HEADER]\nVersion=1.2\n[DRIVER]\n";
    for (int i = 1; i <= keys; ++i)
        text += "DRV" + std::to_string(i) + (i % 2 == 0 ? "=TESTDRV.DLL\n" : "=testdrv.dll\n");
    text += "[testdrv]\n";
    for (int i = 1; i <= keys; ++i)
        text += "DEV" + std::to_string(i) + "=D" + std::to_string(i) + "\n";
    for (int i = 1; i <= keys; ++i) {
        text +=
            "[testdrv:D" + std::to_string(i) + "]\n0x01=" + (i == changed ? "0x01" : "0x00") + "\n";
    }
    return text;
}

TEST_F(Diff, ADriverNamedByEveryKeyIsComparedOnceDeviceByDevice) {
    // 1 MB each: every DRV key naming the driver once more walked all its devices again, some
    // two minutes of work before each file was read.
    constexpr int kKeys = 16000;
    const std::string a = Write("a.vkg", ManyKeysValues(kKeys, 0));
    const std::string b = Write("b.vkg", ManyKeysValues(kKeys, 4321));
    const VekRun run = Vek({"diff", a, b});
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_EQ(run.out, "testdrv:D4321 0x01: 0x00 -> 0x01, bits 0x01\n" + a + " and " + b +
                           " differ in 1 of 16000 registers\n");
    EXPECT_EQ(Vek({"diff", a, a}).out,
              a + " and " + a + " hold the same values in 16000 registers\n");
}

} // namespace
} // namespace vek
