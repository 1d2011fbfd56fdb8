// The memory-mapped register driver met through vek as a user runs it, over a regular file that
// stands in for the device.
#include "vek_run.h"

#include <gmock/gmock.h>

#include <cstdlib>

namespace vek {
namespace {

using ::testing::HasSubstr;

using Memdrv = VekFolderTest;

constexpr const char* kBoard = "#BeginRegisterList \"memdrv.dll\"\n"
                               "0: BOARD A4;\n"
                               "1: ID [0x40000000] = 0 D4 r;\n"
                               "1: CONTROL [0x40000004] = 0 D2 b;\n"
                               "1: FLAGS [0x40000006] = 0 b;\n";
constexpr const char* kEnd = "#EndRegisterList\n";

TEST_F(Memdrv, ReadsAndWritesTheRegistersOfTheMappedFile) {
    setenv("VEK_MEMDRV", Temp("memdrv.ini").c_str(), 1);
    const std::string registers = Write("registers", "\x78\x56\x34\x12" + std::string(4092, '\0'));
    Write("memdrv.ini", "[Region]\nDevice=" + registers + "\nBase=0x40000000\nSize=0x1000\n");
    const std::string board = Write("board.vek", std::string(kBoard) + kEnd);

    VekRun run = Vek(
        {"open", board, "read-all", "show", "ID", "write", "CONTROL=0xbeef", "read", "CONTROL"});
    EXPECT_EQ(run.status, kExitOk) << run.err;
    EXPECT_THAT(run.out, HasSubstr("ID = 0x12345678\nCONTROL = 0xbeef\n"));
    EXPECT_EQ(Read("registers").substr(0, 8), std::string("\x78\x56\x34\x12\xef\xbe\0\0", 8));

    // A register beyond the region fails with the driver's reason.
    const std::string beyond =
        Write("beyond.vek", std::string(kBoard) + "1: BEYOND [0x40001000] = 0 b;\n" + kEnd);
    run = Vek({"open", beyond, "read-all"});
    EXPECT_EQ(run.status, kExitErrors);
    EXPECT_THAT(run.err, HasSubstr("driver error D06: cannot read from address 0x40001000 : "
                                   "0x40001000 is outside the mapped region\n"));
}

} // namespace
} // namespace vek
