#include "model/bit_item.h"
#include "model/byte_item.h"
#include "model/item_list.h"
#include "model_fakes.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

namespace vek {
namespace {

using Codes = std::vector<StringId>;

std::unique_ptr<CDeviceItem> Device(const char* name, const char* addressText) {
    auto device = std::make_unique<CDeviceItem>();
    device->SetName(test::TestText(name));
    device->SetLevel(1);
    device->SetAddressText(test::TestText(addressText));
    device->SetAddressLength(static_cast<uint16_t>(std::string(addressText).size() / 2));
    return device;
}

// A set or register with its place in the hierarchy.
template <class Item>
std::unique_ptr<Item> Placed(const char* name, int level, int label, LabelRole role) {
    auto item = std::make_unique<Item>();
    item->SetName(test::TestText(name));
    item->SetLevel(level);
    item->SetLabel(label);
    item->SetLabelRole(role);
    return item;
}

std::unique_ptr<CSetItem> Set(const char* name, int level, const char* addressText, int label = 0,
                              LabelRole role = LabelRole::None) {
    auto set = Placed<CSetItem>(name, level, label, role);
    set->SetAddressText(test::TestText(addressText));
    return set;
}

struct PartForm {
    const char* addressText;
    uint16_t dataLength = 1;
    uint16_t memorySize = 1;
    uint32_t mask = 0xFF;
    uint32_t defaultValue = 0;
};

std::unique_ptr<CByteItem> Register(const char* name, int level, AccessType access,
                                    std::initializer_list<PartForm> parts, int label = 0,
                                    LabelRole role = LabelRole::None) {
    auto reg = Placed<CByteItem>(name, level, label, role);
    reg->SetAccessType(access);
    for (const PartForm& form : parts) {
        CByteItem::Part part;
        part.SetAddressText(test::TestText(form.addressText));
        part.addressLength = static_cast<uint16_t>(std::string(form.addressText).size() / 2);
        part.dataLength = form.dataLength;
        part.memorySize = form.memorySize;
        part.mask = form.mask;
        part.width = __builtin_popcount(form.mask);
        part.defaultValue = form.defaultValue;
        reg->AddPart(part);
    }
    return reg;
}

// Checks a register once per part, as the builder does at the end of a register.
Codes CheckRegister(CItemList& list, CByteItem* reg) {
    for (std::size_t k = 0; k < reg->GetPartCount(); ++k) {
        reg->SelectPart(k);
        list.Check(reg);
    }
    return list.TakeErrors();
}

Codes AddRegister(CItemList& list, std::unique_ptr<CByteItem> reg) {
    auto* added = static_cast<CByteItem*>(list.InsertAfterCurrent(std::move(reg)));
    return CheckRegister(list, added);
}

std::vector<std::string> Names(const CItemList& list) {
    std::vector<std::string> names;
    for (const CLineItem& item : list) {
        names.emplace_back(item.GetName());
    }
    return names;
}

class ItemListTest : public ::testing::Test {
protected:
    void SetUp() override {
        list.Append(std::make_unique<CLineItem>());
        list.Append(Device("Chip", "XX"));
    }
    CItemList list;
};

TEST_F(ItemListTest, BlocksReturningToALabelJoinItsGroup) {
    list.InsertAfterCurrent(Set("S1", 2, "XX", 2, LabelRole::Recorded));
    list.InsertAfterCurrent(Register("R1", 3, AccessType::Both, {{"01"}}, 2, LabelRole::Recorded));
    list.InsertAfterCurrent(Set("S2", 2, "XX"));
    list.InsertAfterCurrent(Register("R2", 3, AccessType::Both, {{"02"}}));
    auto bit = std::make_unique<CBitItem>();
    bit->SetName(test::TestText("B2"));
    bit->SetLevel(4);
    list.InsertAfterCurrent(std::move(bit));
    list.InsertAfterCurrent(Set("S3", 2, "XX"));
    // A block that starts with label 2 goes after the last item of label 2's group ...
    list.InsertAtLabel(Register("R3", 3, AccessType::Both, {{"03"}}, 2, LabelRole::BlockStart), 2);
    auto text = std::make_unique<CLineItem>(ItemKind::TextLine);
    text->SetName(test::TestText("T3"));
    text->SetLevel(4);
    list.InsertAfterCurrent(std::move(text));
    // ... and with no item of the device carrying the label, at the end.
    list.InsertAtLabel(Register("R4", 3, AccessType::Both, {{"04"}}, 5, LabelRole::BlockStart), 5);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"", "Chip", "S1", "R1", "R3", "T3", "S2", "R2",
                                                     "B2", "S3", "R4"}));
    EXPECT_EQ(list.GetCurrent()->GetName(), "R4");
    EXPECT_EQ(list.Size(), 11U);
}

TEST_F(ItemListTest, LabelSearchStopsAtTheDevice) {
    list.InsertAfterCurrent(Set("S1", 2, "XX", 3, LabelRole::Recorded));
    list.Append(Device("Other", "XX"));
    list.InsertAtLabel(Set("S2", 2, "XX", 3, LabelRole::BlockStart), 3);
    EXPECT_EQ(Names(list).back(), "S2");
}

TEST_F(ItemListTest, MaskMustFitTheDataSize) {
    EXPECT_EQ(AddRegister(list, Register("R1", 2, AccessType::Both, {{"01", 1, 1, 0x100}})),
              Codes{StringId::ErrB12});
    EXPECT_EQ(AddRegister(list, Register("R2", 2, AccessType::Both, {{"02", 2, 2, 0xFFFF}})),
              Codes{});
    EXPECT_EQ(AddRegister(list, Register("R3", 2, AccessType::Both, {{"03", 4, 4, 0xFFFFFFFF}})),
              Codes{});
}

TEST_F(ItemListTest, AccessTypesAndDefaultsOfSharedBits) {
    EXPECT_EQ(AddRegister(list, Register("Rd", 2, AccessType::Read, {{"10"}})), Codes{});
    EXPECT_EQ(AddRegister(list, Register("Wr", 2, AccessType::Write, {{"10"}})), Codes{});
    EXPECT_EQ(AddRegister(list, Register("Pr", 2, AccessType::Prot, {{"10"}})),
              (Codes{StringId::ErrB14, StringId::ErrB14}));

    EXPECT_EQ(AddRegister(list, Register("B1", 2, AccessType::Both, {{"20", 1, 1, 0x0F, 0x05}})),
              Codes{});
    EXPECT_EQ(AddRegister(list, Register("B2", 2, AccessType::Both, {{"20", 1, 1, 0xF0, 0x50}})),
              Codes{})
        << "no shared bits";
    EXPECT_EQ(AddRegister(list, Register("B3", 2, AccessType::Both, {{"20", 1, 1, 0x0C, 0x08}})),
              Codes{StringId::ErrB15});
}

TEST_F(ItemListTest, DifferentMemoryModelsAtOneAddressAreNotComparedFurther) {
    EXPECT_EQ(AddRegister(list, Register("M1", 2, AccessType::Read, {{"30", 1, 1}})), Codes{});
    EXPECT_EQ(AddRegister(list, Register("M2", 2, AccessType::Prot, {{"30", 2, 2, 0xFFFF}})),
              Codes{StringId::ErrB18});
}

TEST_F(ItemListTest, RegistersSpanningSeveralAddressesOverlapTheirNeighbours) {
    // A 2-byte register at 0x40 on a byte-addressed device covers 0x41 too.
    EXPECT_EQ(AddRegister(list, Register("Wide", 2, AccessType::Read, {{"40", 2, 1, 0xFFFF}})),
              Codes{});
    EXPECT_EQ(AddRegister(list, Register("Hi", 2, AccessType::Prot, {{"41"}})),
              Codes{StringId::ErrB14});
    EXPECT_EQ(AddRegister(list, Register("Far", 2, AccessType::Prot, {{"44"}})), Codes{});
    // Below: the new register spans up to an earlier one.
    EXPECT_EQ(AddRegister(list, Register("Lo", 2, AccessType::Prot, {{"3F", 2, 1, 0xFFFF}})),
              Codes{StringId::ErrB14});
    // Equal access types: defaults must agree on the shared byte (the high byte of "Wide2").
    EXPECT_EQ(
        AddRegister(list, Register("Wide2", 2, AccessType::Both, {{"50", 2, 1, 0xFFFF, 0x1200}})),
        Codes{});
    EXPECT_EQ(AddRegister(list, Register("Hi2", 2, AccessType::Both, {{"51", 1, 1, 0xFF, 0x13}})),
              Codes{StringId::ErrB15});
}

TEST_F(ItemListTest, CodesComeNearestRegisterFirstAndOncePerPart) {
    AddRegister(list, Register("A", 2, AccessType::Both, {{"60", 1, 1, 0xFF, 0x01}}));
    AddRegister(list, Register("B", 2, AccessType::Read, {{"60"}}));
    AddRegister(list, Register("C", 2, AccessType::Both, {{"60", 1, 2}}));
    // Against C (nearest): B18; against B: fine (WRITE and READ); against A: B15.
    EXPECT_EQ(AddRegister(list, Register("D", 2, AccessType::Write, {{"60", 1, 1, 0xFF, 0x02}})),
              (Codes{StringId::ErrB18, StringId::ErrB14}));
    // Two parts, each at a faulty address: the code once per part, in part order.
    AddRegister(list, Register("X", 2, AccessType::Read, {{"80"}}));
    AddRegister(list, Register("Y", 2, AccessType::Read, {{"90"}}));
    EXPECT_EQ(AddRegister(list, Register("E", 2, AccessType::Prot, {{"80"}, {"90"}})),
              (Codes{StringId::ErrB14, StringId::ErrB14}));
}

TEST_F(ItemListTest, OnlyEarlierRegistersOfTheSameDeviceCount) {
    list.InsertAfterCurrent(Set("S1", 2, "XX", 1, LabelRole::Recorded));
    AddRegister(list, Register("R1", 3, AccessType::Both, {{"01"}}, 1, LabelRole::Recorded));
    list.InsertAfterCurrent(Set("S2", 2, "XX"));
    AddRegister(list, Register("R2", 3, AccessType::Read, {{"02"}}));
    // Placed before R2 in the list: R2 is not earlier, so no B14.
    auto* r3 = static_cast<CByteItem*>(list.InsertAtLabel(
        Register("R3", 3, AccessType::Prot, {{"02"}}, 1, LabelRole::BlockStart), 1));
    EXPECT_EQ(CheckRegister(list, r3), Codes{});
    list.Append(Device("Other", "XX"));
    EXPECT_EQ(AddRegister(list, Register("R4", 2, AccessType::Prot, {{"01"}})), Codes{});
}

TEST_F(ItemListTest, ManyBlocksReturningToOnePlaceKeepTheirOrder) {
    list.InsertAfterCurrent(Set("S1", 2, "XX"));
    AddRegister(list, Register("R0", 3, AccessType::Read, {{"01"}}, 1, LabelRole::Recorded));
    list.InsertAfterCurrent(Set("S2", 2, "XX"));
    AddRegister(list, Register("Late", 3, AccessType::Read, {{"02"}}));
    std::vector<std::string> expected{"", "Chip", "S1", "R0"};
    for (int i = 0; i < 300; ++i) {
        char address[3];
        std::snprintf(address, sizeof address, "%02X", 0x08 + i % 0xF0);
        const std::string name = "B" + std::to_string(i);
        auto* reg = static_cast<CByteItem*>(list.InsertAtLabel(
            Register(name.c_str(), 3, AccessType::Read, {{address}}, 1, LabelRole::BlockStart), 1));
        CheckRegister(list, reg);
        expected.push_back(name);
    }
    expected.insert(expected.end(), {"S2", "Late"});
    EXPECT_EQ(Names(list), expected);
    // "Late" lies after the insertion point, R0 before it.
    auto* late = static_cast<CByteItem*>(list.InsertAtLabel(
        Register("P2", 3, AccessType::Prot, {{"02"}}, 1, LabelRole::BlockStart), 1));
    EXPECT_EQ(CheckRegister(list, late), Codes{});
    auto* early = static_cast<CByteItem*>(list.InsertAtLabel(
        Register("P1", 3, AccessType::Prot, {{"01"}}, 1, LabelRole::BlockStart), 1));
    EXPECT_EQ(CheckRegister(list, early), Codes{StringId::ErrB14});
}

TEST_F(ItemListTest, TemplatesMustKeepTheDigitsOfTheirParent) {
    list.Append(Device("Board", "XX12"));
    auto* good = list.InsertAfterCurrent(Set("Good", 2, "3412", 1, LabelRole::Recorded));
    list.Check(good);
    EXPECT_EQ(list.TakeErrors(), Codes{});
    auto* bad = list.InsertAfterCurrent(Set("Bad", 3, "3456"));
    list.Check(bad);
    EXPECT_EQ(list.TakeErrors(), Codes{StringId::ErrB09}) << "its parent Good defines 34 and 12";
}

TEST_F(ItemListTest, AnItemInsertedAtALabelBecomesTheParentOfDeeperItemsAfterIt) {
    list.Append(Device("Board", "XX12"));
    list.InsertAfterCurrent(Set("S1", 2, "3412"));
    list.InsertAfterCurrent(Set("S1a", 3, "3412"));
    list.InsertAfterCurrent(Set("L", 4, "3412", 2, LabelRole::Recorded));
    auto* follower = list.InsertAfterCurrent(Set("F", 3, "3412"));
    list.InsertAtLabel(Set("X", 2, "5612", 2, LabelRole::BlockStart), 2);
    EXPECT_EQ(Names(list).back(), "F");
    list.Check(follower);
    EXPECT_EQ(list.TakeErrors(), Codes{StringId::ErrB09}) << "F now lies below X";
    auto* next = list.InsertAfterCurrent(Set("G", 3, "5612"));
    list.Check(next);
    EXPECT_EQ(list.TakeErrors(), Codes{});
    auto* sibling = list.InsertAfterCurrent(Set("H", 2, "7812"));
    list.Check(sibling);
    EXPECT_EQ(list.TakeErrors(), Codes{}) << "parent is the device";
}

TEST_F(ItemListTest, MaskIsNotCheckedWhenTheTemplateFails) {
    list.Append(Device("Board", "XX12"));
    EXPECT_EQ(AddRegister(list, Register("R", 2, AccessType::Both, {{"3456", 1, 1, 0x100}})),
              Codes{StringId::ErrB09});
}

TEST_F(ItemListTest, RecordedLabelsMayNotRepeatWithinABlock) {
    auto* first = list.InsertAfterCurrent(Set("S1", 2, "XX", 4, LabelRole::Recorded));
    list.Check(first);
    EXPECT_EQ(list.TakeErrors(), Codes{});
    auto* again = list.InsertAfterCurrent(Set("S2", 2, "XX", 4, LabelRole::Recorded));
    list.Check(again);
    EXPECT_EQ(list.TakeErrors(), Codes{StringId::ErrB06});
    list.InsertAfterCurrent(Set("Start", 2, "XX", 5, LabelRole::BlockStart));
    auto* afterStart = list.InsertAfterCurrent(Set("S3", 2, "XX", 4, LabelRole::Recorded));
    list.Check(afterStart);
    EXPECT_EQ(list.TakeErrors(), Codes{}) << "the walk ends at the block's start";
    list.Append(Device("Other", "XX"));
    auto* otherDevice = list.InsertAfterCurrent(Set("S4", 2, "XX", 5, LabelRole::Recorded));
    list.Check(otherDevice);
    EXPECT_EQ(list.TakeErrors(), Codes{}) << "labels belong to one device";
}

TEST_F(ItemListTest, BitFieldsMustAddressAPartAndStayInsideItsMask) {
    auto* reg = static_cast<CByteItem*>(list.InsertAfterCurrent(
        Register("R", 2, AccessType::Both, {{"01", 1, 1, 0x0F}, {"02", 1, 1, 0xF0}})));
    CheckRegister(list, reg);
    const auto bit = [&](const char* addressText, uint32_t mask) {
        auto b = std::make_unique<CBitItem>();
        b->SetLevel(3);
        b->SetAddressText(test::TestText(addressText));
        b->SetAddressLength(1);
        b->SetMask(mask);
        b->SetRegister(reg);
        auto* added = list.InsertAfterCurrent(std::move(b));
        list.Check(added);
        return list.TakeErrors();
    };
    EXPECT_EQ(bit("01", 0x03), Codes{});
    EXPECT_EQ(bit("02", 0x30), Codes{});
    EXPECT_EQ(bit("02", 0x0F), Codes{StringId::ErrB12});
    EXPECT_EQ(bit("03", 0x100), Codes{StringId::ErrB13}) << "mask not checked after B13";
}

// Many registers at a few neighbouring addresses, most of them alike and the rest of every kind
// (access types, memory models, parts spanning into the next addresses, masks and defaults): the
// codes of each check are those of comparing it with every earlier part, nearest register first,
// however many parts an address holds.
TEST_F(ItemListTest, CrowdedAddressesGiveTheCodesOfComparingEveryPair) {
    struct Earlier {
        PartTraits traits;
        uint64_t address;
    };
    std::vector<std::vector<Earlier>> earlier; // by register, its parts
    std::mt19937 random(29);
    const auto below = [&](uint32_t n) { return static_cast<uint32_t>(random() % n); };
    constexpr AccessType kAccess[] = {AccessType::Read, AccessType::Write, AccessType::Both,
                                      AccessType::Status, AccessType::Prot};
    const char* const kAddresses[] = {"10", "11", "12", "13", "14"};
    std::size_t codes = 0;
    for (int r = 0; r < 800; ++r) {
        const bool alike = below(10) < 7;
        const AccessType access = alike ? AccessType::Both : kAccess[below(5)];
        std::vector<PartForm> forms;
        for (uint32_t k = 0, parts = alike ? 1 : 1 + below(2); k < parts; ++k) {
            PartForm form{kAddresses[alike ? 1 : below(5)]};
            if (!alike) {
                form.dataLength = static_cast<uint16_t>(1 + below(4));
                form.memorySize = below(4) == 0 ? form.dataLength : uint16_t{1};
                const uint32_t bits =
                    form.dataLength == 4 ? 0xFFFFFFFFu : (1u << (8 * form.dataLength)) - 1;
                form.mask = (static_cast<uint32_t>(random()) | (1u << below(8))) & bits;
                form.defaultValue = static_cast<uint32_t>(random()) & form.mask & -below(2);
            }
            forms.push_back(form);
        }
        auto reg = Placed<CByteItem>("R", 2, 0, LabelRole::None);
        reg->SetAccessType(access);
        Codes expected;
        std::vector<Earlier> own;
        for (const PartForm& form : forms) {
            CByteItem::Part part;
            part.SetAddressText(test::TestText(form.addressText));
            part.addressLength = 1;
            part.dataLength = form.dataLength;
            part.memorySize = form.memorySize;
            part.mask = form.mask;
            part.width = __builtin_popcount(form.mask);
            part.defaultValue = form.defaultValue;
            if (!reg->AddPart(part))
                continue;
            const Earlier mine{{form.mask, form.defaultValue, form.memorySize,
                                form.memorySize < form.dataLength, access},
                               std::stoul(form.addressText, nullptr, 16)};
            for (auto it = earlier.rbegin(); it != earlier.rend(); ++it) {
                for (const Earlier& p : *it) {
                    if (auto code = OverlapError(mine.traits, mine.address, p.traits, p.address))
                        expected.push_back(*code);
                }
            }
            own.push_back(mine);
        }
        const Codes found = AddRegister(list, std::move(reg));
        ASSERT_EQ(found, expected) << "register " << r;
        codes += found.size();
        earlier.push_back(std::move(own));
    }
    // The mix gives codes of every kind, yet most registers were alike and met no error.
    EXPECT_GT(codes, 1000U);
}

TEST_F(ItemListTest, ClearingEndsEveryItemAndTheListStartsAfresh) {
    list.InsertAfterCurrent(Set("S", 2, "XX"));
    ItemPtr<CByteItem> made = list.Make<CByteItem>();
    made->SetName(test::TestText("R"));
    made->SetLevel(3);
    list.InsertAfterCurrent(std::move(made));
    ASSERT_EQ(Names(list), (std::vector<std::string>{"", "Chip", "S", "R"}));
    list.Clear();
    EXPECT_EQ(list.Size(), 0U);
    EXPECT_EQ(list.GetCurrent(), nullptr);
    list.InsertAfterCurrent(Set("T", 2, "XX"));
    EXPECT_EQ(Names(list), std::vector<std::string>{"T"});
}

} // namespace
} // namespace vek
