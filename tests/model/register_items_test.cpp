#include "model/bit_item.h"
#include "model/byte_item.h"
#include "model/register_context.h"
#include "model/run_limits.h"
#include "model/shadow_reg.h"
#include "model/shadow_reg_list.h"
#include "model/vek_macro.h"
#include "model_fakes.h"
#include "platform/recording_host.h"
#include "test_driver.h"

#include <gtest/gtest.h>

namespace vek {
namespace {

using test::DriverCall;
using Fn = DriverCall::Function;

// Registers and bit fields bound to shadow registers of one device, as the binding step leaves
// them.
class RegisterItemsTest : public ::testing::Test {
protected:
    CShadowReg& Shadow(uint8_t address, uint32_t mask, AccessType access = AccessType::Both) {
        ShadowRegLayout layout;
        layout.address[0] = address;
        layout.addressLength = 1;
        layout.dataLength = 1;
        layout.byteOrder = "1";
        layout.mask = mask;
        layout.access = access;
        CShadowReg* reg = list.Insert(CShadowReg::Create(layout));
        reg->SetDriver(&entries, "tapdrv32", "Chip");
        reg->SetContext(&context);
        return *reg;
    }

    // A 1-byte part at the address.
    static CByteItem::Part OnePart(const char* addressText, uint32_t mask) {
        CByteItem::Part part;
        part.SetAddressText(test::TestText(addressText));
        part.addressLength = 1;
        part.dataLength = 1;
        part.memorySize = 1;
        part.byteOrder = test::TestText("1");
        part.mask = mask;
        part.width = __builtin_popcount(mask);
        return part;
    }
    static void AddPart(CByteItem& reg, const char* addressText, uint32_t mask) {
        ASSERT_TRUE(reg.AddPart(OnePart(addressText, mask)));
    }

    // Sets the register's access type, adds its 1-byte parts and binds them.
    void BindParts(CByteItem& reg, std::initializer_list<std::pair<const char*, uint32_t>> parts,
                   AccessType access = AccessType::Both) {
        reg.SetAccessType(access);
        for (const auto& [addressText, mask] : parts)
            AddPart(reg, addressText, mask);
        Bind(reg);
    }

    void Bind(CByteItem& reg) {
        for (std::size_t k = 0; k < reg.GetPartCount(); ++k) {
            const CByteItem::Part& part = reg.GetPart(k);
            CShadowReg& shadow = Shadow(part.address[0], part.mask, reg.GetAccessType());
            shadow.AddItem(&reg);
            reg.SetPartShadowReg(k, &shadow);
        }
    }

    test::TestDriver driver;
    DriverEntryPoints entries = driver.EntryPoints();
    RecordingHost host;
    RegisterContext context{&host, false};
    ShadowRegList list;
    test::RecordingTree tree;
};

TEST_F(RegisterItemsTest, ValueTextsInThreeRadicesWithTheSignedForm) {
    CVarItem var;
    var.SetWidth(8);
    var.SetValueField(0xFF);
    EXPECT_EQ(var.ValueText(), "ff");
    var.SetRadix(2);
    EXPECT_EQ(var.ValueText(), "11111111");
    var.SetRadix(10);
    EXPECT_EQ(var.ValueText(), "255");
    var.AddFlags(ItemFlag::Signed);
    EXPECT_EQ(var.ValueText(), "-1");
    var.SetValueField(0x7F);
    EXPECT_EQ(var.ValueText(), "+127");
    var.SetValueField(0x80);
    EXPECT_EQ(var.ValueText(), "-128");
    var.SetWidth(32);
    var.SetValueField(0x80000000U);
    EXPECT_EQ(var.ValueText(), "-2147483648");
    var.SetValueField(0);
    EXPECT_EQ(var.ValueText(), "+0");
}

TEST_F(RegisterItemsTest, BitFieldShowsAndSetsItsBitsOfTheShadowRegister) {
    CByteItem reg;
    BindParts(reg, {{"10", 0xFF}});
    CBitItem bit;
    bit.SetMask(0x38);
    bit.SetWidth(3);
    bit.SetRegister(&reg);
    bit.SetAccessType(AccessType::Both);
    CShadowReg& shadow = *reg.GetShadowReg();
    bit.SetShadowReg(&shadow);
    shadow.AddItem(&bit);

    driver.readBytes = {0xFF, 0, 0, 0};
    ASSERT_TRUE(bit.Read());
    EXPECT_EQ(bit.GetValue(), 7U);
    EXPECT_TRUE(bit.HasFlags(ItemFlag::ValueShown));

    EXPECT_EQ(bit.SetValue(0), 0U);
    EXPECT_EQ(shadow.GetValue(), 0xC7U);
    const auto writes = driver.Calls(Fn::SetReg);
    ASSERT_EQ(writes.size(), 1U);
    EXPECT_EQ(writes[0].data[0], 0xC7);
    EXPECT_EQ(bit.GetValue(), 0U);
    EXPECT_EQ(reg.GetValue(), 0xC7U);

    EXPECT_EQ(bit.SetValue(0xFF), 0x38U) << "only the field's bits are deposited";
    EXPECT_EQ(shadow.GetValue(), 0xFFU);

    driver.failWrites = true;
    bit.SetValue(1);
    ASSERT_EQ(host.lines.size(), 1U) << "a failed write of a bit field is reported too";
    EXPECT_EQ(host.lines[0].text, "driver error D05: cannot write to address 0x10 : bus timeout");
}

TEST_F(RegisterItemsTest, RegisterOfTwoPartsCombinesItsValues) {
    CByteItem reg;
    BindParts(reg, {{"01", 0xFF}, {"02", 0xFF}});
    EXPECT_EQ(reg.GetTotalWidth(), 16);
    EXPECT_EQ(reg.GetTotalDataLength(), 2);

    reg.GetPart(0).shadow->SetValue(0x12);
    reg.GetPart(1).shadow->SetValue(0x34);
    ASSERT_TRUE(reg.Write());
    EXPECT_EQ(reg.GetValue(), 0x1234U);

    driver.calls.clear();
    EXPECT_EQ(reg.SetValue(0xABCD), 0xABCDU);
    EXPECT_EQ(reg.GetPart(0).shadow->GetValue(), 0xABU);
    EXPECT_EQ(reg.GetPart(1).shadow->GetValue(), 0xCDU);
    const auto writes = driver.Calls(Fn::SetReg);
    ASSERT_EQ(writes.size(), 2U);
    EXPECT_EQ(writes[0].address[0], 0x01);
    EXPECT_EQ(writes[0].data[0], 0xAB);
    EXPECT_EQ(writes[1].address[0], 0x02);
    EXPECT_EQ(writes[1].data[0], 0xCD);
}

TEST_F(RegisterItemsTest, AReadMarksAChangeOnlyWhereAValueWasShownBefore) {
    // A joined register's parts get their first values one by one: none of them is a change.
    CByteItem reg;
    BindParts(reg, {{"01", 0xFF}, {"02", 0xFF}});
    driver.readBytes = {0x11, 0, 0, 0};
    ASSERT_TRUE(reg.Read());
    EXPECT_FALSE(reg.HasFlags(ItemFlag::ChangedByRead));
    ASSERT_TRUE(reg.Read());
    EXPECT_FALSE(reg.HasFlags(ItemFlag::ChangedByRead));
    driver.readBytes = {0x22, 0, 0, 0};
    ASSERT_TRUE(reg.Read());
    EXPECT_TRUE(reg.HasFlags(ItemFlag::ChangedByRead));
    // A write leaves the mark; the next read that finds the same value clears it.
    ASSERT_TRUE(reg.Write());
    EXPECT_TRUE(reg.HasFlags(ItemFlag::ChangedByRead));
    ASSERT_TRUE(reg.Read());
    EXPECT_FALSE(reg.HasFlags(ItemFlag::ChangedByRead));
}

TEST_F(RegisterItemsTest, CombinedValueOfPartsWithScatteredMasks) {
    CByteItem reg;
    // 4 most significant bits, 2 bits, 3 least significant bits
    BindParts(reg, {{"01", 0xF0}, {"02", 0x81}, {"03", 0x0E}});
    EXPECT_EQ(reg.GetTotalWidth(), 9);
    context.simulation = true;
    reg.SetValue(0b1010'11'011);
    EXPECT_EQ(reg.GetPart(0).shadow->GetValue(), 0xA0U);
    EXPECT_EQ(reg.GetPart(1).shadow->GetValue(), 0x81U);
    EXPECT_EQ(reg.GetPart(2).shadow->GetValue(), 0x06U);
    EXPECT_EQ(reg.GetValue(), 0b1010'11'011U);
    EXPECT_TRUE(driver.calls.empty());
}

TEST_F(RegisterItemsTest, CombinedValueHoldsWhenTheWriteFails) {
    CByteItem reg;
    BindParts(reg, {{"01", 0xF0}, {"02", 0x0F}});
    driver.failWrites = true;
    reg.SetValue(0xAB);
    EXPECT_EQ(reg.GetValue(), 0xABU);
    EXPECT_EQ(reg.GetPart(0).shadow->GetValue(), 0xA0U);
    EXPECT_EQ(reg.GetPart(1).shadow->GetValue(), 0x0BU);
    EXPECT_EQ(host.lines.size(), 1U);
}

TEST_F(RegisterItemsTest, OnlyValueItemsCarryAValue) {
    EXPECT_TRUE(CVarItem().HasFlags(ItemFlag::CarriesValue));
    EXPECT_TRUE(CByteItem().HasFlags(ItemFlag::CarriesValue));
    EXPECT_TRUE(CBitItem().HasFlags(ItemFlag::CarriesValue));
    EXPECT_FALSE(CSetItem().HasFlags(ItemFlag::CarriesValue));
    EXPECT_FALSE(CDeviceItem().HasFlags(ItemFlag::CarriesValue));
}

TEST_F(RegisterItemsTest, ARegisterKeepsEveryPartAsItGrowsFromOneToMany) {
    // One part lives in the item's own fields; a second moves both into an array, which grows
    // again at the third and fifth.
    CByteItem reg;
    for (uint8_t k = 0; k < 5; ++k) {
        const std::string address = "0" + std::to_string(k + 1);
        AddPart(reg, address.c_str(), 0x3FU << k % 2);
        EXPECT_EQ(reg.GetAddressBytes()[0], k + 1) << "the new part is selected";
    }
    ASSERT_EQ(reg.GetPartCount(), 5U);
    EXPECT_EQ(reg.GetTotalWidth(), 30);
    for (uint8_t k = 0; k < 5; ++k) {
        EXPECT_EQ(reg.GetPart(k).address[0], k + 1);
        EXPECT_EQ(reg.GetPart(k).mask, 0x3FU << k % 2);
        reg.SelectPart(k);
        EXPECT_EQ(reg.GetMask(), 0x3FU << k % 2);
    }
    reg.SetCombinedValue(0x2ABCDEF1);
    EXPECT_EQ(reg.GetCombinedValue(), 0x2ABCDEF1U);
    EXPECT_EQ(reg.GetPart(4).value, 0x31U);

    CByteItem single;
    AddPart(single, "07", 0xF0);
    single.SetCombinedValue(0xA);
    EXPECT_EQ(single.GetCombinedValue(), 0xAU);
    EXPECT_EQ(single.GetPart(0).value, 0xAU);
    EXPECT_EQ(single.GetPart(0).address[0], 7);
}

TEST_F(RegisterItemsTest, PartsBeyond32BitsAreRefused) {
    CByteItem reg;
    AddPart(reg, "01", 0xFFFF);
    AddPart(reg, "02", 0xFFFF);
    EXPECT_FALSE(reg.AddPart(OnePart("03", 0x01)));
    EXPECT_EQ(reg.GetPartCount(), 2U);
    EXPECT_EQ(reg.GetTotalWidth(), 32);
}

TEST_F(RegisterItemsTest, FieldsRefuseUnsafeSizes) {
    CByteItem reg;
    EXPECT_FALSE(reg.SetAddressLength(9));
    EXPECT_TRUE(reg.SetAddressLength(8));
    EXPECT_FALSE(reg.SetDataLength(5));
    EXPECT_TRUE(reg.SetDataLength(4));
    EXPECT_FALSE(reg.SetWidth(33));
    EXPECT_FALSE(reg.SetAddressText(test::TestText("112233445566778899")));
    EXPECT_TRUE(reg.SetAddressText(test::TestText("3412")));
    EXPECT_EQ(reg.GetAddressBytes()[0], 0x34);
    EXPECT_EQ(reg.GetAddressBytes()[1], 0x12);
    EXPECT_TRUE(reg.SetAddressText(test::TestText("XX12")));
    EXPECT_EQ(reg.GetAddressBytes()[0], 0x00);
    EXPECT_FALSE(reg.SetLabel(128));
    EXPECT_FALSE(reg.SetLabel(-1));
    EXPECT_TRUE(reg.SetLabel(9));
    EXPECT_EQ(reg.GetLabel(), 9);
}

TEST_F(RegisterItemsTest, IncreaseAndDecreaseStopAtTheFieldsLimits) {
    CByteItem reg;
    BindParts(reg, {{"01", 0x0F}});
    reg.GetPart(0).shadow->SetValue(0x0F);
    ASSERT_TRUE(reg.Write());
    driver.calls.clear();
    EXPECT_FALSE(reg.Increase(1));
    EXPECT_TRUE(driver.calls.empty());
    EXPECT_TRUE(reg.Decrease(1));
    EXPECT_EQ(reg.GetValue(), 0x0EU);
    EXPECT_EQ(driver.Calls(Fn::SetReg).size(), 1U);

    reg.AddFlags(ItemFlag::Signed); // 4 bits: -8 .. +7
    reg.SetValue(7);
    EXPECT_FALSE(reg.Increase(1));
    reg.SetValue(8);
    EXPECT_FALSE(reg.Decrease(1));
    EXPECT_TRUE(reg.Increase(1));
    EXPECT_EQ(reg.GetValue(), 9U);

    CVarItem var;
    var.SetWidth(8);
    var.SetValueField(0);
    EXPECT_FALSE(var.Decrease(1));
    EXPECT_TRUE(var.Increase(0x1FF));
    EXPECT_EQ(var.GetValue(), 0xFFU) << "the new value is reduced to the field";
    EXPECT_FALSE(var.Increase(1));
}

TEST_F(RegisterItemsTest, FailedStepIsReportedButCounts) {
    CByteItem reg;
    BindParts(reg, {{"01", 0xFF}});
    driver.failWrites = true;
    EXPECT_TRUE(reg.Increase(1));
    ASSERT_EQ(host.lines.size(), 1U);
    EXPECT_EQ(host.lines[0].text, "driver error D05: cannot write to address 0x01 : bus timeout");
}

TEST_F(RegisterItemsTest, AFailingPartFailsTheWholeWrite) {
    CByteItem reg;
    BindParts(reg, {{"01", 0xFF}, {"02", 0xFF}});
    reg.GetPart(1).shadow->SetValue(0x55); // the first part's value is not known
    EXPECT_FALSE(reg.Write());
    EXPECT_EQ(reg.GetErrorText(), "driver error D07: no valid data to write to address 0x01");
    EXPECT_EQ(driver.Calls(Fn::SetReg).size(), 1U) << "the other parts are still written";
}

TEST_F(RegisterItemsTest, StatusValuesAreReadBeforeTheyAreGiven) {
    CByteItem reg;
    BindParts(reg, {{"01", 0xFF}}, AccessType::Status);
    driver.readBytes = {0x99, 0, 0, 0};
    EXPECT_EQ(reg.GetValue(), 0x99U);
    EXPECT_EQ(driver.Calls(Fn::GetReg).size(), 1U);
}

TEST_F(RegisterItemsTest, MacrosRunAroundTransfersAsTheFlagsAllow) {
    std::vector<std::string> log;
    test::LoggingMacro beforeRead("BR", log), afterRead("AR", log), beforeWrite("BW", log),
        afterWrite("AW", log);
    const auto ref = [](CMacro& macro) {
        auto r = std::make_unique<MacroRef>(macro.GetName());
        r->Bind(&macro);
        return r;
    };
    CByteItem reg;
    BindParts(reg, {{"01", 0xFF}, {"02", 0xFF}});
    reg.SetReadMacros(ref(beforeRead), ref(afterRead));
    reg.SetWriteMacros(ref(beforeWrite), ref(afterWrite));
    context.simulation = true;

    ASSERT_TRUE(reg.Read());
    ASSERT_TRUE(reg.Write());
    EXPECT_EQ(log,
              (std::vector<std::string>{"BR(0)", "AR(0)", "BR(0)", "AR(0)", "BW(0)", "AW(0)"}));

    log.clear();
    reg.SetValue(1); // writes without the write macros
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(reg.GetMacroFlags() & MacroFlag::WriteMacros, MacroFlag::WriteMacros);

    CBitItem bit;
    bit.SetRegister(&reg);
    bit.SetShadowReg(reg.GetPart(0).shadow);
    bit.SetMask(0x01);
    bit.SetWidth(1);
    ASSERT_TRUE(bit.Write());
    EXPECT_EQ(log, (std::vector<std::string>{"BW(0)", "AW(0)"}));

    log.clear();
    reg.Update(nullptr, UpdateCode::ReadMacros); // switched off
    reg.Update(nullptr, UpdateCode::WriteMacros);
    ASSERT_TRUE(reg.Read());
    ASSERT_TRUE(bit.Read());
    ASSERT_TRUE(bit.Write());
    EXPECT_TRUE(log.empty());
    reg.Update(nullptr, UpdateCode::ReadMacros | UpdateCode::SwitchOn);
    ASSERT_TRUE(bit.Read());
    EXPECT_EQ(log, (std::vector<std::string>{"BR(0)", "AR(0)"}));
}

TEST_F(RegisterItemsTest, ARegisterMacroIsNotStartedAgainWhileItRuns) {
    // REG is a STATUS register whose before-read macro assigns REG to V: reading REG runs the
    // macro, whose read of REG would run it again.
    CVarItem var;
    var.SetWidth(8);
    CByteItem reg;
    BindParts(reg, {{"01", 0xFF}}, AccessType::Status);
    CVekMacro loop;
    loop.SetName("Loop");
    loop.SetContext(&context);
    loop.SetSteps({MacroItemOperand{&var}, MacroItemOperand{&reg}, MacroAssignment{}});
    auto before = std::make_unique<MacroRef>("Loop");
    before->Bind(&loop);
    reg.SetReadMacros(std::move(before), nullptr);
    driver.readBytes = {0x99, 0, 0, 0};

    EXPECT_FALSE(reg.Read());
    EXPECT_EQ(host.Texts(),
              (std::vector<std::string>{"macro Loop: reached again while it runs; a macro does "
                                        "not run within itself, the transfer that needs it "
                                        "fails"}));
    EXPECT_EQ(context.failedTransfers, 1);
    // The refused inner read reached no device, nor did the outer one that it failed.
    EXPECT_TRUE(driver.Calls(Fn::GetReg).empty());

    // Run by itself (from the macro bar) the macro reads REG, whose macro it is: refused as well.
    host.lines.clear();
    EXPECT_FALSE(loop.Run(0));
    EXPECT_EQ(host.Texts().size(), 1U);
    // Nothing is left over from the refusals: with the read macros off the read works.
    reg.Update(nullptr, UpdateCode::ReadMacros);
    EXPECT_TRUE(reg.Read());
    EXPECT_TRUE(loop.Run(0));
    EXPECT_EQ(var.GetValue(), 0x99U);
}

TEST_F(RegisterItemsTest, MacrosRunWithinOneAnotherUpToALimit) {
    // A chain of STATUS registers, each one's read macro reading the next: every macro differs,
    // yet each step nests a run, and a long enough chain would exhaust the stack.
    const auto chainRead = [this](int length) {
        CVarItem var;
        var.SetWidth(8);
        std::vector<std::unique_ptr<CByteItem>> regs;
        std::vector<std::unique_ptr<CVekMacro>> macros;
        for (int i = 0; i < length; ++i) {
            regs.push_back(std::make_unique<CByteItem>());
            const std::string address = std::to_string(10 + i);
            BindParts(*regs.back(), {{address.c_str(), 0xFF}}, AccessType::Status);
        }
        for (int i = 0; i + 1 < length; ++i) {
            macros.push_back(std::make_unique<CVekMacro>());
            macros.back()->SetName("M" + std::to_string(i));
            macros.back()->SetContext(&context);
            macros.back()->SetSteps(
                {MacroItemOperand{&var}, MacroItemOperand{regs[i + 1].get()}, MacroAssignment{}});
            auto before = std::make_unique<MacroRef>(macros.back()->GetName());
            before->Bind(macros.back().get());
            regs[i]->SetReadMacros(std::move(before), nullptr);
        }
        host.lines.clear();
        context.simulation = true;
        return regs.front()->Read();
    };
    EXPECT_TRUE(chainRead(kMaxMacroNesting + 1)) << "as many macros as may nest";
    EXPECT_TRUE(host.Texts().empty());
    EXPECT_FALSE(chainRead(kMaxMacroNesting + 2));
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{
                                "macro M" + std::to_string(kMaxMacroNesting) + ": not run, " +
                                std::to_string(kMaxMacroNesting) +
                                " macros are running one within the other, the transfer that "
                                "needs it fails"}));
}

TEST_F(RegisterItemsTest, RowsShowNamesAddressesAndPlaceholders) {
    CLineItem driverLine;
    driverLine.SetName(test::TestText("tapdrv32.dll"));
    driverLine.InsertIntoTree(tree, -1, -1, 100);
    EXPECT_TRUE(tree.rows.empty());

    CDeviceItem device;
    device.SetName(test::TestText("Main_Chip"));
    device.SetLevel(1);
    device.SetAddressDisplayWidth(2);
    device.SetAddressDisplay(test::TestText("12"));
    device.InsertIntoTree(tree, -1, -1, 100);

    CSetItem set;
    set.SetName(test::TestText("Control_Set"));
    set.SetLevel(2);
    set.InsertIntoTree(tree, 0, -1, 100);

    CLineItem text(ItemKind::TextLine);
    text.SetName(test::TestText("a_note"));
    text.SetLevel(3);
    text.InsertIntoTree(tree, 1, -1, 100);

    CByteItem joint;
    joint.SetName(test::TestText("_raw_value"));
    joint.SetLevel(3);
    AddPart(joint, "01", 0xFF);
    AddPart(joint, "01", 0x1F);
    joint.InsertIntoTree(tree, 1, 2, 100);

    CBitItem bit;
    bit.SetName(test::TestText("bit_0"));
    bit.SetLevel(4);
    bit.SetDataLength(2);
    bit.SetAddressDisplayWidth(1);
    bit.SetAddressDisplay(test::TestText("1"));
    bit.InsertIntoTree(tree, 3, -1, 100);

    CVarItem var;
    var.SetName(test::TestText("my_var"));
    var.SetLevel(3);
    var.SetWidth(8);
    var.SetValueField(0x2A);
    var.InsertIntoTree(tree, 1, -1, 100);

    ASSERT_EQ(tree.rows.size(), 6U);
    EXPECT_EQ(tree.rows[0].text, "Main Chip");
    EXPECT_EQ(tree.rows[0].cells.at(1), "[0012]");
    EXPECT_EQ(tree.rows[0].level, 0);
    EXPECT_EQ(tree.rows[0].image, 100 + item_icon::Device);
    EXPECT_EQ(tree.rows[0].item, &device);
    EXPECT_EQ(device.GetNode(), 0);
    EXPECT_EQ(tree.rows[1].text, "Control_Set");
    EXPECT_EQ(tree.rows[1].cells.count(1), 0U) << "a set without address width shows none";
    EXPECT_EQ(tree.rows[2].text, "a_note");
    EXPECT_EQ(tree.rows[3].text, "_raw_value");
    EXPECT_EQ(tree.rows[3].after, 2);
    EXPECT_EQ(tree.rows[3].cells.at(1), "[JOINT]");
    EXPECT_EQ(tree.rows[3].cells.at(2), "XXXX") << "13 bits";
    EXPECT_EQ(tree.rows[3].image, 100 + item_icon::JointRegister);
    EXPECT_EQ(tree.rows[4].text, "bit 0");
    EXPECT_EQ(tree.rows[4].cells.at(1), "[01]");
    EXPECT_EQ(tree.rows[4].cells.at(2), "XXXX");
    EXPECT_EQ(tree.rows[4].level, 3);
    EXPECT_EQ(tree.rows[5].cells.at(2), "2a");
}

TEST_F(RegisterItemsTest, UpdatesSwitchRadixIconsAndShowValuesOnceKnown) {
    CByteItem reg;
    BindParts(reg, {{"01", 0xFF}});
    reg.SetLevel(2);
    reg.InsertIntoTree(tree, -1, -1, 0);
    reg.Update(nullptr, UpdateCode::Decimal);
    EXPECT_EQ(tree.rows[0].cells.at(2), "XX") << "no value shown before one is known";

    driver.readBytes = {200, 0, 0, 0};
    ASSERT_TRUE(reg.Read());
    EXPECT_EQ(tree.rows[0].cells.at(2), "200");
    reg.Update(nullptr, UpdateCode::Binary);
    EXPECT_EQ(tree.rows[0].cells.at(2), "11001000");
    reg.Update(nullptr, UpdateCode::SecondIcon);
    EXPECT_EQ(tree.rows[0].image, item_icon::Register + 1);
    reg.Update(nullptr, UpdateCode::FirstIcon);
    EXPECT_EQ(tree.rows[0].image, item_icon::Register);

    CSetItem set;
    set.SetLevel(1);
    set.InsertIntoTree(tree, -1, -1, 0);
    set.Update(nullptr, {});
    EXPECT_EQ(tree.rows[1].image, item_icon::Set + 1);
    set.Update(nullptr, UpdateCode::SecondIcon);
    EXPECT_EQ(tree.rows[1].image, item_icon::Set);
}

TEST_F(RegisterItemsTest, ADetachedItemLeavesItsOldRowAloneAndShowsItselfInTheNextTree) {
    CSetItem set;
    set.SetLevel(1);
    EXPECT_EQ(set.GetNode(), -1);
    EXPECT_EQ(set.GetTree(), nullptr);
    set.Update(nullptr, {}); // no row: nothing to show
    set.InsertIntoTree(tree, -1, -1, 100);
    EXPECT_EQ(set.GetTree(), &tree);
    EXPECT_EQ(set.GetNode(), 0);

    set.DetachFromTree();
    EXPECT_EQ(set.GetNode(), -1);
    EXPECT_EQ(set.GetTree(), nullptr);
    set.Update(nullptr, {});
    EXPECT_EQ(tree.rows[0].image, 100 + item_icon::Set);

    test::RecordingTree next;
    next.InsertRow("first", -1, -1);
    set.InsertIntoTree(next, -1, -1, 0);
    EXPECT_EQ(set.GetNode(), 1);
    set.Update(nullptr, {});
    EXPECT_EQ(next.rows[1].image, item_icon::Set + 1);
    EXPECT_EQ(tree.rows[0].image, 100 + item_icon::Set);
}

} // namespace
} // namespace vek
