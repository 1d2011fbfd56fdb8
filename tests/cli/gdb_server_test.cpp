// The GDB server driver from vek, against QEMU's model of the MPS2 board: what a user at a
// debug server sees with the example description.
#include "server_process.h"
#include "vek_run.h"

namespace vek {
namespace {

class GdbServerTest : public VekFolderTest {};

TEST_F(GdbServerTest, ReadsTheMps2BoardsResetValuesAndWritesItsMemory) {
    QemuMps2 qemu(dir_.string(), FreeLoopbackPort());
    ASSERT_TRUE(qemu.Ready())
        << "qemu-system-arm does not run (scripts/install-deps.sh installs it)";
    setenv("VEK_GDB_REMOTE", qemu.Remote().c_str(), 1);

    // QEMU passes a debugger's writes to memory only, so the writes go to SRAM, read back.
    const VekRun written = Vek({"open", Example("mps2.vek"), "--verify", "write",
                                "SRAM.WORD0=0x12345678", "write", "SRAM.BYTE=0x5a"});
    EXPECT_EQ(written.status, 0) << written.out << written.err;

    // A second session reads what the first left, beside the dual timer's reset values.
    const VekRun read = Vek({"open", Example("mps2.vek"), "read-all", "dump", "--format", "csv"});
    EXPECT_EQ(read.status, 0) << read.err;
    for (const char* line :
         {"DUALTIMER,TIMER1VALUE,register,0x40002004,READ,32,0xffffffff,0xffffffff,,false",
          "DUALTIMER,TIMER1CONTROL,register,0x40002008,BOTH,32,0x00000020,0x00000020,,false",
          "DUALTIMER,PID0,register,0x40002fe0,READ,32,0x00000023,0x00000023,,false",
          "SRAM,WORD0,register,0x20000000,BOTH,32,0x00000000,0x12345678,,false",
          "SRAM,BYTE,register,0x2000000a,BOTH,8,0x00,0x5a,,false"}) {
        EXPECT_NE(read.out.find(line), std::string::npos) << line << "\n" << read.out;
    }
    unsetenv("VEK_GDB_REMOTE");
}

TEST_F(GdbServerTest, NoServerOffersSimulationWithTheReason) {
    const std::string unused = "127.0.0.1:" + std::to_string(FreeLoopbackPort());
    setenv("VEK_GDB_REMOTE", unused.c_str(), 1);
    const VekRun run = Vek({"open", Example("mps2.vek"), "read-all"});
    unsetenv("VEK_GDB_REMOTE");
    EXPECT_NE(run.status, 0);
    EXPECT_NE((run.out + run.err).find("connection refused by " + unused), std::string::npos)
        << run.out << run.err;
}

// Read Now hands the driver each device's readable registers of one shape in one call; a call
// that fails is read again register by register, so each failure is reported as its own.
TEST_F(GdbServerTest, ReadNowReadsNeighboursInOnePacketAndFailuresOneByOne) {
    ServerProcess server({std::string(VEK_BIN_DIR) + "/fake_gdb_server"});
    const std::string port = server.ReadLine();
    ASSERT_EQ(port.rfind("PORT ", 0), 0u) << port;
    setenv("VEK_GDB_REMOTE", ("127.0.0.1:" + port.substr(5)).c_str(), 1);
    const std::string board = Write("board.vek", "#BeginRegisterList \"gdbdrv.dll\"\n"
                                                 "0: RAM A4 D4.1;\n"
                                                 "1: FIRST [0x20000000] = 0 b;\n"
                                                 "1: SECOND [0x20000004] = 0 r;\n"
                                                 "1: SKIPPED [0x20000008] = 0 w;\n"
                                                 "1: THIRD [0x2000000C] = 0 b;\n"
                                                 "1: HALF [0x20000010] = 0 D2.1 b;\n"
                                                 "#EndRegisterList\n");
    const VekRun good = Vek({"open", board, "read-all", "show", "SECOND", "show", "HALF"});
    EXPECT_EQ(good.out, "SECOND = 0x07060504\nHALF = 0x1110\n") << good.err;
    // The write-only register parts the run: what lies between is never read.
    std::vector<std::string> packets;
    for (std::string line = server.ReadLine(); line != "CLOSED" && !line.empty();
         line = server.ReadLine())
        packets.push_back(line);
    EXPECT_EQ(packets, (std::vector<std::string>{"qSupported", "?", "m20000000,8", "m2000000c,4",
                                                 "m20000010,2", "D"}));

    const std::string faulty = Write("faulty.vek", "#BeginRegisterList \"gdbdrv.dll\"\n"
                                                   "0: RAM A4 D4.1;\n"
                                                   "1: FIRST [0x20000000] = 0 b;\n"
                                                   "1: GONE [0xE0000000] = 0 b;\n"
                                                   "#EndRegisterList\n");
    const VekRun failed = Vek({"open", faulty, "read-all", "show", "FIRST"});
    unsetenv("VEK_GDB_REMOTE");
    EXPECT_NE(failed.status, 0);
    EXPECT_NE(failed.err.find("server replied E01 reading 0xe0000000"), std::string::npos)
        << failed.err;
    packets.clear();
    for (std::string line = server.ReadLine(); line != "CLOSED" && !line.empty();
         line = server.ReadLine())
        packets.push_back(line);
    EXPECT_EQ(packets, (std::vector<std::string>{"qSupported", "?", "m20000000,4", "me0000000,4",
                                                 "m20000000,4", "me0000000,4", "D"}));
}

} // namespace
} // namespace vek
