// The driver against the tests' own GDB server: the packets it sends, the values it hands back,
// and every failure as the status text a user reads.
#include "gdb_driver.h"
#include "outcome_text.h"
#include "server_process.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <memory>

namespace vek {
namespace {

class GdbDriverTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("VEK_GDBDRV", folder_.File("gdbdrv.ini").c_str(), 1);
        unsetenv("VEK_GDB_REMOTE");
    }
    void TearDown() override {
        driver_.Close();
        unsetenv("VEK_GDB_REMOTE");
    }

    void StartServer(std::vector<std::string> options = {}) {
        options.insert(options.begin(), std::string(VEK_BIN_DIR) + "/fake_gdb_server");
        server_ = std::make_unique<ServerProcess>(options);
        const std::string line = server_->ReadLine();
        ASSERT_EQ(line.rfind("PORT ", 0), 0u) << line;
        remote_ = "127.0.0.1:" + line.substr(5);
        setenv("VEK_GDB_REMOTE", remote_.c_str(), 1);
    }
    void Settings(const std::string& lines) { folder_.Write("gdbdrv.ini", "[Server]\n" + lines); }
    // The next packets the server received, in order.
    std::vector<std::string> Packets(std::size_t count) {
        std::vector<std::string> packets;
        while (packets.size() < count)
            packets.push_back(server_->ReadLine());
        return packets;
    }
    std::string OpenText() { return test::OutcomeText(driver_.Open()); }

    Result<void> Read(std::uint64_t address, int addrLen, int dataLen, uint32_t& value) {
        unsigned char addr[8];
        for (int i = 0; i < 8; ++i)
            addr[i] = static_cast<unsigned char>(address >> (8 * i));
        return driver_.GetReg(addrLen, dataLen, addr, &value);
    }
    Result<void> Write(std::uint64_t address, int dataLen, uint32_t value) {
        unsigned char addr[4];
        for (int i = 0; i < 4; ++i)
            addr[i] = static_cast<unsigned char>(address >> (8 * i));
        return driver_.SetReg(4, dataLen, addr, value);
    }
    uint32_t ReadValue(std::uint64_t address, int dataLen, uint32_t before = 0) {
        uint32_t value = before;
        EXPECT_EQ(test::OutcomeText(Read(address, 4, dataLen, value)), "");
        return value;
    }

    test::TempFolder folder_;
    std::unique_ptr<ServerProcess> server_;
    std::string remote_;
    GdbDriver driver_{LoadGdbSettings};
};

TEST_F(GdbDriverTest, TransfersExactlyTheRegistersWidthAtItsAddress) {
    StartServer();
    ASSERT_EQ(OpenText(), "");
    EXPECT_EQ(driver_.StatusText(), "connected to " + remote_);
    EXPECT_EQ(Packets(2), (std::vector<std::string>{"qSupported", "?"}));

    // Fresh memory reads as its address's low byte; a narrow read leaves the area's other bytes.
    EXPECT_EQ(ReadValue(0x20000004, 1, 0xAAAAAAAA), 0xAAAAAA04u);
    EXPECT_EQ(ReadValue(0x20000004, 2), 0x0504u);
    EXPECT_EQ(ReadValue(0x20000004, 4), 0x07060504u);
    ASSERT_EQ(test::OutcomeText(Write(0x20000010, 2, 0xBEEF)), "");
    EXPECT_EQ(ReadValue(0x20000010, 4), 0x1312BEEFu);
    uint32_t wide = 0;
    ASSERT_EQ(test::OutcomeText(Read(0x100000020ULL, 8, 4, wide)), "");
    EXPECT_EQ(Packets(6),
              (std::vector<std::string>{"m20000004,1", "m20000004,2", "m20000004,4",
                                        "M20000010,2:efbe", "m20000010,4", "m100000020,4"}));

    // Shapes the driver cannot transfer are refused without a packet.
    uint32_t value = 0;
    EXPECT_EQ(test::OutcomeText(Read(0x20000000, 4, 3, value)),
              "registers need 1 to 8 address and 1, 2 or 4 data bytes");
    EXPECT_EQ(test::OutcomeText(Read(0xE0000000, 4, 4, value)),
              "server replied E01 reading 0xe0000000");
    EXPECT_EQ(test::OutcomeText(Write(0xE0000004, 4, 1)), "server replied E01 writing 0xe0000004");
    EXPECT_EQ(Packets(2)[0], "me0000000,4");
    EXPECT_EQ(driver_.StatusText(), "server replied E01 writing 0xe0000004");
}

TEST_F(GdbDriverTest, ARunOfNeighboursIsOnePacketAndNothingBetweenIsRead) {
    StartServer();
    ASSERT_EQ(OpenText(), "");
    Packets(2);
    // Three neighbours, then one further on: two packets.
    const unsigned char addrs[] = {0x00, 0x00, 0x00, 0x20, 0x04, 0x00, 0x00, 0x20,
                                   0x08, 0x00, 0x00, 0x20, 0x40, 0x00, 0x00, 0x20};
    uint32_t data[4] = {};
    ASSERT_EQ(test::OutcomeText(driver_.GetRegs(4, 4, 4, addrs, data)), "");
    EXPECT_EQ(data[0], 0x03020100u);
    EXPECT_EQ(data[2], 0x0B0A0908u);
    EXPECT_EQ(data[3], 0x43424140u);
    EXPECT_EQ(Packets(2), (std::vector<std::string>{"m20000000,c", "m20000040,4"}));

    const unsigned char refused[] = {0xFC, 0xFF, 0xFF, 0xDF, 0x00, 0x00, 0x00, 0xE0};
    EXPECT_EQ(test::OutcomeText(driver_.GetRegs(2, 4, 4, refused, data)),
              "server replied E01 reading 0xdffffffc");
}

TEST_F(GdbDriverTest, BigEndianTargetsKeepTheMostSignificantByteFirst) {
    Settings("ByteOrder = big\n");
    StartServer();
    ASSERT_EQ(OpenText(), "");
    EXPECT_EQ(ReadValue(0x20000004, 4), 0x04050607u);
    ASSERT_EQ(test::OutcomeText(Write(0x20000000, 4, 0x11223344)), "");
    EXPECT_EQ(ReadValue(0x20000000, 2), 0x1122u);
    EXPECT_EQ(Packets(5)[3], "M20000000,4:11223344");
}

// Each way a server or its line may behave: the values are the same.
class GdbProtocolTest : public GdbDriverTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(GdbProtocolTest, GivesTheSameValues) {
    StartServer({GetParam()});
    ASSERT_EQ(OpenText(), "");
    ASSERT_EQ(test::OutcomeText(Write(0x20000100, 4, 0)), "");
    EXPECT_EQ(ReadValue(0x20000100, 4, 0xFFFFFFFF), 0u);
    EXPECT_EQ(ReadValue(0x200000F0, 4), 0xF3F2F1F0u);
}

INSTANTIATE_TEST_SUITE_P(Servers, GdbProtocolTest,
                         ::testing::Values("--no-ack-mode", "--nak-first", "--damage-first",
                                           "--noise", "--compress"));

TEST_F(GdbDriverTest, LeavesAcknowledgementsWhereTheServerOffers) {
    StartServer({"--no-ack-mode"});
    ASSERT_EQ(OpenText(), "");
    EXPECT_EQ(Packets(3), (std::vector<std::string>{"qSupported", "QStartNoAckMode", "?"}));
}

TEST_F(GdbDriverTest, ASilentOrLostServerIsReportedAndResetReconnects) {
    Settings("ReplyTimeout = 100\n");
    StartServer({"--silent"});
    EXPECT_EQ(OpenText(), "no reply within 100 ms to qSupported");
    driver_.Close();

    StartServer({"--drop-after", "3"});
    ASSERT_EQ(OpenText(), "");
    uint32_t value = 0;
    EXPECT_EQ(test::OutcomeText(Read(0x20000000, 4, 4, value)),
              "connection to " + remote_ + " lost");
    // Reset Driver: a close and an open.
    driver_.Close();
    ASSERT_EQ(OpenText(), "");
    EXPECT_EQ(ReadValue(0x20000000, 1), 0u);
}

TEST_F(GdbDriverTest, ConnectionFaultsNameTheServer) {
    const std::string unused = "127.0.0.1:" + std::to_string(FreeLoopbackPort());
    setenv("VEK_GDB_REMOTE", unused.c_str(), 1);
    EXPECT_EQ(OpenText(), "connection refused by " + unused);
    setenv("VEK_GDB_REMOTE", "no-such-host.invalid:3333", 1);
    EXPECT_EQ(OpenText(), "cannot resolve host 'no-such-host.invalid'");
    uint32_t value = 0;
    EXPECT_EQ(test::OutcomeText(Read(0x20000000, 4, 4, value)), "not connected");
}

TEST_F(GdbDriverTest, BadSettingsRefuseTheOpen) {
    for (const char* remote :
         {"localhost", "localhost:0", "localhost:65536", "::1:3333", ":3333"}) {
        setenv("VEK_GDB_REMOTE", remote, 1);
        EXPECT_EQ(OpenText(),
                  "VEK_GDB_REMOTE: bad server '" + std::string(remote) + "' (host:port)");
    }
    unsetenv("VEK_GDB_REMOTE");
    Settings("Remote = [::1]:3333\nTarget = sometimes\n");
    EXPECT_EQ(OpenText(), "gdbdrv.ini: bad Target 'sometimes' (halted or running)");
    Settings("Remote = host\n");
    EXPECT_EQ(OpenText(), "gdbdrv.ini: bad Remote 'host' (host:port)");
    Settings("ReplyTimeout = 5\n");
    EXPECT_EQ(OpenText(), "gdbdrv.ini: bad ReplyTimeout '5'");
    Settings("Baud = 12345\n");
    EXPECT_EQ(OpenText(), "gdbdrv.ini: bad Baud '12345' (not a serial port rate)");
    Settings("Serial = " + folder_.File("") + "\n");
    EXPECT_EQ(OpenText().rfind("cannot open " + folder_.File("") + ": ", 0), 0u);
}

TEST_F(GdbDriverTest, TheLastCloseDetaches) {
    StartServer();
    ASSERT_EQ(OpenText(), "");
    ASSERT_EQ(OpenText(), "");
    // Each open connects anew, detaching from the session before.
    EXPECT_EQ(Packets(6),
              (std::vector<std::string>{"qSupported", "?", "D", "CLOSED", "qSupported", "?"}));
    driver_.Close();
    ReadValue(0x20000000, 1);
    driver_.Close();
    EXPECT_EQ(Packets(3), (std::vector<std::string>{"m20000000,1", "D", "CLOSED"}));
    EXPECT_EQ(driver_.StatusText(), "not connected");
}

TEST_F(GdbDriverTest, ARunningTargetIsStoppedOnlyForEachTransfer) {
    Settings("Target = running\n");
    StartServer();
    ASSERT_EQ(OpenText(), "");
    EXPECT_EQ(ReadValue(0x20000008, 1), 0x08u);
    driver_.Close();
    EXPECT_EQ(Packets(9), (std::vector<std::string>{"qSupported", "?", "c", "^C", "m20000008,1",
                                                    "c", "^C", "D", "CLOSED"}));
}

} // namespace
} // namespace vek
