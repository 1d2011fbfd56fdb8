// Binding the drivers a description names, through the real test driver library.
#include "board_description.h"
#include "test_driver_library.h"

#include "document/vek_doc.h"
#include "model/driver.h"
#include "model/item_list.h"
#include "model/line_item.h"
#include "model/shadow_reg.h"
#include "platform/recording_host.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vek {
namespace {

using test::BoardDescription;
using test::TestDriverLibrary;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

const std::string kD00 =
    "driver error D00: Not valid driver. Do you want to switch in the simulation mode ?";

std::vector<std::string> AddressTexts(const std::vector<CShadowReg*>& registers) {
    std::vector<std::string> texts;
    for (const CShadowReg* reg : registers) {
        texts.push_back(reg->AddressText());
    }
    return texts;
}

class DriverBinding : public ::testing::Test {
protected:
    std::string WriteBoard(const std::string& driverFile) {
        return folder.Write("board.vek", BoardDescription(driverFile));
    }

    TestDriverLibrary driver;
    test::TempFolder folder;
    RecordingHost host;
};

TEST_F(DriverBinding, ABoundDriverIsOpenedAndClosedWithTheDocument) {
    {
        CVekDoc doc(host);
        ASSERT_TRUE(doc.OpenDocument(WriteBoard("testdrv.dll")));
        EXPECT_TRUE(doc.IsCompiled());
        EXPECT_TRUE(doc.DriverOpened());
        EXPECT_FALSE(doc.IsSimulation());
        EXPECT_EQ(host.clears, 1);
        EXPECT_EQ(host.beeps, 1);
        EXPECT_THAT(host.questions, IsEmpty());
        EXPECT_THAT(host.Texts(),
                    ElementsAre("Parsing...", folder.Path() + "/board.vek", "Linking...",
                                "Loading driver(s)...", "testdrv.dll", "board.vek - 0 error(s)"));
        ASSERT_EQ(doc.GetDrivers().size(), 1u);
        EXPECT_EQ(doc.GetDrivers()[0]->GetName(), "testdrv");
        EXPECT_THAT(driver.Calls(), ::testing::SizeIs(1));
        EXPECT_EQ(driver.Calls()[0].kind, TestCallOpen);

        EXPECT_TRUE(doc.ResetDrivers());
        ASSERT_EQ(driver.Calls().size(), 3u);
        EXPECT_EQ(driver.Calls()[1].kind, TestCallClose);
        EXPECT_EQ(driver.Calls()[2].kind, TestCallOpen);

        // A reset whose open fails says why; in simulation no driver is touched.
        driver.FailOpen(true);
        EXPECT_FALSE(doc.ResetDrivers());
        EXPECT_THAT(host.Texts(),
                    ::testing::Contains(
                        "driver error D03: cannot open the driver : test adapter not present"));
        driver.FailOpen(false);
        doc.ToggleSimulation();
        const std::size_t calls = driver.Calls().size();
        EXPECT_FALSE(doc.ResetDrivers());
        EXPECT_EQ(driver.Calls().size(), calls);
        EXPECT_EQ(host.Texts().back(),
                  "Reset Driver: the document is in simulation mode; no driver was touched");
        doc.ToggleSimulation();
    }
    EXPECT_EQ(driver.Calls().back().kind, TestCallClose);
}

TEST_F(DriverBinding, ShadowRegistersAreJoinedAndInAscendingAddressOrder) {
    // Registers given in falling address order, two items at 0x07 of one access type (joined)
    // and a READ and a WRITE register at 0x05 (kept apart).
    const std::string path = folder.Write("order.vek", R"(#BeginRegisterList "testdrv.dll"
0: DEV A1 D1;
1: HIGH [0x09] = 0x80 b;
1: LOW_NIBBLE [0x07] & 0x0F = 0x3 b;
1: HIGH_NIBBLE [0x07] & 0xF0 = 0x4 b;
   TOP [0x07] & 0x80;
1: IN [0x05] = 0 r;
1: OUT [0x05] = 0 w;
1: FIRST [0x01] = 0 b;
#EndRegisterList
)");
    CVekDoc doc(host);
    ASSERT_TRUE(doc.OpenDocument(path)) << ::testing::PrintToString(host.Texts());
    const auto registers = doc.CollectRegisters("", "");
    ASSERT_TRUE(registers.has_value());
    EXPECT_THAT(AddressTexts(*registers), ElementsAre("0x01", "0x05", "0x05", "0x07", "0x09"));
    EXPECT_EQ((*registers)[1]->GetAccessType(), AccessType::Read);
    EXPECT_EQ((*registers)[2]->GetAccessType(), AccessType::Write);
    const CShadowReg& joined = *(*registers)[3];
    EXPECT_EQ(joined.GetMask(), 0xFFu);
    EXPECT_EQ(joined.GetDefault(), 0x43u);
    EXPECT_EQ(joined.GetItems().size(), 3u); // both registers and the bit field
    EXPECT_EQ(joined.GetDriverName(), "testdrv");
    EXPECT_EQ(joined.GetDeviceName(), "DEV");
}

TEST_F(DriverBinding, CollectRegistersTakesDriversAndDevicesByName) {
    CVekDoc doc(host);
    ASSERT_TRUE(doc.OpenDocument(WriteBoard("testdrv.dll")));
    EXPECT_EQ(doc.CollectRegisters("", "")->size(), 11u);
    EXPECT_EQ(doc.CollectRegisters("testdrv", "")->size(), 11u);
    EXPECT_THAT(AddressTexts(*doc.CollectRegisters("", "OTHER")), ElementsAre("0x40"));
    EXPECT_EQ(doc.CollectRegisters("testdrv", "CHIP")->size(), 10u);
    EXPECT_FALSE(doc.CollectRegisters("nodriver", "").has_value());
    EXPECT_FALSE(doc.CollectRegisters("testdrv", "NODEVICE").has_value());
    EXPECT_FALSE(doc.CollectRegisters("", "NODEVICE").has_value());
}

TEST_F(DriverBinding, AMissingLibraryAsksAndCancelFailsTheOpen) {
    CVekDoc doc(host);
    EXPECT_FALSE(doc.OpenDocument(WriteBoard("nodriver.dll")));
    EXPECT_FALSE(doc.IsCompiled());
    EXPECT_FALSE(doc.IsSimulation());
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0].text, kD00);
    EXPECT_EQ(host.questions[0].kind, QuestionKind::OkCancel);
    EXPECT_THAT(host.Texts(), ::testing::IsSupersetOf(
                                  {"driver error D01: cannot load the driver : nodriver.dll"}));
    EXPECT_EQ(host.Texts().back(), "board.vek - 1 error(s)");
    EXPECT_EQ(host.beeps, 0);
    EXPECT_TRUE(doc.GetDrivers().empty());
}

TEST_F(DriverBinding, OkSwitchesToSimulationWhereTransfersNeedNoDriver) {
    host.QueueAnswer(Answer::Ok);
    CVekDoc doc(host);
    ASSERT_TRUE(doc.OpenDocument(WriteBoard("nodriver.dll")));
    EXPECT_TRUE(doc.IsCompiled());
    EXPECT_TRUE(doc.IsSimulation());
    EXPECT_FALSE(doc.DriverOpened());
    EXPECT_THAT(host.ledStates, ElementsAre(LedState::BlinkRed));
    EXPECT_EQ(host.Texts().back(), "board.vek - 1 error(s)");
    EXPECT_EQ(host.beeps, 1);

    host.lines.clear();
    EXPECT_EQ(doc.WriteAll({}), 0);
    EXPECT_EQ(doc.ReadAll(), 0);
    EXPECT_THAT(host.Texts(), IsEmpty());
    const auto registers = doc.CollectRegisters("", "");
    ASSERT_TRUE(registers.has_value());
    for (const CShadowReg* reg : *registers) {
        EXPECT_TRUE(reg->IsValid()) << reg->AddressText();
    }
}

TEST_F(DriverBinding, ADriverWithoutVekGetStatusNamesItOnceAndIsNeverOpened) {
    TestDriverLibrary incomplete("testdrv_nostatus");
    {
        CVekDoc doc(host);
        EXPECT_FALSE(doc.OpenDocument(WriteBoard("testdrv_nostatus.dll")));
        const auto texts = host.Texts();
        EXPECT_EQ(
            std::count_if(texts.begin(), texts.end(),
                          [](const std::string& t) { return t.find("D02") != std::string::npos; }),
            1);
        EXPECT_THAT(texts,
                    ::testing::Contains("driver error D02: cannot find function : VekGetStatus"));
        ASSERT_EQ(host.questions.size(), 1u);
        EXPECT_EQ(host.questions[0].text, kD00);
    }
    EXPECT_THAT(incomplete.Calls(), IsEmpty());
}

TEST_F(DriverBinding, AFailedOpenReportsTheDriversTextAndNothingIsCalledAfterwards) {
    driver.FailOpen(true);
    host.QueueAnswer(Answer::Ok);
    {
        CVekDoc doc(host);
        ASSERT_TRUE(doc.OpenDocument(WriteBoard("testdrv.dll")));
        EXPECT_THAT(host.Texts(),
                    ::testing::Contains(
                        "driver error D03: cannot open the driver : test adapter not present"));
        EXPECT_TRUE(doc.IsSimulation());
        EXPECT_FALSE(doc.DriverOpened());
        ASSERT_EQ(doc.GetDrivers().size(), 1u);
        EXPECT_FALSE(doc.GetDrivers()[0]->IsLoaded());
        EXPECT_FALSE(doc.GetDrivers()[0]->EntryPoints().Bound());

        EXPECT_FALSE(doc.ResetDrivers());
        doc.ToggleSimulation(); // transfers now try the driver, which is gone
        EXPECT_EQ(doc.WriteAll(TransferFlag::WriteDefault), 11);
        EXPECT_THAT(host.Texts(),
                    ::testing::Contains(
                        "driver error D08: cannot execute the command, driver is not loaded."));
    }
    // The open and the status call of the failure, nothing after the library was freed.
    EXPECT_EQ(driver.Calls().size(), 2u);
}

TEST_F(DriverBinding, ASecondDriverThatFailsLeavesTheFirstOpen) {
    const std::string path =
        folder.Write("two.vek", BoardDescription("testdrv.dll") +
                                    "#BeginRegisterList \"gone.dll\"\n0: GHOST A1 D1;\n"
                                    "1: G [0x01] = 1 b;\n#EndRegisterList\n");
    host.QueueAnswer(Answer::Ok);
    CVekDoc doc(host);
    ASSERT_TRUE(doc.OpenDocument(path)) << ::testing::PrintToString(host.Texts());
    EXPECT_TRUE(doc.DriverOpened());
    EXPECT_TRUE(doc.IsSimulation());
    ASSERT_EQ(doc.GetDrivers().size(), 2u);
    EXPECT_EQ(doc.GetDrivers()[1]->GetName(), "gone");
    EXPECT_EQ(doc.CollectRegisters("gone", "GHOST")->size(), 1u);
}

TEST_F(DriverBinding, DecliningForASecondDriverClosesTheFirstAndLeavesNoDanglingRegister) {
    const std::string path =
        folder.Write("two.vek", BoardDescription("testdrv.dll") +
                                    "#BeginRegisterList \"gone.dll\"\n0: GHOST A1 D1;\n"
                                    "1: G [0x01] = 1 b;\n#EndRegisterList\n");
    CVekDoc doc(host);
    EXPECT_FALSE(doc.OpenDocument(path));
    EXPECT_TRUE(doc.GetDrivers().empty());
    EXPECT_FALSE(doc.DriverOpened());
    ASSERT_EQ(driver.Calls().size(), 2u);
    EXPECT_EQ(driver.Calls()[1].kind, TestCallClose);
    // The items stay, without registers to transfer.
    ASSERT_NE(doc.GetItem(2), nullptr);
    EXPECT_EQ(doc.GetItem(2)->GetName(), "CTRL");
    host.lines.clear();
    EXPECT_FALSE(doc.WriteRegister(*doc.GetItem(2)));
    EXPECT_FALSE(doc.ReadRegister(*doc.GetItem(3)));
    EXPECT_EQ(doc.WriteAll({}), 0);
    EXPECT_EQ(driver.Calls().size(), 2u);
}

TEST_F(DriverBinding, CompileErrorsAreCountedAndNoDriverIsLoaded) {
    CVekDoc doc(host);
    EXPECT_FALSE(doc.OpenDocument(folder.Write("bad.vek", "#BeginRegisterList \"testdrv.dll\"\n"
                                                          "0: DEV A1 D1;\n1: R [0x01] = 1 b\n")));
    EXPECT_FALSE(doc.IsCompiled());
    EXPECT_EQ(doc.GetItems(), nullptr);
    EXPECT_EQ(doc.GetItem(0), nullptr);
    EXPECT_THAT(host.Texts(), ::testing::Not(::testing::Contains("Loading driver(s)...")));
    EXPECT_THAT(host.Texts().back(), ::testing::MatchesRegex("bad.vek - [1-9][0-9]* error\\(s\\)"));
    EXPECT_THAT(driver.Calls(), IsEmpty());
}

TEST_F(DriverBinding, AnUnreadableDescriptionIsReported) {
    CVekDoc doc(host);
    EXPECT_FALSE(doc.OpenDocument(folder.Path() + "/absent.vek"));
    ASSERT_FALSE(host.lines.empty());
    EXPECT_THAT(host.lines.back().text, ::testing::HasSubstr("absent.vek"));
    EXPECT_FALSE(doc.IsCompiled());
}

TEST_F(DriverBinding, ItemsAreReachedByPosition) {
    CVekDoc doc(host);
    ASSERT_TRUE(doc.OpenDocument(WriteBoard("testdrv.dll")));
    ASSERT_NE(doc.GetItems(), nullptr);
    EXPECT_EQ(doc.GetItemCount(), doc.GetItems()->Size());
    EXPECT_EQ(doc.GetItem(0)->GetName(), "testdrv.dll");
    EXPECT_EQ(doc.GetItem(1)->GetName(), "CHIP");
    EXPECT_EQ(doc.GetItem(-1), nullptr);
    EXPECT_EQ(doc.GetItem(static_cast<int>(doc.GetItemCount())), nullptr);
    EXPECT_EQ(doc.GetMacros().size(), 4u);
}

TEST_F(DriverBinding, LoadingDriversAgainRebindsThem) {
    CVekDoc doc(host);
    ASSERT_TRUE(doc.OpenDocument(WriteBoard("testdrv.dll")));
    ASSERT_TRUE(doc.LoadDrivers());
    EXPECT_EQ(doc.GetDrivers().size(), 1u);
    EXPECT_EQ(doc.CollectRegisters("", "")->size(), 11u);
    ASSERT_EQ(driver.Calls().size(), 3u);
    EXPECT_EQ(driver.Calls()[1].kind, TestCallClose);
    EXPECT_EQ(driver.Calls()[2].kind, TestCallOpen);
    doc.ToggleSimulation();
    EXPECT_EQ(doc.WriteAll(TransferFlag::WriteDefault), 0);
}

} // namespace
} // namespace vek
