#include "model/register_codes.h"

#include <gtest/gtest.h>

#include <type_traits>

namespace vek {
namespace {

// The numbers are the system's: views, scripts and saved settings pass them as they are.
static_assert((UpdateCode::ValueValid | UpdateCode::Write).ToBits() == 0x48);
static_assert(UpdateCodes(UpdateCode::Read).ToBits() == 0x20);
static_assert((UpdateCode::Hex | UpdateCode::Binary | UpdateCode::Decimal).ToBits() == 0x380);
static_assert((TransferFlag::WriteDefault | TransferFlag::Simulation).ToBits() == 0x14);
static_assert((ItemFlag::Signed | ItemFlag::Slider).ToBits() == 0x3000);
static_assert((MacroFlag::ReadMacros | MacroFlag::WriteMacros).ToBits() == 0x6000);

// The same bit means different things to an item and to the document: the sets do not mix.
static_assert(!std::is_convertible_v<ItemFlag, MacroFlags>);
static_assert(!std::is_convertible_v<UpdateCodes, ItemFlags>);
static_assert(!std::is_convertible_v<int, TransferFlags>);

TEST(RegisterCodes, FlagSetsSetClearAndTest) {
    ItemFlags flags = ItemFlag::Signed | ItemFlag::ValueShown;
    EXPECT_TRUE(flags.Has(ItemFlag::Signed));
    EXPECT_TRUE(flags.Has(ItemFlag::Signed | ItemFlag::ValueShown));
    EXPECT_FALSE(flags.Has(ItemFlag::Signed | ItemFlag::Slider)) << "Has wants every bit";
    EXPECT_TRUE(flags.HasAny(ItemFlag::Signed | ItemFlag::Slider));
    flags.Clear(ItemFlag::Signed);
    EXPECT_EQ(flags, ItemFlags(ItemFlag::ValueShown));
    flags.Assign(ItemFlag::Slider, true).Assign(ItemFlag::ValueShown, false);
    EXPECT_EQ(flags.ToBits(), 0x1000u);
    flags.Toggle(ItemFlag::Slider);
    EXPECT_TRUE(flags.IsEmpty());
    EXPECT_TRUE(flags.Has({})) << "the empty set is in every set";
    EXPECT_EQ(UpdateCodes::FromBits(0x2080), UpdateCode::Hex | UpdateCode::ReadMacros);
}

} // namespace
} // namespace vek
