// Write Now, Write Default, Read Now and single-register transfers through the test driver.
#include "board_description.h"
#include "test_driver_library.h"

#include "document/vek_doc.h"
#include "model/item_list.h"
#include "model/shadow_reg.h"
#include "model/var_item.h"
#include "platform/recording_host.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vek {
namespace {

using test::TestDriverLibrary;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// One driver call as the tests compare it: kind, address bytes (least significant first), data.
struct Call {
    int kind;
    std::vector<unsigned char> address;
    uint32_t data;
    bool operator==(const Call&) const = default;
};

void PrintTo(const Call& call, std::ostream* out) {
    *out << "{" << call.kind << ", [";
    for (unsigned char byte : call.address) {
        *out << " " << std::hex << int{byte};
    }
    *out << " ], 0x" << std::hex << call.data << "}";
}

std::vector<Call> Transfers(const TestDriverLibrary& driver) {
    std::vector<Call> calls;
    for (const TestDriverCall& call : driver.Calls()) {
        if (call.kind == TestCallSet || call.kind == TestCallGet) {
            calls.push_back({call.kind,
                             std::vector<unsigned char>(call.addr, call.addr + call.addrLen),
                             call.data});
        }
    }
    return calls;
}

Call Set(std::vector<unsigned char> address, uint32_t data) {
    return {TestCallSet, std::move(address), data};
}

Call Get(std::vector<unsigned char> address, uint32_t data) {
    return {TestCallGet, std::move(address), data};
}

CVarItem& Item(const CVekDoc& doc, const std::string& name) {
    for (CLineItem& item : *doc.GetItems()) {
        if (item.GetName() == name) {
            return dynamic_cast<CVarItem&>(item);
        }
    }
    throw std::runtime_error("no item " + name);
}

class RegisterTransfer : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(doc.OpenDocument(folder.Write("board.vek", test::BoardDescription())))
            << ::testing::PrintToString(host.Texts());
        host.lines.clear();
        host.ledStates.clear();
        driver.Reset();
    }

    TestDriverLibrary driver;
    test::TempFolder folder;
    RecordingHost host;
    CVekDoc doc{host};
};

TEST_F(RegisterTransfer, WriteNowBeforeAnyReadWritesOnlyProtectedRegisters) {
    EXPECT_EQ(doc.WriteAll({}), 7);
    const std::string d07 = "driver error D07: no valid data to write to address ";
    EXPECT_THAT(host.Texts(),
                ElementsAre(d07 + "0x1000", d07 + "0x1003", d07 + "0x1008", d07 + "0x100a",
                            d07 + "0x100b", d07 + "0x100c", d07 + "0x40"));
    EXPECT_TRUE(host.lines[0].show);
    EXPECT_FALSE(host.lines[1].show);
    EXPECT_THAT(Transfers(driver), ElementsAre(Set({0x04, 0x10}, 0x33)));
}

TEST_F(RegisterTransfer, WriteDefaultSkipsReadAndStatusAndFollowsTheByteOrder) {
    EXPECT_EQ(doc.WriteAll(TransferFlag::WriteDefault), 0);
    EXPECT_THAT(host.Texts(), IsEmpty());
    EXPECT_THAT(Transfers(driver), ElementsAre(Set({0x00, 0x10}, 0x5A), Set({0x03, 0x10}, 0x22),
                                               Set({0x04, 0x10}, 0x33), Set({0x08, 0x10}, 0x3412),
                                               Set({0x0A, 0x10}, 0x12), Set({0x0B, 0x10}, 0x34),
                                               Set({0x0C, 0x10}, 0x00), Set({0x40}, 0x04030201)));
    EXPECT_FALSE(host.ledStates.empty());
    // Afterwards the current values are known: Write Now writes them all.
    driver.Reset();
    EXPECT_EQ(doc.WriteAll({}), 0);
    EXPECT_EQ(driver.Calls(TestCallSet).size(), 8u);
}

TEST_F(RegisterTransfer, ReadNowSkipsWriteRegistersAndRebuildsValuesByByteOrder) {
    driver.SetRegister({0x00, 0x10}, 0xA5);
    driver.SetRegister({0x08, 0x10}, 0x3412);
    driver.SetRegister({0x0A, 0x10}, 0xAB);
    driver.SetRegister({0x0B, 0x10}, 0xCD);
    driver.SetRegister({0x0C, 0x10}, 0x77);
    driver.SetRegister({0x40}, 0x04030201);
    EXPECT_EQ(doc.ReadAll(), 0);
    std::vector<std::vector<unsigned char>> read;
    for (const Call& call : Transfers(driver)) {
        EXPECT_EQ(call.kind, TestCallGet);
        read.push_back(call.address);
    }
    EXPECT_THAT(
        read,
        ElementsAre(std::vector<unsigned char>{0x00, 0x10}, std::vector<unsigned char>{0x01, 0x10},
                    std::vector<unsigned char>{0x02, 0x10}, std::vector<unsigned char>{0x04, 0x10},
                    std::vector<unsigned char>{0x08, 0x10}, std::vector<unsigned char>{0x0A, 0x10},
                    std::vector<unsigned char>{0x0B, 0x10}, std::vector<unsigned char>{0x0C, 0x10},
                    std::vector<unsigned char>{0x40}));
    EXPECT_EQ(Item(doc, "CTRL").GetValue(), 0xA5u);
    EXPECT_EQ(Item(doc, "EN").GetValue(), 1u);
    EXPECT_EQ(Item(doc, "WIDE").GetValue(), 0x1234u);
    EXPECT_EQ(Item(doc, "RD").GetValue(), 0x77u);
    EXPECT_EQ(Item(doc, "JOINED").GetValue(), 0xABCDu); // the first part is the high byte
    EXPECT_EQ(Item(doc, "BIG").GetValue(), 0x01020304u);
    EXPECT_FALSE(doc.CollectRegisters("", "CHIP")->at(3)->IsValid()); // WO was never read
}

TEST_F(RegisterTransfer, AFailingAddressIsReportedOnceAndTheRunGoesOn) {
    driver.FailAddress({0x00, 0x10});
    EXPECT_EQ(doc.ReadAll(), 1);
    EXPECT_THAT(host.Texts(),
                ElementsAre("driver error D06: cannot read from address 0x1000 : no acknowledge"));
    EXPECT_TRUE(host.lines[0].show);
    EXPECT_EQ(driver.Calls(TestCallGet).size(), 9u);

    host.lines.clear();
    EXPECT_EQ(doc.WriteAll(TransferFlag::WriteDefault), 1);
    EXPECT_THAT(host.Texts(),
                ElementsAre("driver error D05: cannot write to address 0x1000 : no acknowledge"));
    EXPECT_EQ(driver.Calls(TestCallSet).size(), 8u);

    // A value set by the user is known even when the device refuses it.
    Item(doc, "CTRL").SetValue(0x42);
    host.lines.clear();
    EXPECT_FALSE(doc.WriteRegister(Item(doc, "CTRL")));
    ASSERT_FALSE(host.lines.empty());
    EXPECT_EQ(host.lines.back().text,
              "driver error D05: cannot write to address 0x1000 : no acknowledge");
    EXPECT_TRUE(host.lines.back().show);
}

TEST_F(RegisterTransfer, MacrosRunAroundSingleTransfersUntilSwitchedOff) {
    driver.SetRegister({0x00, 0x10}, 0x42);
    driver.SetRegister({0x01, 0x10}, 0x09);
    ASSERT_TRUE(doc.ReadRegister(Item(doc, "CTRL")));
    // After the read, Count = STAT reads the STATUS register from the device.
    EXPECT_THAT(Transfers(driver), ElementsAre(Get({0x00, 0x10}, 0x42), Get({0x01, 0x10}, 0x09)));
    EXPECT_EQ(Item(doc, "Count").GetValue(), 0x09u);

    driver.Reset();
    ASSERT_TRUE(doc.WriteRegister(Item(doc, "CTRL")));
    EXPECT_THAT(Transfers(driver),
                ElementsAre(Set({0x03, 0x10}, 1), Set({0x00, 0x10}, 0x42), Set({0x03, 0x10}, 2)));

    doc.ToggleWriteMacros();
    doc.ToggleReadMacros();
    EXPECT_EQ(doc.GetFlags(), MacroFlags());
    driver.Reset();
    ASSERT_TRUE(doc.WriteRegister(Item(doc, "CTRL")));
    ASSERT_TRUE(doc.ReadRegister(Item(doc, "EN")));
    EXPECT_THAT(Transfers(driver), ElementsAre(Set({0x00, 0x10}, 0x42), Get({0x00, 0x10}, 0x42)));

    doc.ToggleWriteMacros();
    doc.ToggleReadMacros();
    EXPECT_EQ(doc.GetFlags(), MacroFlag::ReadMacros | MacroFlag::WriteMacros);
    driver.Reset();
    ASSERT_TRUE(doc.WriteRegister(Item(doc, "EN")));
    EXPECT_EQ(driver.Calls(TestCallSet).size(), 3u);
}

TEST_F(RegisterTransfer, SimulationTransfersWithoutAnyDriverCall) {
    doc.ToggleSimulation();
    EXPECT_TRUE(doc.IsSimulation());
    EXPECT_EQ(doc.WriteAll(TransferFlag::WriteDefault), 0);
    EXPECT_EQ(doc.ReadAll(), 0);
    EXPECT_EQ(doc.WriteAll({}), 0);
    Item(doc, "CTRL").SetValue(0x99);
    EXPECT_TRUE(doc.WriteRegister(Item(doc, "CTRL")));
    EXPECT_TRUE(doc.ReadRegister(Item(doc, "JOINED")));
    EXPECT_EQ(Item(doc, "WIDE").GetValue(), 0x1234u);
    EXPECT_EQ(Item(doc, "CTRL").GetValue(), 0x99u);
    EXPECT_THAT(driver.Calls(), IsEmpty());
    EXPECT_THAT(host.Texts(), IsEmpty());
    doc.ToggleSimulation();
    EXPECT_FALSE(doc.IsSimulation());
    EXPECT_THAT(host.ledStates, ElementsAre(LedState::BlinkRed, LedState::SteadyDark));
}

TEST(OverlappingRegisters, AWriteOrReadOfOneRegisterUpdatesItsNeighbours) {
    TestDriverLibrary driver;
    test::TempFolder folder;
    RecordingHost host;
    CVekDoc doc(host);
    // 2-byte registers one byte apart: each shares a byte with the next.
    ASSERT_TRUE(doc.OpenDocument(folder.Write("mem.vek", R"(#BeginRegisterList "testdrv.dll"
0: MEM A1 D2.1;
1: W0 [0x00] = 0 b;
1: W1 [0x01] = 0 b;
1: W2 [0x02] = 0 b;
#EndRegisterList
)"))) << ::testing::PrintToString(host.Texts());
    Item(doc, "W0").SetValue(0xABCD);
    EXPECT_EQ(driver.Register({0x00}), 0xABCDu);
    EXPECT_EQ(Item(doc, "W1").GetValue() & 0xFF, 0xABu);

    driver.SetRegister({0x02}, 0x1234);
    ASSERT_TRUE(doc.ReadRegister(Item(doc, "W2")));
    EXPECT_EQ(Item(doc, "W1").GetValue(), 0x34ABu);
    EXPECT_EQ(Item(doc, "W0").GetValue(), 0xABCDu);
}

} // namespace
} // namespace vek
