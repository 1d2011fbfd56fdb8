#include "recording_device.h"
#include "scan_library.h"
#include "soft/software_tap.h"
#include "tap_back_ends.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace bsx4810::test {
namespace {

using S = TapControllerState;

constexpr uint16_t kIrAddress = 8;
constexpr uint16_t kIrData = 9;
constexpr uint16_t kIrControl = 10;
constexpr uint16_t kWrite[2] = {0x0900, 0x0022};
constexpr uint16_t kRead[2] = {0x0B00, 0x0022};

// The scan library driving a software TAP of the test's own, through each back end.
class SoftwareTapTest : public testing::TestWithParam<TapBackEnd> {
protected:
    void SetUp() override {
        UsePrivateLockFile();
        ASSERT_EQ(library.Open(), 0);
        ASSERT_EQ(library.TmsReset(1), 0);
        ASSERT_EQ(library.TmsReset(2), 0);
    }
    void TearDown() override { library.Close(); }

    void Select(int port, uint16_t instruction) {
        ASSERT_EQ(library.Scan(port, ScanRegister::Instruction, &instruction, 5, nullptr), 0);
    }
    void WriteRegister(int port, uint16_t address, uint32_t value) {
        Select(port, kIrAddress);
        ASSERT_EQ(library.Scan(port, ScanRegister::Data, &address, 16, nullptr), 0);
        Select(port, kIrData);
        const uint16_t words[2] = {static_cast<uint16_t>(value),
                                   static_cast<uint16_t>(value >> 16)};
        ASSERT_EQ(library.Scan(port, ScanRegister::Data, words, 32, nullptr), 0);
        Select(port, kIrControl);
        ASSERT_EQ(library.Scan(port, ScanRegister::Data, kWrite, 32, nullptr), 0);
    }
    uint32_t ReadRegister(int port, uint16_t address) {
        Select(port, kIrAddress);
        EXPECT_EQ(library.Scan(port, ScanRegister::Data, &address, 16, nullptr), 0);
        Select(port, kIrControl);
        EXPECT_EQ(library.Scan(port, ScanRegister::Data, kRead, 32, nullptr), 0);
        Select(port, kIrData);
        uint16_t words[3] = {};
        EXPECT_EQ(library.Scan(port, ScanRegister::Data, nullptr, 32, words), 0);
        return words[0] | (uint32_t{words[1]} << 16);
    }

    // The TAP port once everything sent has reached it: a cable holds requests back until one
    // reads TDO or the controller is given back.
    const CSoftwareTapPort& Settled(int port) {
        library.Close();
        EXPECT_EQ(library.Open(), 0);
        return target.tap.Port(port);
    }

    CTapUnderTest target{GetParam()};
    CScanLibrary library{target.Factory()};
};

INSTANTIATE_TEST_SUITE_P(BackEnds, SoftwareTapTest,
                         testing::Values(TapBackEnd::Soft, TapBackEnd::Ftdi), BackEndName);

TEST_P(SoftwareTapTest, RegistersAreWrittenAndReadBackThroughTheCommandWords) {
    WriteRegister(1, 0x0105, 0x12345678);
    WriteRegister(1, 0x0106, 0xCAFEF00D);
    EXPECT_EQ(ReadRegister(1, 0x0105), 0x12345678u);
    EXPECT_EQ(ReadRegister(1, 0x0106), 0xCAFEF00Du);
    EXPECT_EQ(ReadRegister(1, 0x0107), 0u);
}

TEST_P(SoftwareTapTest, PortsOneAndTwoAreSeparateTargets) {
    WriteRegister(1, 0x20, 0x11111111);
    WriteRegister(2, 0x20, 0x22222222);
    EXPECT_EQ(ReadRegister(1, 0x20), 0x11111111u);
    EXPECT_EQ(ReadRegister(2, 0x20), 0x22222222u);
}

TEST_P(SoftwareTapTest, InstructionCaptureShiftsOutTheFixedPattern) {
    uint16_t instruction = kIrData;
    uint16_t captured[2] = {};
    ASSERT_EQ(library.Scan(1, ScanRegister::Instruction, &instruction, 5, captured), 0);
    EXPECT_EQ(captured[0], 0x01);
    EXPECT_EQ(Settled(1).Target().Instruction(), kIrData);
}

TEST_P(SoftwareTapTest, DataRegisterShiftsOutWhatItHeldWhileTakingTheNewValue) {
    Select(1, kIrData);
    const uint16_t first[2] = {0x5678, 0x1234};
    ASSERT_EQ(library.Scan(1, ScanRegister::Data, first, 32, nullptr), 0);
    const uint16_t second[2] = {0xFFFF, 0xFFFF};
    uint16_t captured[3] = {};
    ASSERT_EQ(library.Scan(1, ScanRegister::Data, second, 32, captured), 0);
    EXPECT_EQ(captured[0], 0x5678);
    EXPECT_EQ(captured[1], 0x1234);
    // A 16-bit scan moves the upper half down.
    ASSERT_EQ(library.Scan(1, ScanRegister::Data, first, 16, captured), 0);
    EXPECT_EQ(captured[0], 0xFFFF);
    EXPECT_EQ(Settled(1).Target().DataRegister(), 0x5678FFFFu);
}

TEST_P(SoftwareTapTest, ResetsSelectTheBypassRegister) {
    Select(1, kIrData);
    ASSERT_EQ(library.TrstReset(1), 0);
    EXPECT_EQ(Settled(1).Target().Instruction(), 31);
    EXPECT_EQ(Settled(1).State(), S::TestLogicReset);
    // Bypass delays TDI by one clock behind a captured 0.
    const uint16_t tdi = 0b1011;
    uint16_t captured[1] = {};
    ASSERT_EQ(library.Scan(1, ScanRegister::Data, &tdi, 4, captured), 0);
    EXPECT_EQ(captured[0], 0b0110);
}

TEST_P(SoftwareTapTest, TheModelEndsEveryCallInTheStateTheLibraryRecorded) {
    const S model[] = {S::TestLogicReset, S::TestLogicReset, S::RunTestIdle, S::PauseDr,
                       S::PauseIr};
    for (int stop = kTestLogicReset; stop <= kPauseIr; ++stop) {
        ASSERT_EQ(library.SetStopState(stop), 0);
        for (int start = kTestLogicReset; start <= kPauseIr; ++start) {
            for (const uint16_t bits : {uint16_t{0}, uint16_t{7}}) {
                for (const auto reg : {ScanRegister::Instruction, ScanRegister::Data}) {
                    SCOPED_TRACE(std::to_string(start) + " stop " + std::to_string(stop) +
                                 " bits " + std::to_string(bits));
                    ASSERT_EQ(library.MoveToState(1, start), 0);
                    EXPECT_EQ(Settled(1).State(), model[start]);
                    ASSERT_EQ(library.Scan(1, reg, nullptr, bits, nullptr), 0);
                    EXPECT_EQ(Settled(1).State(), model[stop]);
                    ASSERT_EQ(library.MoveToState(1, start), 0);
                    ASSERT_EQ(library.ScanToPause(1, reg, nullptr, bits, nullptr), 0);
                    EXPECT_EQ(Settled(1).State(),
                              model[reg == ScanRegister::Data ? kPauseDr : kPauseIr]);
                    ASSERT_EQ(library.MultiScan(1, reg, nullptr, bits, 2, nullptr), 0);
                    EXPECT_EQ(Settled(1).State(), model[stop]);
                }
            }
        }
    }
}

TEST_P(SoftwareTapTest, AZeroBitScanOfThePausedRegisterUpdatesIt) {
    Select(1, kIrData);
    ASSERT_EQ(library.MoveToState(1, kPauseIr), 0);
    ASSERT_EQ(library.Scan(1, ScanRegister::Instruction, nullptr, 0, nullptr), 0);
    EXPECT_EQ(Settled(1).State(), S::RunTestIdle);
    // Update-IR reloaded the instruction from the captured pattern.
    EXPECT_EQ(Settled(1).Target().Instruction(), 0x01);
}

class SharedTargetFileTest : public testing::Test {
protected:
    void TearDown() override { std::remove(path.c_str()); }
    std::string path = "/tmp/bsx4810-target-" + std::to_string(::getpid()) + ".txt";
};

TEST_F(SharedTargetFileTest, TwoProcessesSeeOneTargetThroughTheFile) {
    CTargetMemory first;
    CTargetMemory second;
    first.ShareThrough(path);
    second.ShareThrough(path);
    const TargetAddress address("\x05\x01", 2);
    EXPECT_TRUE(first.Write(1, address, 0xA5A5A5A5));
    EXPECT_TRUE(first.Write(2, address, 0x5A));
    EXPECT_EQ(second.Read(1, address), 0u); // loaded when its device was opened
    second.ShareThrough(path);
    EXPECT_EQ(second.Read(1, address), 0xA5A5A5A5u);
    EXPECT_EQ(second.Read(2, address), 0x5Au);
    std::ifstream in(path);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("1 0105 a5a5a5a5\n"), std::string::npos) << text;
}

// What a register write costs the shared file: its own line, written in place, once the file
// holds the register; the whole file, replaced, only when the register is new there.
TEST_F(SharedTargetFileTest, AValueTheFileHoldsIsWrittenInPlaceAndANewRegisterReplacesTheFile) {
    const auto inode = [this] {
        struct stat info {};
        EXPECT_EQ(::stat(path.c_str(), &info), 0);
        return info.st_ino;
    };
    CTargetMemory memory;
    ASSERT_TRUE(memory.ShareThrough(path));
    const TargetAddress first(1, '\x07');
    ASSERT_TRUE(memory.Write(1, first, 1));
    const ino_t made = inode();
    for (uint32_t value = 2; value <= 5; ++value)
        ASSERT_TRUE(memory.Write(1, first, value));
    EXPECT_EQ(inode(), made);
    ASSERT_TRUE(memory.ShareThrough(path)); // the next device open
    ASSERT_TRUE(memory.Write(1, first, 0xA5A5A5A5));
    EXPECT_EQ(inode(), made);
    ASSERT_TRUE(memory.Write(2, TargetAddress("\x10\x01", 2), 9));
    EXPECT_NE(inode(), made);
    ASSERT_TRUE(memory.Write(1, first, 6));
    std::ifstream in(path);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}),
              "# BSX4810 software target: port address value\n"
              "1 07 00000006\n"
              "2 0110 00000009\n");
}

TEST_F(SharedTargetFileTest, ALineWrittenByHandOrAFileReplacedByAnotherProgramIsNotWrittenBlind) {
    std::ofstream(path) << "1 7 0000002A\n1 08 00000001";
    CTargetMemory first;
    ASSERT_TRUE(first.ShareThrough(path));
    EXPECT_EQ(first.Read(1, TargetAddress(1, '\x07')), 42u);
    // A last line without its line end is changed in place; one not in this program's form (a
    // short address, capital digits) makes the file written anew.
    ASSERT_TRUE(first.Write(1, TargetAddress(1, '\x08'), 2));
    ASSERT_TRUE(first.Write(1, TargetAddress(1, '\x07'), 43));

    // Another program adds a register, and so replaces the file; this one's next write, after
    // its next device open, goes into that new file, not into the one it had open.
    CTargetMemory second;
    ASSERT_TRUE(second.ShareThrough(path));
    ASSERT_TRUE(second.Write(2, TargetAddress(1, '\x01'), 7));
    ASSERT_TRUE(first.ShareThrough(path));
    ASSERT_TRUE(first.Write(1, TargetAddress(1, '\x08'), 3));
    CTargetMemory reader;
    ASSERT_TRUE(reader.ShareThrough(path));
    EXPECT_EQ(reader.Read(1, TargetAddress(1, '\x07')), 43u);
    EXPECT_EQ(reader.Read(1, TargetAddress(1, '\x08')), 3u);
    EXPECT_EQ(reader.Read(2, TargetAddress(1, '\x01')), 7u);

    // Made read-only since: refused as a save is, the value stays in the file as it was.
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    ASSERT_TRUE(first.ShareThrough(path));
    const vek::Result<void> refused = first.Write(1, TargetAddress(1, '\x08'), 4);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.Error().text, path + ": read-only file; nothing was written");
    ASSERT_TRUE(reader.ShareThrough(path));
    EXPECT_EQ(reader.Read(1, TargetAddress(1, '\x08')), 3u);
}

TEST_F(SharedTargetFileTest, DamagedLinesArePassedOverAndAMissingFileIsAnEmptyTarget) {
    {
        std::ofstream out(path);
        out << "# heading\n1 0105 0000002a\nrubbish\n3 01 1\n2 zz 5\n2 0 00000007\n";
    }
    CTargetMemory memory;
    memory.Write(1, TargetAddress(1, '\x09'), 99);
    memory.ShareThrough(path);
    EXPECT_EQ(memory.Read(1, TargetAddress("\x05\x01", 2)), 42u);
    EXPECT_EQ(memory.Read(2, TargetAddress()), 7u);
    EXPECT_EQ(memory.Read(1, TargetAddress(1, '\x09')), 0u);
    std::remove(path.c_str());
    memory.ShareThrough(path);
    EXPECT_EQ(memory.Read(1, TargetAddress("\x05\x01", 2)), 0u);
}

TEST_F(SharedTargetFileTest, TheFileIsReplacedThroughAnUnguessableTemporary) {
    // The temporary's name of old, which anyone could have placed a link at.
    const std::string victim = path + ".victim";
    std::ofstream(victim) << "precious";
    const std::string planted = path + ".tmp" + std::to_string(::getpid());
    ASSERT_EQ(::symlink(victim.c_str(), planted.c_str()), 0);
    CTargetMemory memory;
    ASSERT_TRUE(memory.ShareThrough(path));
    EXPECT_TRUE(memory.Write(1, TargetAddress(1, '\x07'), 0x42));
    std::ifstream in(victim);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "precious");
    CTargetMemory reader;
    ASSERT_TRUE(reader.ShareThrough(path));
    EXPECT_EQ(reader.Read(1, TargetAddress(1, '\x07')), 0x42u);
    std::remove(planted.c_str());
    std::remove(victim.c_str());
}

TEST_F(SharedTargetFileTest, ATargetFileThatCannotBeReadFailsTheOpenWithItsCause) {
    CTargetMemory memory;
    const vek::Result<void> endless = memory.ShareThrough("/dev/zero");
    ASSERT_FALSE(endless);
    EXPECT_EQ(endless.Error().text,
              "/dev/zero: larger than 64 MiB, the most a JTAG target file may have");

    ::setenv("BSX4810_TARGET_FILE", "/", 1);
    testing::internal::CaptureStderr();
    EXPECT_EQ(OpenSoftwareTap(), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "BSX4810 soft: /: Is a directory\n");
    ::unsetenv("BSX4810_TARGET_FILE");
    EXPECT_NE(OpenSoftwareTap(), nullptr);
}

TEST_F(SharedTargetFileTest, AnUnwritableFileFailsTheRequestThatWrites) {
    CSoftwareTap tap;
    ASSERT_TRUE(tap.Memory().ShareThrough("/nonexistent-folder/target.txt"));
    CSoftwareTapChannel channel(tap);
    // Reset, select the control register, shift a write command through it.
    std::vector<uint8_t> vectors = {0x09, 0x09, 0x09, 0x09, 0x09, 0x01, 0x09, 0x09, 0x01, 0x01};
    for (int i = 0; i < 5; ++i)
        vectors.push_back(static_cast<uint8_t>(0x44 | ((kIrControl >> i) & 1) | (i == 4 ? 8 : 0)));
    vectors.insert(vectors.end(), {0x09, 0x09, 0x01, 0x01});
    for (int i = 0; i < 32; ++i)
        vectors.push_back(
            static_cast<uint8_t>(0x44 | ((0x00220900u >> i) & 1) | (i == 31 ? 8 : 0)));
    vectors.push_back(0x09);
    std::array<uint8_t, 8> block{};
    testing::internal::CaptureStderr();
    EXPECT_FALSE(channel.Request(kRunVectorsPort1, vectors, block));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "BSX4810 soft: /nonexistent-folder/target.txt: No such file or directory\n");
    EXPECT_FALSE(channel.Request(99, vectors, block));
}

} // namespace
} // namespace bsx4810::test
