#include "model/register_context.h"
#include "model/shadow_reg.h"
#include "model/shadow_reg_list.h"
#include "model/shadow_reg_reads.h"
#include "model_fakes.h"
#include "platform/recording_host.h"
#include "test_driver.h"

#include <gtest/gtest.h>

#include <vector>

namespace vek {
namespace {

using test::DriverCall;
using Fn = DriverCall::Function;

using test::Layout;

class ShadowRegTest : public ::testing::Test {
protected:
    CShadowReg& Add(const ShadowRegLayout& layout) {
        CShadowReg* reg = list.Insert(CShadowReg::Create(layout));
        reg->SetDriver(&entries, "tapdrv32", "Chip");
        reg->SetContext(&context);
        return *reg;
    }

    test::TestDriver driver;
    DriverEntryPoints entries = driver.EntryPoints();
    RecordingHost host;
    RegisterContext context{&host, false};
    ShadowRegList list;
};

TEST_F(ShadowRegTest, WritePassesAddressAndValueBytesInByteOrder) {
    CShadowReg& one = Add(Layout({0x05, 0x01}, 1));
    EXPECT_EQ(one.AddressText(), "0x0105");
    one.SetValue(0xA5);
    ASSERT_TRUE(one.Write({}));
    auto calls = driver.Calls(Fn::SetReg);
    ASSERT_EQ(calls.size(), 1U);
    EXPECT_EQ(calls[0].addrLen, 2);
    EXPECT_EQ(calls[0].dataLen, 1);
    EXPECT_EQ(calls[0].address, (std::vector<uint8_t>{0x05, 0x01}));
    EXPECT_EQ(calls[0].data[0], 0xA5);

    struct Case {
        uint16_t length;
        std::string order;
        std::array<uint8_t, 4> expected;
    };
    const Case cases[] = {
        {2, "12", {0x44, 0x33, 0, 0}},         {2, "21", {0x33, 0x44, 0, 0}},
        {3, "321", {0x22, 0x33, 0x44, 0}},     {3, "132", {0x44, 0x22, 0x33, 0}},
        {4, "1234", {0x44, 0x33, 0x22, 0x11}}, {4, "4321", {0x11, 0x22, 0x33, 0x44}},
        {4, "3412", {0x22, 0x11, 0x44, 0x33}},
    };
    for (const Case& c : cases) {
        driver.calls.clear();
        CShadowReg& reg = Add(Layout({0x10}, c.length, AccessType::Both, c.order));
        reg.SetValue(0x11223344U & (0xFFFFFFFFU >> (8 * (4 - c.length))));
        ASSERT_TRUE(reg.Write({}));
        const auto written = driver.Calls(Fn::SetReg);
        ASSERT_EQ(written.size(), 1U);
        for (int i = 0; i < c.length; ++i) {
            EXPECT_EQ(written[0].data[static_cast<std::size_t>(i)],
                      c.expected[static_cast<std::size_t>(i)])
                << "order " << c.order << " byte " << i;
        }
    }
}

TEST_F(ShadowRegTest, ReadRebuildsValueThroughByteOrderAndKeepsOtherBytes) {
    CShadowReg& swapped = Add(Layout({0x20}, 2, AccessType::Both, "21"));
    swapped.SetValue(0xAABBCCDD);
    driver.readBytes = {0x12, 0x34, 0x56, 0x78};
    ASSERT_TRUE(swapped.Read({}));
    EXPECT_EQ(swapped.GetValue(), 0xAABB1234U);
    EXPECT_TRUE(swapped.IsValid());

    CShadowReg& three = Add(Layout({0x30}, 3, AccessType::Both, "231"));
    ASSERT_TRUE(three.Read({}));
    // Buffer byte 0 goes to value byte 2, byte 1 to value byte 3, byte 2 to value byte 1.
    EXPECT_EQ(three.GetValue(), 0x00341256U);
}

TEST_F(ShadowRegTest, MissingByteOrderDigitsKeepTheNaturalOrder) {
    CShadowReg& reg = Add(Layout({0x20}, 2, AccessType::Both, ""));
    reg.SetValue(0x1234);
    ASSERT_TRUE(reg.Write({}));
    EXPECT_EQ(driver.Calls(Fn::SetReg)[0].data, (std::array<uint8_t, 4>{0x34, 0x12, 0, 0}));
}

TEST_F(ShadowRegTest, AccessTypesDecideWhatIsTransferred) {
    CShadowReg& readOnly = Add(Layout({1}, 1, AccessType::Read));
    CShadowReg& status = Add(Layout({2}, 1, AccessType::Status));
    CShadowReg& writeOnly = Add(Layout({3}, 1, AccessType::Write));
    readOnly.SetValue(1);
    status.SetValue(1);
    EXPECT_TRUE(readOnly.Write({}));
    EXPECT_TRUE(readOnly.Write(TransferFlag::WriteDefault));
    EXPECT_TRUE(status.Write(TransferFlag::WriteDefault));
    EXPECT_TRUE(writeOnly.Read({}));
    EXPECT_TRUE(driver.calls.empty());

    ShadowRegLayout prot = Layout({4}, 1, AccessType::Prot);
    prot.defaultValue = 0x5A;
    CShadowReg& protectedReg = Add(prot);
    protectedReg.SetValue(0x01);
    ASSERT_TRUE(protectedReg.Write({}));
    EXPECT_EQ(driver.Calls(Fn::SetReg).at(0).data[0], 0x5A);
    EXPECT_EQ(protectedReg.GetValue(), 0x5AU);
}

TEST_F(ShadowRegTest, SuccessfulTransfersFlashTheLedAndTellTheItems) {
    CShadowReg& reg = Add(Layout({1}, 1));
    test::RecordingItem item;
    reg.AddItem(&item);
    reg.SetValue(3);
    ASSERT_TRUE(reg.Write({}));
    ASSERT_TRUE(reg.Read({}));
    EXPECT_EQ(host.ledStates, (std::vector<LedState>{LedState::Flash, LedState::Flash}));
    ASSERT_EQ(item.updates.size(), 2U);
    EXPECT_EQ(item.updates[0], std::make_pair(&reg, 0x48));
    EXPECT_EQ(item.updates[1], std::make_pair(&reg, 0x28));
}

TEST_F(ShadowRegTest, FailuresKeepTheValueAndExplainThemselves) {
    CShadowReg& reg = Add(Layout({0x05, 0x01}, 1));
    test::RecordingItem item;
    reg.AddItem(&item);

    EXPECT_FALSE(reg.Write({}));
    EXPECT_EQ(reg.GetLastError(), "driver error D07: no valid data to write to address 0x0105");
    EXPECT_TRUE(driver.calls.empty());

    reg.SetValue(0x42);
    driver.failWrites = true;
    EXPECT_FALSE(reg.Write({}));
    EXPECT_EQ(reg.GetLastError(), "driver error D05: cannot write to address 0x0105 : bus timeout");
    driver.failReads = true;
    EXPECT_FALSE(reg.Read({}));
    EXPECT_EQ(reg.GetLastError(),
              "driver error D06: cannot read from address 0x0105 : bus timeout");
    EXPECT_EQ(reg.GetValue(), 0x42U);
    EXPECT_TRUE(reg.IsValid());
    EXPECT_EQ(item.updates.size(), 2U);
    EXPECT_EQ(item.updates[0].second, 0x40);
    EXPECT_EQ(item.updates[1].second, 0x20);
    EXPECT_TRUE(host.ledStates.empty());
}

TEST_F(ShadowRegTest, UnboundDriverAndSimulation) {
    CShadowReg& reg = Add(Layout({1}, 1));
    DriverEntryPoints none;
    reg.SetDriver(&none, "tapdrv32", "Chip");
    reg.SetValue(1);
    EXPECT_FALSE(reg.Write({}));
    EXPECT_EQ(reg.GetLastError(),
              "driver error D08: cannot execute the command, driver is not loaded.");
    EXPECT_FALSE(reg.Read({}));

    test::RecordingItem item;
    CShadowReg& simulated = Add(Layout({2}, 1, AccessType::Prot));
    simulated.AddItem(&item);
    simulated.SetDriver(&none, "tapdrv32", "Chip");
    EXPECT_TRUE(simulated.Read(TransferFlag::Simulation));
    EXPECT_TRUE(simulated.Write(TransferFlag::Simulation));
    EXPECT_TRUE(simulated.IsValid());
    EXPECT_TRUE(driver.calls.empty());
    ASSERT_EQ(item.updates.size(), 2U);
    EXPECT_EQ(item.updates[0].second, 0x28);
    EXPECT_EQ(item.updates[1].second, 0x48);
}

TEST_F(ShadowRegTest, RefusesLayoutsItCannotServe) {
    ShadowRegLayout layout = Layout({1}, 1);
    layout.addressLength = 9;
    EXPECT_EQ(CShadowReg::Create(layout), nullptr);
    layout = Layout({1}, 1);
    layout.dataLength = 5;
    EXPECT_EQ(CShadowReg::Create(layout), nullptr);
    layout.dataLength = 0;
    EXPECT_EQ(CShadowReg::Create(layout), nullptr);
}

TEST_F(ShadowRegTest, ListKeepsAscendingAddressesAndFindsJoinedRegisters) {
    Add(Layout({0x03}, 1));
    Add(Layout({0x01}, 1, AccessType::Read));
    Add(Layout({0x01}, 1, AccessType::Write));
    Add(Layout({0x02}, 1));
    ASSERT_EQ(list.Size(), 4U);
    EXPECT_EQ(list[0].GetAccessType(), AccessType::Read);
    EXPECT_EQ(list[1].GetAccessType(), AccessType::Write);
    EXPECT_EQ(list[2].AddressText(), "0x02");
    const uint8_t address[] = {0x01};
    EXPECT_EQ(list.Find(address, 1, 1, AccessType::Write), &list[1]);
    EXPECT_EQ(list.Find(address, 1, 2, AccessType::Write), nullptr);
    list[1].Join(0x0F, 0x03);
    list[1].Join(0xF0, 0x30);
    EXPECT_EQ(list[1].GetMask(), 0xFFU);
    EXPECT_EQ(list[1].GetDefault(), 0x33U);
}

// A 2-byte register at address 0 of a byte-addressed device overlaps 1-byte registers at 0 and 1.
class OverlapTest : public ShadowRegTest {
protected:
    void SetUp() override {
        ShadowRegLayout wideLayout = Layout({0x00}, 2);
        CShadowReg& w = Add(wideLayout);
        wide = &w;
        low = &Add(Layout({0x00}, 1));
        high = &Add(Layout({0x01}, 1));
        far = &Add(Layout({0x04}, 1));
        wide->AddItem(&wideItem);
        high->AddItem(&highItem);
        far->AddItem(&farItem);
    }

    CShadowReg* wide = nullptr;
    CShadowReg* low = nullptr;
    CShadowReg* high = nullptr;
    CShadowReg* far = nullptr;
    test::RecordingItem wideItem, highItem, farItem;
};

TEST_F(OverlapTest, WriteOfTheHigherByteUpdatesTheWideRegister) {
    wide->SetValue(0x1122);
    high->SetValue(0xAB);
    EXPECT_EQ(wide->GetValue(), 0xAB22U);
    wideItem.updates.clear();
    ASSERT_TRUE(high->Write({}));
    ASSERT_EQ(wideItem.updates.size(), 1U);
    EXPECT_EQ(wideItem.updates[0].second, 0x48);
    EXPECT_TRUE(farItem.updates.empty());
}

TEST_F(OverlapTest, ReadOfTheWideRegisterUpdatesTheHigherByte) {
    driver.readBytes = {0x34, 0x12, 0, 0};
    ASSERT_TRUE(wide->Read({}));
    EXPECT_EQ(high->GetValue(), 0x12U);
    // Equal addresses are not overlaps: the 1-byte register at 0 keeps its value.
    EXPECT_EQ(low->GetValue(), 0U);
    ASSERT_EQ(highItem.updates.size(), 1U);
    EXPECT_EQ(highItem.updates[0].second, 0x28);
    EXPECT_FALSE(high->IsValid());
}

TEST_F(OverlapTest, DefaultWritesLeaveTheNeighboursAlone) {
    ShadowRegLayout layout = Layout({0x01}, 1);
    layout.defaultValue = 0x3C;
    CShadowReg& withDefault = Add(layout);
    withDefault.AddItem(&highItem);
    wide->SetValue(0x1122);
    wideItem.updates.clear();
    ASSERT_TRUE(withDefault.Write(TransferFlag::WriteDefault));
    EXPECT_EQ(withDefault.GetValue(), 0x3CU);
    EXPECT_EQ(driver.Calls(Fn::SetReg).at(0).data[0], 0x3C);
    EXPECT_EQ(wide->GetValue(), 0x1122U);
    EXPECT_TRUE(wideItem.updates.empty());

    // In simulation the default is taken, and the neighbours do follow.
    withDefault.SetValue(0);
    wide->SetValue(0x1122);
    ASSERT_TRUE(withDefault.Write(TransferFlag::WriteDefault | TransferFlag::Simulation));
    EXPECT_EQ(withDefault.GetValue(), 0x3CU);
    EXPECT_EQ(wide->GetValue(), 0x3C22U);
    EXPECT_EQ(driver.Calls(Fn::SetReg).size(), 1U);
}

TEST_F(OverlapTest, OnlyBitsInsideBothMasksAreCopied) {
    ShadowRegLayout nibble = Layout({0x02}, 1);
    nibble.mask = 0x0F;
    ShadowRegLayout fourBytes = Layout({0x00}, 4);
    fourBytes.mask = 0x00FFFFFF;
    CShadowReg& wide4 = Add(fourBytes);
    CShadowReg& partial = Add(nibble);
    wide4.SetValue(0x00000000);
    partial.SetValue(0xFF); // bits 4..7 lie outside its mask
    EXPECT_EQ(wide4.GetValue(), 0x000F0000U);
    wide4.SetValue(0x00A50000);
    EXPECT_EQ(partial.GetValue(), 0x05U);
}

TEST_F(OverlapTest, UpdatesRespectTheNeighboursAccessType) {
    ShadowRegLayout readLayout = Layout({0x11}, 1, AccessType::Read);
    ShadowRegLayout spanning = Layout({0x10}, 2, AccessType::Write);
    CShadowReg& span = Add(spanning);
    CShadowReg& readOnly = Add(readLayout);
    test::RecordingItem readItem;
    readOnly.AddItem(&readItem);
    span.SetValue(0x7700);
    ASSERT_TRUE(span.Write({}));
    EXPECT_EQ(readOnly.GetValue(), 0x77U);
    EXPECT_TRUE(readItem.updates.empty());
}

TEST_F(ShadowRegTest, ReadsOfManyPassOverRegistersWhoseReadChangesTheChipAndCountThem) {
    test::runsAsked.clear();
    entries.readMany = test::RecordRun;
    for (uint8_t address : {0x01, 0x02, 0x03, 0x04, 0x05})
        Add(Layout({address}, 1));
    list[1].MarkReadEffects(); // splits the run: 0x01 alone, then 0x03 and 0x04
    list[4].MarkReadEffects();
    PassedOverReads passedOver;
    int failures = 0;
    ReadRegisters(list, {}, passedOver, [&](const CShadowReg&) { ++failures; });
    EXPECT_EQ(failures, 0);
    ASSERT_EQ(test::runsAsked.size(), 1U);
    EXPECT_EQ(test::runsAsked[0], (std::vector<uint8_t>{0x03, 0x04}));
    const auto single = driver.Calls(Fn::GetReg);
    ASSERT_EQ(single.size(), 1U);
    EXPECT_EQ(single[0].address[0], 0x01);
    EXPECT_TRUE(list[0].IsValid() && list[2].IsValid() && list[3].IsValid());
    EXPECT_FALSE(list[1].IsValid() || list[4].IsValid());
    EXPECT_EQ(passedOver.Count(), 2);
    EXPECT_EQ(passedOver.Notice(),
              "2 registers with read side effects were not read; read them one by one");
    // The register alone is read when asked for.
    EXPECT_TRUE(list[1].Read({}));
    PassedOverReads one;
    EXPECT_TRUE(one.Notice().empty());
    EXPECT_TRUE(one.PassOver(list[1]));
    EXPECT_FALSE(one.PassOver(list[0]));
    EXPECT_EQ(one.Notice(), "1 register with read side effects was not read; read it one by one");
}

} // namespace
} // namespace vek
