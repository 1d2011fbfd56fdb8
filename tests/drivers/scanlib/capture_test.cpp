#include "scan_fixture.h"

namespace bsx4810::test {
namespace {

// TDO levels that put value on the shift clocks starting at vector index first.
std::vector<bool> TdoAt(size_t first, uint64_t value, int bits) {
    // High everywhere else: the clocks around the shift must not be read.
    std::vector<bool> levels(first + static_cast<size_t>(bits), true);
    for (int i = 0; i < bits; ++i)
        levels[first + static_cast<size_t>(i)] = (value >> i) & 1;
    levels.resize(levels.size() + 8, true);
    return levels;
}

TEST_F(ScanLibraryTest, CaptureOf32BitsWritesWordsZeroAndOneAndClearsWordTwo) {
    StartIn(kRunTestIdle);
    log->tdo = TdoAt(3, 0x89ABCDEF, 32); // after the entry 1,0,0
    uint16_t tdo[4] = {0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF};
    ASSERT_EQ(library.Scan(1, ScanRegister::Data, nullptr, 32, tdo), 0);
    EXPECT_EQ(tdo[0], 0xCDEF);
    EXPECT_EQ(tdo[1], 0x89AB);
    EXPECT_EQ(tdo[2], 0x0000);
    EXPECT_EQ(tdo[3], 0xFFFF);
}

TEST_F(ScanLibraryTest, CaptureOfAPartialWordClearsItsUnusedBits) {
    StartIn(kTestLogicReset);
    log->tdo = TdoAt(5, 0x1F, 5); // after the entry 0,1,1,0,0
    uint16_t tdo[2] = {0xFFFF, 0xFFFF};
    ASSERT_EQ(library.Scan(1, ScanRegister::Instruction, nullptr, 5, tdo), 0);
    EXPECT_EQ(tdo[0], 0x001F);
    EXPECT_EQ(tdo[1], 0xFFFF);
}

TEST_F(ScanLibraryTest, NoCaptureWithoutBitsOrAfterAFailedSend) {
    StartIn(kRunTestIdle);
    log->tdo.assign(100, true);
    uint16_t tdo[2] = {0x1234, 0x5678};
    ASSERT_EQ(library.Scan(1, ScanRegister::Data, nullptr, 0, tdo), 0);
    log->failVectorRequest = log->vectorRequestsSeen;
    testing::internal::CaptureStdout();
    EXPECT_EQ(library.Scan(1, ScanRegister::Data, nullptr, 16, tdo), 1);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(tdo[0], 0x1234);
    EXPECT_EQ(tdo[1], 0x5678);
}

TEST_F(ScanLibraryTest, ScansToPauseAndRawShiftsCaptureToo) {
    StartIn(kPauseDr);
    log->tdo = TdoAt(2, 0xB6, 8); // after the entry 1,0
    uint16_t tdo[1] = {0};
    ASSERT_EQ(library.ScanToPause(1, ScanRegister::Data, nullptr, 8, tdo), 0);
    EXPECT_EQ(tdo[0], 0xB6);
    log->tdo = TdoAt(0, 0x5, 3);
    ASSERT_EQ(library.ScanTdio(1, nullptr, 3, tdo), 0);
    EXPECT_EQ(tdo[0], 0x5);
}

TEST_F(ScanLibraryTest, MultipleDataScansCaptureEachScanIntoItsOwnWords) {
    StartIn(kRunTestIdle);
    log->tdo = TdoAt(3, 0xC3, 8);
    uint16_t tdo[4] = {0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF};
    ASSERT_EQ(library.MultiScan(1, ScanRegister::Data, nullptr, 8, 3, tdo), 0);
    EXPECT_EQ(tdo[0], 0xC3);
    EXPECT_EQ(tdo[1], 0xC3);
    EXPECT_EQ(tdo[2], 0xC3);
    EXPECT_EQ(tdo[3], 0xFFFF);
}

TEST_F(ScanLibraryTest, ZeroBitMultipleScanWithoutAnEarlierShiftReportsTheCapture) {
    StartIn(kRunTestIdle);
    uint16_t tdo[1] = {0x4321};
    testing::internal::CaptureStderr();
    EXPECT_EQ(library.MultiScan(1, ScanRegister::Data, nullptr, 0, 1, tdo), 0);
    const std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_EQ(printed.rfind("capture data FU: ", 0), 0u) << printed;
    EXPECT_EQ(printed.back(), '\n');
    EXPECT_EQ(tdo[0], 0x4321);
}

} // namespace
} // namespace bsx4810::test
