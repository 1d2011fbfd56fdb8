#include "chip_settings.h"

#include "platform/number_text.h"
#include "qbr18_32.h"
#include "register_map_entries.h"
#include "simulated_qbr7318.h"

#include <gtest/gtest.h>

#include <random>

namespace vek {
namespace {

// The width masks the chip gives for offsets, as "offset=mask" texts in hexadecimal.
std::vector<std::string> Masks(const SimulatedQbr7318& chip,
                               std::initializer_list<uint16_t> offsets) {
    std::vector<std::string> masks;
    for (const uint16_t offset : offsets) {
        masks.push_back(HexText(offset, 2) + "=" + HexText(chip.RegisterMask(offset), 1));
    }
    return masks;
}

using Texts = std::vector<std::string>;

TEST(ChipSettingsTest, TheDeliveredChipHasTheDocumentedMap) {
    const SimulatedQbr7318 chip(ReadChipSettings(ProfileFile()));
    EXPECT_TRUE(chip.Answers(0, kQbr7318DeviceId, kQbr7318VendorId));
    EXPECT_FALSE(chip.Answers(1, kQbr7318DeviceId, kQbr7318VendorId));
    EXPECT_FALSE(chip.Answers(0, 0x1234, kQbr7318VendorId));
    EXPECT_EQ(chip.Read(0x00), kQbr7318VendorId);
    EXPECT_EQ(chip.Read(0x02), kQbr7318DeviceId);
    EXPECT_EQ(Masks(chip, {0x00, 0x08, 0x10, 0x4D, 0x7C, 0x01, 0x80}),
              (Texts{"00=ffff", "08=ff", "10=ffffffff", "4d=ff", "7c=ffffffff", "01=0", "80=0"}));
}

TEST(ChipSettingsTest, RegistersKeepTheBitsOfTheirWidth) {
    SimulatedQbr7318 chip(ReadChipSettings(ProfileFile()));
    chip.Write(0x04, 0x12345678);
    EXPECT_EQ(chip.Read(0x04), 0x5678u);
    chip.Write(0x81, 1); // no register there
    EXPECT_EQ(chip.Read(0x81), 0u);
}

TEST(ChipSettingsTest, TheFileAdjustsPresenceIdentifiersMapAndValues) {
    const auto settings =
        ReadChipSettings(ProfileFile::Parse("[Chip]\nPresent=0\nVendorId=0x1234\nDeviceId=0x5678\n"
                                            "[Registers]\n0x80-0x8F=4\n0x04=4\n0x60-0x7F=0\n"
                                            "[RegisterValues]\n0x84=0xCAFEF00D\n0x08=0x1FF\n"
                                            "[I2CBus]\nDevices=0x21\n"));
    EXPECT_FALSE(settings.present);
    SimulatedQbr7318 chip(settings);
    EXPECT_FALSE(chip.Answers(0, 0x5678, 0x1234));
    EXPECT_EQ(chip.Read(0x00), 0x1234u);
    EXPECT_EQ(chip.Read(0x02), 0x5678u);
    EXPECT_EQ(Masks(chip, {0x80, 0x8C, 0x82, 0x04, 0x60}),
              (Texts{"80=ffffffff", "8c=ffffffff", "82=0", "04=ffffffff", "60=0"}));
    EXPECT_EQ(chip.Read(0x84), 0xCAFEF00Du);
    EXPECT_EQ(chip.Read(0x08), 0xFFu); // cut to the register's width
    EXPECT_NE(chip.I2cBus().Find(0x21), nullptr);
    EXPECT_EQ(chip.I2cBus().Find(0x50), nullptr);
    EXPECT_TRUE(settings.problems.empty());
}

TEST(ChipSettingsTest, FaultyEntriesAreReported) {
    const auto settings = ReadChipSettings(
        ProfileFile::Parse("[Chip]\nVendorId=0x12345\n[Registers]\n0x90=3\nzz=1\n0x20-0x10=4\n"
                           "[RegisterValues]\n0x01=1\n0x40=x\n"));
    EXPECT_EQ(settings.vendorId, kQbr7318VendorId);
    EXPECT_EQ(settings.problems,
              (Texts{"bad VendorId '0x12345'", "bad register entry '0x90=3'",
                     "bad register entry 'zz=1'", "bad register entry '0x20-0x10=4'",
                     "bad register value '0x01=1'", "bad register value '0x40=x'"}));
}

// Entries applied one after the other, each over every offset it reaches: the meaning that the
// quicker application must keep.
std::map<uint16_t, ChipRegister> AppliedInTurn(const std::vector<RegisterMapEntry>& entries,
                                               std::map<uint16_t, ChipRegister> registers) {
    for (const RegisterMapEntry& entry : entries) {
        const int step = entry.width == 0 ? 1 : entry.width;
        for (int offset = entry.first; offset <= entry.last; offset += step) {
            if (entry.width == 0)
                registers.erase(static_cast<uint16_t>(offset));
            else
                registers[static_cast<uint16_t>(offset)] = ChipRegister{entry.width, 0};
        }
    }
    return registers;
}

TEST(ChipSettingsTest, OverlappingRangesEndAsIfAppliedOneAfterTheOther) {
    std::mt19937 random(19);
    const ChipSettings delivered = ReadChipSettings(ProfileFile());
    constexpr int kWidths[] = {0, 1, 2, 4};
    for (int round = 0; round < 12; ++round) {
        std::vector<RegisterMapEntry> entries;
        for (int i = 0; i < 20; ++i) {
            // Small offsets, so that the ranges overlap the delivered map and each other, and a
            // range up to the last offset.
            const auto first = static_cast<uint16_t>(random() % 0x100);
            const auto last = static_cast<uint16_t>(i == 7 ? 0xFFFF : first + random() % 0x40);
            entries.push_back({first, last, kWidths[random() % 4]});
        }
        std::map<uint16_t, ChipRegister> registers = delivered.registers;
        ApplyRegisterMapEntries(entries, registers);
        const auto expected = AppliedInTurn(entries, delivered.registers);
        ASSERT_EQ(registers.size(), expected.size()) << "round " << round;
        for (const auto& [offset, chipRegister] : expected) {
            ASSERT_EQ(registers.count(offset), 1u) << "round " << round << " offset " << offset;
            EXPECT_EQ(registers[offset].width, chipRegister.width);
            EXPECT_EQ(registers[offset].value, chipRegister.value);
        }
    }
}

TEST(ChipSettingsTest, AnEntryInASectionOfItsOwnCountsAsInOne) {
    const auto settings = ReadChipSettings(ProfileFile::Parse(
        "[Registers]\n0x90=2\n[RegisterValues]\n0x90=0x1234\n[Registers]\n0x94=1\n"
        "[RegisterValues]\n0x94=0x56\n[Registers]\n0x90=1\n"));
    SimulatedQbr7318 chip(settings);
    // The first line of a key counts, as everywhere in a profile file.
    EXPECT_EQ(Masks(chip, {0x90, 0x94}), (Texts{"90=ffff", "94=ff"}));
    EXPECT_EQ(chip.Read(0x90), 0x1234u);
    EXPECT_EQ(chip.Read(0x94), 0x56u);
}

} // namespace
} // namespace vek
