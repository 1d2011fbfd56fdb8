// The driver's mapping, over a regular file that stands in for the device: the registers are the
// file's bytes, so every access can be checked against the file.
#include "mem_driver.h"
#include "mem_messages.h"
#include "outcome_text.h"
#include "platform/settings_file.h"
#include "temp_folder.h"

#include <gmock/gmock.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <unistd.h>

namespace vek {
namespace {

using test::OutcomeText;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::StartsWith;

constexpr std::size_t kFileBytes = 4096;

std::string KnownBytes() {
    std::string bytes(kFileBytes, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>(i * 37 + 11);
    }
    return bytes;
}

class MemDriverTest : public testing::Test {
protected:
    void SetUp() override {
        setenv(kMemdrvOverrideVariable, folder_.File(kMemdrvFileName).c_str(), 1);
        file_ = folder_.Write("registers", KnownBytes());
        Settings("Device=" + file_ + "\nBase=0x40000000\nSize=0x1000\n");
    }
    void Settings(const std::string& region) const {
        folder_.Write(kMemdrvFileName, "[Region]\n" + region);
    }
    std::string FileBytes() const {
        std::ifstream in(file_, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    // The outcome of an open, with the driver's lines on standard error.
    std::string OpenFailure() {
        testing::internal::CaptureStderr();
        const std::string outcome = OutcomeText(driver_.Open());
        stderr_ = testing::internal::GetCapturedStderr();
        EXPECT_EQ(outcome, driver_.StatusText());
        EXPECT_LE(outcome.size(), kStatusChars);
        return outcome;
    }
    Result<void> Get(std::uint64_t address, int dataLen, uint32_t& data, int addrLen = 4) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(&address);
        return driver_.GetReg(addrLen, dataLen, bytes, &data);
    }
    Result<void> Set(std::uint64_t address, int dataLen, uint32_t data, int addrLen = 4) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(&address);
        return driver_.SetReg(addrLen, dataLen, bytes, data);
    }

    test::TempFolder folder_;
    std::string file_;
    std::string stderr_;
    MemDriver driver_{[] { return ReadSettingsFile(kMemdrvOverrideVariable, kMemdrvFileName); },
                      static_cast<std::int64_t>(sysconf(_SC_PAGESIZE))};
};

TEST_F(MemDriverTest, RegistersAreTheMappedBytesLeastSignificantFirst) {
    ASSERT_EQ(OutcomeText(driver_.Open()), "");
    const std::string bytes = KnownBytes();
    auto byte = [&](std::size_t i) {
        return static_cast<uint32_t>(static_cast<uint8_t>(bytes[i]));
    };
    uint32_t data = 0xAAAAAAAA;
    ASSERT_EQ(OutcomeText(Get(0x40000005, 1, data)), "");
    EXPECT_EQ(data, 0xAAAAAA00u | byte(5)); // the other bytes stay as they were
    ASSERT_EQ(OutcomeText(Get(0x40000ffe, 2, data)), "");
    EXPECT_EQ(data, 0xAAAA0000u | byte(0xffe) | byte(0xfff) << 8);
    ASSERT_EQ(OutcomeText(Get(0x40000ffc, 4, data, 8)), ""); // the last register, 8 address bytes
    EXPECT_EQ(data, byte(0xffc) | byte(0xffd) << 8 | byte(0xffe) << 16 | byte(0xfff) << 24);

    ASSERT_EQ(OutcomeText(Set(0x40000010, 4, 0x11223344)), "");
    ASSERT_EQ(OutcomeText(Set(0x40000014, 2, 0xFFFF5566)), ""); // only the low bytes
    ASSERT_EQ(OutcomeText(Set(0x40000016, 1, 0x77)), "");
    ASSERT_EQ(OutcomeText(Get(0x40000010, 4, data)), "");
    EXPECT_EQ(data, 0x11223344u);
    EXPECT_EQ(driver_.StatusText(), "");
    EXPECT_EQ(OutcomeText(driver_.Close()), "");

    std::string expected = bytes;
    expected.replace(0x10, 7, "\x44\x33\x22\x11\x66\x55\x77");
    EXPECT_EQ(FileBytes(), expected);
}

TEST_F(MemDriverTest, ARegisterNotWhollyInsideOrUnalignedIsNeverTouched) {
    uint32_t data = 0;
    EXPECT_EQ(OutcomeText(Get(0x40000000, 4, data)), kNotOpenText);
    ASSERT_EQ(OutcomeText(driver_.Open()), "");
    const std::pair<Result<void>, std::string> refusals[] = {
        {Set(0x40000003, 4, 0), "0x40000003 is not aligned to 4 bytes"},
        {Get(0x40000001, 2, data), "0x40000001 is not aligned to 2 bytes"},
        {Set(0x40001000, 1, 0), "0x40001000 is outside the mapped region"},
        {Get(0x3ffffffc, 4, data), "0x3ffffffc is outside the mapped region"},
        {Set(0x50000000, 4, 0, 8), "0x0000000050000000 is outside the mapped region"},
        {Set(0x0140000000, 1, 0, 5), "0x0140000000 is outside the mapped region"},
        {Set(0x40000000, 3, 0), "data length 3: registers are 1, 2 or 4 bytes"},
        {Get(0x40000000, 0, data), "data length 0: registers are 1, 2 or 4 bytes"},
        {Set(0x40000000, 4, 0, 9), "address length 9: 1 to 8 bytes only"},
        {Get(0x40000000, 4, data, 0), "address length 0: 1 to 8 bytes only"},
    };
    for (const auto& [outcome, text] : refusals) {
        EXPECT_EQ(OutcomeText(outcome), text);
    }
    EXPECT_EQ(driver_.StatusText(), "address length 0: 1 to 8 bytes only");
    EXPECT_EQ(OutcomeText(driver_.GetReg(4, 4, nullptr, &data)), kNoAddressText);
    const unsigned char first[] = {0x00, 0x00, 0x00, 0x40};
    EXPECT_EQ(OutcomeText(driver_.GetReg(4, 4, first, nullptr)), kNoValueText);
    EXPECT_EQ(data, 0u);
    driver_.Close();
    EXPECT_EQ(FileBytes(), KnownBytes());
}

TEST_F(MemDriverTest, EachOpenMapsTheSettingsAsTheyAreThen) {
    ASSERT_EQ(OutcomeText(driver_.Open()), "");
    const std::string other = folder_.Write("other", std::string(8192, '\x5a'));
    Settings("Device=" + other + "\nBase=0x1000\nSize=0x2000\n");
    ASSERT_EQ(OutcomeText(driver_.Open()), ""); // replaces the first mapping
    uint32_t data = 0;
    ASSERT_EQ(OutcomeText(Get(0x2ffc, 4, data)), "");
    EXPECT_EQ(data, 0x5a5a5a5au);
    EXPECT_EQ(OutcomeText(Get(0x40000000, 4, data)), "0x40000000 is outside the mapped region");

    // A reset closes and opens: a failed open leaves nothing mapped.
    driver_.Close();
    EXPECT_EQ(OutcomeText(Get(0x2ffc, 4, data)), kNotOpenText);
    Settings("Device=" + other + "\nSize=0\n");
    EXPECT_EQ(OpenFailure(), "memdrv.ini: bad Size '0'");
    EXPECT_EQ(stderr_, "memdrv: memdrv.ini: bad Size '0'\n");
    EXPECT_EQ(OutcomeText(Get(0x2ffc, 4, data)), kNotOpenText);
}

TEST_F(MemDriverTest, AFileThatCannotBeMappedFailsTheOpenSayingWhy) {
    Settings("Device=/dev/null\nSize=0x1000\n");
    EXPECT_EQ(OpenFailure(), "cannot map /dev/null: the file offers no mapping");
    EXPECT_EQ(stderr_, ""); // the status text has it whole

    Settings("Device=" + folder_.File("") + "\nSize=0x1000\n");
    EXPECT_THAT(OpenFailure(), AllOf(StartsWith("cannot open "), EndsWith(": Is a directory")));

    // A long path gives way at its front, so that the reason stays in the status text; standard
    // error has it whole.
    const std::string missing = folder_.File(std::string(60, 'm'));
    Settings("Device=" + missing + "\nSize=0x1000\n");
    EXPECT_THAT(OpenFailure(),
                AllOf(StartsWith("cannot open ...mmm"), EndsWith(": No such file or directory")));
    EXPECT_EQ(stderr_, "memdrv: cannot open " + missing + ": No such file or directory\n");

    Settings("Device=" + file_ + "\nSize=0x1001\n");
    EXPECT_THAT(OpenFailure(),
                AllOf(StartsWith("region past the end of "), EndsWith("/registers (4096 bytes)")));
    Settings("Device=" + file_ + "\nSize=0x1000\nOffset=0x1000\n");
    EXPECT_THAT(OpenFailure(), EndsWith("/registers (4096 bytes)"));

    if (geteuid() != 0) { // root opens any file
        std::filesystem::permissions(file_, std::filesystem::perms::owner_read);
        Settings("Device=" + file_ + "\nSize=0x1000\n");
        EXPECT_THAT(OpenFailure(), EndsWith("/registers: Permission denied"));
    }
    uint32_t data = 0;
    EXPECT_EQ(OutcomeText(Get(0, 1, data)), kNotOpenText);
}

TEST(FitStatus, CutsThePathsFrontOrElseTheEnd) {
    EXPECT_EQ(FitStatus("short", "/x"), "short");
    const std::string path = "/sys/bus/pci/devices/0000:01:00.0/resource0";
    const std::string fitted = FitStatus("cannot open " + path + ": Permission denied", path);
    EXPECT_EQ(fitted, "cannot open ...01:00.0/resource0: Permission denied");
    EXPECT_EQ(fitted.size(), kStatusChars);
    EXPECT_EQ(FitStatus(std::string(60, 'x'), {}), std::string(kStatusChars, 'x'));
}

} // namespace
} // namespace vek
