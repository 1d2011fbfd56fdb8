// The built bridge drivers, loaded and bound as the program does, over the support library's
// simulated chip. The test holds its own CQpciIo to look at the chip's registers.
#include "loaded_library.h"
#include "qbr18_32.h"
#include "temp_folder.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace vek {
namespace {

using test::LoadedDriver;

// The register offset as the program passes it: byte 0 low.
struct Offset {
    unsigned char bytes[2];
    explicit Offset(uint16_t offset)
        : bytes{static_cast<unsigned char>(offset), static_cast<unsigned char>(offset >> 8)} {}
};

// A PCI register read that must succeed.
uint32_t ReadPci(const LoadedDriver& pcb, uint16_t offset, int dataLen) {
    uint32_t data = 0xFFFFFFFF;
    EXPECT_EQ(pcb.getReg(2, dataLen, Offset(offset).bytes, &data), 1) << offset;
    return data;
}

class BridgeDriversTest : public testing::Test {
protected:
    void SetUp() override { setenv("VEK_QBR18_32", folder_.File("qbr18_32.ini").c_str(), 1); }
    // The chip as the test sees it, while a driver keeps it in use.
    std::unique_ptr<CQpciIo> Chip() {
        return std::unique_ptr<CQpciIo>(new CQpciIo(0, kQbr7318DeviceId, kQbr7318VendorId));
    }

    test::TempFolder folder_;
};

TEST_F(BridgeDriversTest, PcbdrvReadsAndWritesRegistersOfEveryWidth) {
    LoadedDriver pcb("libpcbdrv32.so");
    ASSERT_EQ(pcb.open(), 1);
    EXPECT_EQ(ReadPci(pcb, 0x0000, 2), kQbr7318VendorId);
    EXPECT_EQ(ReadPci(pcb, 0x0002, 2), kQbr7318DeviceId);

    EXPECT_EQ(pcb.setReg(2, 4, Offset(0x0060).bytes, 0xDEADBEEF), 1);
    EXPECT_EQ(pcb.setReg(2, 2, Offset(0x0048).bytes, 0xFFFF00FF), 1);
    EXPECT_EQ(pcb.setReg(2, 1, Offset(0x004D).bytes, 0x1A5), 1);
    EXPECT_EQ(ReadPci(pcb, 0x0060, 4), 0xDEADBEEFu);
    EXPECT_EQ(ReadPci(pcb, 0x0048, 2), 0x00FFu);
    EXPECT_EQ(ReadPci(pcb, 0x004D, 1), 0xA5u);
    EXPECT_EQ(pcb.Status(), "QBR7318 transfer error");
}

TEST_F(BridgeDriversTest, PcbdrvRefusesWhatDoesNotFitTheRegister) {
    LoadedDriver pcb("libpcbdrv32.so");
    ASSERT_EQ(pcb.open(), 1);
    auto chip = Chip();
    chip->SetReg(0x4D, 0x11, 1);
    // A byte-wide register written with dataLen 2 is not written.
    EXPECT_EQ(pcb.setReg(2, 2, Offset(0x004D).bytes, 0x2222), 0);
    EXPECT_EQ(chip->GetReg(0x4D), 0x11u);
    EXPECT_EQ(pcb.setReg(2, 4, Offset(0x0001).bytes, 1), 0); // no register there

    uint32_t data = 0x12345678;
    const unsigned char threeBytes[] = {0x4D, 0x00, 0x00};
    EXPECT_EQ(pcb.getReg(3, 1, threeBytes, &data), 0);
    EXPECT_EQ(data, 0x12345678u);
    EXPECT_EQ(pcb.getReg(2, 1, Offset(0x0048).bytes, &data), 0); // 16-bit register
    EXPECT_EQ(data, 0u);
    EXPECT_EQ(pcb.Status(), "QBR7318 transfer error");
}

TEST_F(BridgeDriversTest, PcbdrvWithoutTheChipFailsToOpenAndRefusesTransfers) {
    folder_.Write("qbr18_32.ini", "[Chip]\nPresent=0\n");
    LoadedDriver pcb("libpcbdrv32.so");
    EXPECT_EQ(pcb.open(), 0);
    EXPECT_EQ(pcb.Status(), "QBR7318 transfer error");
    uint32_t data = 0x12345678;
    EXPECT_EQ(pcb.getReg(2, 1, Offset(0x0008).bytes, &data), 0);
    EXPECT_EQ(data, 0u);
    EXPECT_EQ(pcb.setReg(2, 1, Offset(0x0008).bytes, 1), 0);
    EXPECT_EQ(pcb.close(), 1);
}

TEST_F(BridgeDriversTest, CallsBeforeOpenAndAfterCloseAreRefused) {
    LoadedDriver pcb("libpcbdrv32.so");
    LoadedDriver icb("libicbdrv32.so");
    uint32_t data = 0x12345678;
    EXPECT_EQ(pcb.close(), 1);
    EXPECT_EQ(pcb.setReg(2, 4, Offset(0x0060).bytes, 1), 0);
    EXPECT_EQ(pcb.getReg(2, 4, Offset(0x0060).bytes, &data), 0);
    const unsigned char eeprom[] = {0x00, 0xA0};
    EXPECT_EQ(icb.setReg(2, 1, eeprom, 1), 0);
    EXPECT_EQ(icb.getReg(2, 1, eeprom, &data), 0);
    EXPECT_EQ(data, 0x12345678u);
    ASSERT_EQ(icb.open(), 1);
    EXPECT_EQ(icb.close(), 1);
    EXPECT_EQ(icb.getReg(2, 1, eeprom, &data), 0);
}

TEST_F(BridgeDriversTest, ASecondOpenReplacesTheObjectAndKeepsTheChip) {
    LoadedDriver pcb("libpcbdrv32.so");
    ASSERT_EQ(pcb.open(), 1);
    EXPECT_EQ(pcb.setReg(2, 4, Offset(0x0064).bytes, 0x0BADF00D), 1);
    // The earlier object is destroyed (the sanitizer build reports it otherwise); the chip
    // stays powered because the new object holds it.
    ASSERT_EQ(pcb.open(), 1);
    EXPECT_EQ(ReadPci(pcb, 0x0064, 4), 0x0BADF00Du);
}

TEST_F(BridgeDriversTest, TheSettingsFileAdjustsTheRegisterMap) {
    folder_.Write("qbr18_32.ini", "[Registers]\n0x0100-0x0107=2\n0x0060=1\n");
    LoadedDriver pcb("libpcbdrv32.so");
    ASSERT_EQ(pcb.open(), 1);
    EXPECT_EQ(pcb.setReg(2, 2, Offset(0x0106).bytes, 0x1234), 1);
    EXPECT_EQ(pcb.setReg(2, 4, Offset(0x0060).bytes, 1), 0);
    EXPECT_EQ(pcb.setReg(2, 1, Offset(0x0060).bytes, 0x7F), 1);
    EXPECT_EQ(ReadPci(pcb, 0x0106, 2), 0x1234u);
}

TEST_F(BridgeDriversTest, IcbdrvReachesTheDevicesOnTheCard) {
    LoadedDriver icb("libicbdrv32.so");
    ASSERT_EQ(icb.open(), 1);
    uint32_t data = 0xFFFFFFFF;
    const unsigned char boardId[] = {0x00, 0xA0};
    EXPECT_EQ(icb.getReg(2, 1, boardId, &data), 1);
    EXPECT_EQ(data, 0x73u); // the whole word: the byte landed in the first int
    const unsigned char clock[] = {0x03, 0xD2};
    EXPECT_EQ(icb.setReg(2, 1, clock, 0x2F), 1);
    EXPECT_EQ(icb.getReg(2, 1, clock, &data), 1);
    EXPECT_EQ(data, 0x2Fu);
    EXPECT_EQ(icb.Status(), "QBR7318 transfer error");

    const unsigned char missing[] = {0x00, 0xA2};
    EXPECT_EQ(icb.getReg(2, 1, missing, &data), 0);
    EXPECT_EQ(icb.setReg(2, 1, missing, 0), 0);
    const unsigned char longer[] = {0x00, 0x00, 0xA0};
    EXPECT_EQ(icb.getReg(3, 1, longer, &data), 0);
    EXPECT_EQ(icb.setReg(2, 2, boardId, 0x1234), 0);
}

TEST_F(BridgeDriversTest, IcbdrvOpensWithoutTheChipButItsTransfersFail) {
    folder_.Write("qbr18_32.ini", "[Chip]\nPresent=0\n");
    LoadedDriver icb("libicbdrv32.so");
    EXPECT_EQ(icb.open(), 1);
    uint32_t data = 0;
    const unsigned char boardId[] = {0x00, 0xA0};
    EXPECT_EQ(icb.getReg(2, 1, boardId, &data), 0);
    EXPECT_EQ(icb.setReg(2, 1, boardId, 0), 0);
}

TEST_F(BridgeDriversTest, BothDriversShareOneChip) {
    LoadedDriver pcb("libpcbdrv32.so");
    LoadedDriver icb("libicbdrv32.so");
    ASSERT_EQ(pcb.open(), 1);
    ASSERT_EQ(icb.open(), 1);
    EXPECT_EQ(pcb.setReg(2, 4, Offset(0x0068).bytes, 42), 1);
    EXPECT_EQ(icb.close(), 1);
    EXPECT_EQ(ReadPci(pcb, 0x0068, 4), 42u);
}

} // namespace
} // namespace vek
