#include "model/bit_item.h"
#include "model/byte_item.h"
#include "model/refresh_round.h"
#include "model/register_context.h"
#include "model/shadow_reg.h"
#include "model/shadow_reg_list.h"
#include "model_fakes.h"
#include "platform/recording_host.h"
#include "test_driver.h"

#include <gtest/gtest.h>

#include <vector>

namespace vek {
namespace {

using test::DriverCall;
using test::Layout;
using Fn = DriverCall::Function;

class RefreshRoundTest : public ::testing::Test {
protected:
    CShadowReg* Add(ShadowRegList& list, const char* device, const ShadowRegLayout& layout) {
        CShadowReg* reg = list.Insert(CShadowReg::Create(layout));
        reg->SetDriver(&entries, "tapdrv32", device);
        reg->SetContext(&context);
        return reg;
    }

    test::TestDriver driver;
    DriverEntryPoints entries = driver.EntryPoints();
    RecordingHost host;
    RegisterContext context{&host, false};
    ShadowRegList chip;
    ShadowRegList sensor;
};

TEST_F(RefreshRoundTest, ReadsEachChosenRegisterOnceByDeviceAndAddressSkippingWhatItMayNotRead) {
    test::runsAsked.clear();
    entries.readMany = test::RecordRun;
    CShadowReg* c3 = Add(chip, "Chip", Layout({0x03}, 1));
    CShadowReg* c1 = Add(chip, "Chip", Layout({0x01}, 1));
    CShadowReg* c2 = Add(chip, "Chip", Layout({0x02}, 1));
    CShadowReg* fifo = Add(chip, "Chip", Layout({0x04}, 1));
    fifo->MarkReadEffects();
    CShadowReg* command = Add(chip, "Chip", Layout({0x05}, 1, AccessType::Write));
    CShadowReg* s1 = Add(sensor, "Sensor", Layout({0x01}, 1));
    // Chosen twice (a register and its bit field), out of order, across two devices.
    RefreshRound round({s1, c3, fifo, c1, command, c3, c2, s1});
    EXPECT_EQ(round.Size(), 4U);
    EXPECT_EQ(round.PassedOver(), 1);
    EXPECT_FALSE(round.Done());

    // One call per device, never one that mixes them, in address order.
    EXPECT_TRUE(round.ReadNext(10, {}));
    ASSERT_EQ(test::runsAsked.size(), 1U);
    EXPECT_EQ(test::runsAsked[0], (std::vector<uint8_t>{0x01, 0x02, 0x03}));
    ASSERT_EQ(driver.Calls(Fn::GetReg).size(), 1U); // the sensor's register alone
    EXPECT_EQ(c1->GetValue(), 0x40U);
    EXPECT_EQ(c3->GetValue(), 0x42U);
    EXPECT_TRUE(s1->IsValid());
    EXPECT_FALSE(fifo->IsValid());
    EXPECT_EQ(round.Failures(), 0);
}

TEST_F(RefreshRoundTest, ReadsInSlicesAndKeepsTheLastFailure) {
    std::vector<CShadowReg*> chosen;
    for (uint8_t address = 1; address <= 5; ++address)
        chosen.push_back(Add(chip, "Chip", Layout({address}, 1)));
    RefreshRound round(chosen);
    EXPECT_FALSE(round.ReadNext(2, {}));
    EXPECT_EQ(driver.Calls(Fn::GetReg).size(), 2U);
    driver.failReads = true;
    EXPECT_FALSE(round.ReadNext(2, {}));
    EXPECT_TRUE(round.ReadNext(2, {}));
    EXPECT_TRUE(round.Done());
    EXPECT_EQ(driver.Calls(Fn::GetReg).size(), 5U);
    EXPECT_EQ(round.Failures(), 3);
    EXPECT_EQ(round.LastError(), chosen[4]->GetLastError());
    EXPECT_FALSE(round.LastError().empty());

    // An empty round is done before it starts.
    RefreshRound none({});
    EXPECT_TRUE(none.Done());
    EXPECT_TRUE(none.ReadNext(1, {}));
}

TEST_F(RefreshRoundTest, AnItemBringsTheRegistersThatHoldItsValue) {
    CShadowReg* high = Add(chip, "Chip", Layout({0x10}, 1));
    CShadowReg* low = Add(chip, "Chip", Layout({0x11}, 1));
    CByteItem joined;
    CByteItem::Part part;
    part.width = 8;
    ASSERT_TRUE(joined.AddPart(part));
    ASSERT_TRUE(joined.AddPart(part));
    joined.SetPartShadowReg(0, high);
    joined.SetPartShadowReg(1, low);
    CBitItem field;
    field.SetShadowReg(low);
    CBitItem unbound; // a bit field whose driver was not bound
    std::vector<CShadowReg*> registers;
    RefreshRound::AddRegistersOf(joined, registers);
    RefreshRound::AddRegistersOf(field, registers);
    RefreshRound::AddRegistersOf(unbound, registers);
    EXPECT_EQ(registers, (std::vector<CShadowReg*>{high, low, low}));
}

} // namespace
} // namespace vek
