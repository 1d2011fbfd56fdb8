#include "model/register_context.h"
#include "model/shadow_reg.h"
#include "model/shadow_reg_list.h"
#include "model/transfer_csv.h"
#include "model/transfer_log.h"
#include "model_fakes.h"
#include "platform/recording_host.h"
#include "test_driver.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vek {
namespace {

using test::Layout;
using ::testing::MatchesRegex;

class TransferLogTest : public ::testing::Test {
protected:
    TransferLogTest() {
        context.transferred = [this](const CShadowReg& reg, UpdateCode direction, bool done) {
            log.Add(reg, direction, done);
        };
    }

    CShadowReg& Add(const ShadowRegLayout& layout, std::string_view device, std::string_view name) {
        CShadowReg* reg = list.Insert(CShadowReg::Create(layout));
        reg->SetDriver(&entries, "tapdrv32", device);
        reg->SetContext(&context);
        auto& item = items.emplace_back(std::make_unique<test::RecordingItem>());
        item->SetName(test::TestText(name));
        reg->AddItem(item.get());
        return *reg;
    }

    bool Write(CShadowReg& reg, uint32_t value) {
        reg.SetValue(value);
        return reg.Write({});
    }

    std::chrono::steady_clock::time_point now{};
    TransferLog log{3, [this] { return now; }};
    test::TestDriver driver;
    DriverEntryPoints entries = driver.EntryPoints();
    RecordingHost host;
    RegisterContext context{&host, false};
    ShadowRegList list;
    std::vector<std::unique_ptr<test::RecordingItem>> items;
};

TEST_F(TransferLogTest, TheRingKeepsTheNewestCountsTheDroppedAndGoesOnThroughClear) {
    CShadowReg& reg = Add(Layout({0x10}, 1), "Chip", "CTRL");
    EXPECT_TRUE(Write(reg, 0x01));
    EXPECT_EQ(log.End(), 0U) << "nothing is logged before the log starts";

    log.Start();
    for (uint32_t value = 1; value <= 5; ++value) {
        now += std::chrono::microseconds(1500);
        EXPECT_TRUE(Write(reg, value));
    }
    EXPECT_EQ(log.Oldest(), 2U);
    EXPECT_EQ(log.End(), 5U);
    EXPECT_EQ(log.Dropped(), 2U);
    EXPECT_EQ(log.At(2).value, 3U);
    EXPECT_EQ(log.At(4).value, 5U);
    EXPECT_EQ(log.At(4).microseconds, 7500U);
    EXPECT_TRUE(log.At(4).write);

    log.Clear();
    EXPECT_EQ(log.Oldest(), 5U);
    EXPECT_EQ(log.End(), 5U);
    EXPECT_EQ(log.Dropped(), 0U);
    EXPECT_TRUE(reg.Read({}));
    EXPECT_EQ(log.End(), 6U);
    EXPECT_FALSE(log.At(5).write);
    EXPECT_EQ(log.Dropped(), 0U);
}

TEST_F(TransferLogTest, RecordsNameTheirRegisterAndFailuresTheirReason) {
    CShadowReg& ctrl = Add(Layout({0x10, 0x02}, 2), "Chip, rev \"B\"", "CTRL");
    CShadowReg& status = Add(Layout({0x11, 0x02}, 1), "Chip, rev \"B\"", "STATUS");
    log.Start();
    EXPECT_TRUE(Write(ctrl, 0x1234));
    driver.failReads = true;
    EXPECT_FALSE(status.Read({}));
    ASSERT_EQ(log.End(), 2U);

    const TransferSource& first = log.SourceOf(log.At(0));
    EXPECT_EQ(first.driver, "tapdrv32");
    EXPECT_EQ(first.reg, "CTRL");
    EXPECT_EQ(first.address, "0x0210");
    EXPECT_EQ(log.FailureOf(log.At(0)), "");
    EXPECT_EQ(log.SourceOf(log.At(1)).reg, "STATUS");
    EXPECT_EQ(log.FailureOf(log.At(1)),
              "driver error D06: cannot read from address 0x0211 : bus timeout");

    // What the list shows, in the radix chosen; a failed read has no value.
    const std::string csv = TransferCsv(log, {0, 1}, 2);
    const std::vector<std::string> lines = [&csv] {
        std::vector<std::string> split;
        for (std::size_t at = 0, end; (end = csv.find('\n', at)) != std::string::npos; at = end + 1)
            split.push_back(csv.substr(at, end - at));
        return split;
    }();
    ASSERT_EQ(lines.size(), 3U);
    EXPECT_EQ(lines[0],
              "Time (ms),Wall time,Driver,Device,Register,Address,Direction,Value,Status");
    EXPECT_THAT(lines[1], MatchesRegex("0\\.000,[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9:]{8}\\.[0-9]{3},"
                                       "tapdrv32,\"Chip, rev \"\"B\"\"\",CTRL,0x0210,W,"
                                       "0001001000110100,ok"));
    EXPECT_THAT(lines[2], MatchesRegex(".*,STATUS,0x0211,R,,driver error D06: cannot read from "
                                       "address 0x0211 : bus timeout"));
}

TEST(TransferValueText, GivesEveryByteItsDigitsInEachRadix) {
    EXPECT_EQ(TransferValueText(0x7, 1, 16), "0x07");
    EXPECT_EQ(TransferValueText(0xbeef, 4, 16), "0x0000beef");
    EXPECT_EQ(TransferValueText(0xbeef, 2, 10), "48879");
    EXPECT_EQ(TransferValueText(0x5, 1, 2), "00000101");
}

} // namespace
} // namespace vek
