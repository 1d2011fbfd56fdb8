#include "model/register_context.h"
#include "model/shadow_reg.h"
#include "model/shadow_reg_list.h"
#include "platform/profile_file.h"
#include "platform/recording_host.h"
#include "test_driver.h"

#include <gtest/gtest.h>

#include <random>

namespace vek {
namespace {

using test::DriverCall;

class RegisterValuesLineTest : public ::testing::Test {
protected:
    CShadowReg& Add(uint8_t address, uint16_t dataLength, AccessType access) {
        ShadowRegLayout layout;
        layout.address[0] = address;
        layout.addressLength = 1;
        layout.dataLength = dataLength;
        layout.byteOrder = "1234";
        layout.mask = 0xFFFFFFFFU >> (8 * (4 - dataLength));
        layout.access = access;
        CShadowReg* reg = list.Insert(CShadowReg::Create(layout));
        reg->SetDriver(&entries, "pardrv32", "Eeprom");
        reg->SetContext(&context);
        return *reg;
    }
    std::string Line(const char* key) const { return file.GetString(kSection, key, "?", 80); }

    static constexpr const char* kSection = "pardrv32:Eeprom";
    test::TestDriver driver;
    DriverEntryPoints entries = driver.EntryPoints();
    RecordingHost host;
    RegisterContext context{&host, false};
    ShadowRegList list;
    ProfileFile file{"unused.vkg"};
};

TEST_F(RegisterValuesLineTest, SavesKnownAndUnknownValuesCutToTheDataLength) {
    CShadowReg& known = Add(0x10, 2, AccessType::Both);
    CShadowReg& unknown = Add(0x20, 2, AccessType::Both);
    CShadowReg& wide = Add(0x30, 3, AccessType::Both);
    known.SetValue(0x00AB);
    wide.SetValue(0xFF123456);
    known.SaveValue(file);
    unknown.SaveValue(file);
    wide.SaveValue(file);
    EXPECT_EQ(Line("0x10"), "0x00ab");
    EXPECT_EQ(Line("0x20"), "0xXXXX");
    EXPECT_EQ(Line("0x30"), "0x123456");
}

TEST_F(RegisterValuesLineTest, ReadAndWriteRegistersOfOneAddressShareALineInEitherOrder) {
    CShadowReg& writeFirst = Add(0x01, 1, AccessType::Write);
    CShadowReg& readSecond = Add(0x01, 1, AccessType::Read);
    CShadowReg& statusFirst = Add(0x02, 1, AccessType::Status);
    CShadowReg& writeSecond = Add(0x02, 1, AccessType::Write);
    writeFirst.SetValue(0x34);
    readSecond.SetValue(0x12);
    statusFirst.SetValue(0x56);
    writeSecond.SetValue(0x78);
    for (std::size_t i = 0; i < list.Size(); ++i) {
        list[i].SaveValue(file);
    }
    EXPECT_EQ(Line("0x01"), "0x12R 0x34W");
    EXPECT_EQ(Line("0x02"), "0x56S 0x78W");

    for (CShadowReg* reg : {&writeFirst, &readSecond, &statusFirst, &writeSecond}) {
        reg->SetValue(0);
        EXPECT_EQ(reg->LoadValue(file, {}), ValueLoad::Taken);
    }
    EXPECT_EQ(writeFirst.GetValue(), 0x34U);
    EXPECT_EQ(readSecond.GetValue(), 0x12U);
    EXPECT_EQ(statusFirst.GetValue(), 0x56U);
    EXPECT_EQ(writeSecond.GetValue(), 0x78U);
    // Loaded values go to the device at once; READ and STATUS registers are never written.
    const auto writes = driver.Calls(DriverCall::Function::SetReg);
    ASSERT_EQ(writes.size(), 2U);
    EXPECT_EQ(writes[0].data[0], 0x34);
    EXPECT_EQ(writes[1].data[0], 0x78);
}

TEST_F(RegisterValuesLineTest, LoadingTakesOnlyWellFormedTexts) {
    CShadowReg& reg = Add(0x10, 2, AccessType::Both);
    reg.SetValue(0x1111);
    const std::string bad[] = {"0x123",  "0x12345", "",
                               "0xZZZZ", "1x1234",  "0x12 3",
                               "R W",    "0x-1234", std::string(500, 'A')};
    for (const std::string& text : bad) {
        file.SetString(kSection, "0x10", text);
        EXPECT_EQ(reg.LoadValue(file, {}), ValueLoad::Unusable) << text;
        EXPECT_EQ(reg.GetValue(), 0x1111U) << text;
        EXPECT_TRUE(reg.IsValid()) << text;
    }
    EXPECT_TRUE(driver.calls.empty());

    file.SetString(kSection, "0x10", "0xXXXX");
    EXPECT_EQ(reg.LoadValue(file, {}), ValueLoad::Taken);
    EXPECT_FALSE(reg.IsValid());

    file.SetString(kSection, "0x10", "0xBEEF");
    EXPECT_EQ(reg.LoadValue(file, TransferFlag::Simulation), ValueLoad::Taken);
    EXPECT_EQ(reg.GetValue(), 0xBEEFU);
    EXPECT_TRUE(driver.calls.empty());

    CShadowReg& absent = Add(0x40, 1, AccessType::Both);
    EXPECT_EQ(absent.LoadValue(file, {}), ValueLoad::Missing);
}

TEST_F(RegisterValuesLineTest, LinesOfAnyContentLoadSafely) {
    CShadowReg* regs[] = {&Add(0x01, 1, AccessType::Read), &Add(0x01, 2, AccessType::Write),
                          &Add(0x01, 3, AccessType::Status), &Add(0x01, 4, AccessType::Both)};
    std::mt19937 random(7);
    const std::string alphabet = "0xX RSWabf19 \t=;\"";
    for (int round = 0; round < 3000; ++round) {
        std::string text(random() % 40, ' ');
        for (char& c : text) {
            c = alphabet[random() % alphabet.size()];
        }
        file.SetString(kSection, "0x01", text);
        for (CShadowReg* reg : regs) {
            EXPECT_NE(reg->LoadValue(file, TransferFlag::Simulation), ValueLoad::Missing);
            const uint32_t room = 0xFFFFFFFFU >> (8 * (4 - reg->GetDataLength()));
            EXPECT_EQ(reg->GetValue() & ~room, 0U) << text;
        }
    }
}

TEST_F(RegisterValuesLineTest, OddSharedLinesDoNotReachOutsideTheText) {
    CShadowReg& writeOnly = Add(0x01, 1, AccessType::Write);
    CShadowReg& readOnly = Add(0x02, 1, AccessType::Read);
    for (const char* text : {" ", "x ", "0x12R ", " 0x34W", "R S W  ", "0x12R 0x3"}) {
        file.SetString(kSection, "0x01", text);
        file.SetString(kSection, "0x02", text);
        EXPECT_NE(writeOnly.LoadValue(file, {}), ValueLoad::Missing) << text;
        EXPECT_NE(readOnly.LoadValue(file, {}), ValueLoad::Missing) << text;
    }
    EXPECT_FALSE(writeOnly.IsValid());
    file.SetString(kSection, "0x02", "0x12R 0x3");
    EXPECT_EQ(readOnly.LoadValue(file, {}), ValueLoad::Taken);
    EXPECT_EQ(readOnly.GetValue(), 0x12U);
}

TEST_F(RegisterValuesLineTest, AFailedWriteOfALoadedValueIsReported) {
    CShadowReg& reg = Add(0x10, 1, AccessType::Both);
    file.SetString(kSection, "0x10", "0x42");
    driver.failWrites = true;
    EXPECT_EQ(reg.LoadValue(file, {}), ValueLoad::WriteFailed);
    ASSERT_EQ(host.lines.size(), 1U);
    EXPECT_EQ(host.lines[0].text, "driver error D05: cannot write to address 0x10 : bus timeout");
}

} // namespace
} // namespace vek
