#pragma once

#include "platform/flags.h"

#include <cstdint>

namespace vek {

// The access type of a register, selected in a description by the letters r/w/b/s/f.
enum class AccessType : int { Read = 0, Write = 1, Both = 2, Status = 3, Prot = 4, NotGiven = 5 };

// Registers further apart than this many addresses never share bytes: a value has 4 bytes.
inline constexpr uint64_t kOverlapReach = 3;

// What an item's Update is told: by a shadow register after a transfer, or by a view that shows
// another icon, switches the radix or switches the register macros. The values are the system's.
enum class UpdateCode : std::uint32_t {
    SecondIcon = 0x0001,
    FirstIcon = 0x0002,
    ValueValid = 0x0008, // the shadow register holds a value the item may take
    Read = 0x0020,
    Write = 0x0040,
    Hex = 0x0080, // the display flags a view passes
    Binary = 0x0100,
    Decimal = 0x0200,
    SwitchOn = 0x1000,    // with ReadMacros or WriteMacros: turn them on, else off
    ReadMacros = 0x2000,  // switch the read macros
    WriteMacros = 0x4000, // switch the write macros
};
template <>
inline constexpr bool kIsFlagEnum<UpdateCode> = true;
using UpdateCodes = Flags<UpdateCode>;

// How a transfer is made.
enum class TransferFlag : std::uint32_t {
    WriteDefault = 0x04,
    Simulation = 0x10,
};
template <>
inline constexpr bool kIsFlagEnum<TransferFlag> = true;
using TransferFlags = Flags<TransferFlag>;

// The flags of an item.
enum class ItemFlag : std::uint32_t {
    ValueShown = 0x0008,
    Bookmark = 0x0400,
    CarriesValue = 0x0800,
    Slider = 0x1000,
    Signed = 0x2000,
    Editing = 0x4000,
};
template <>
inline constexpr bool kIsFlagEnum<ItemFlag> = true;
using ItemFlags = Flags<ItemFlag>;

// Whether register macros run: the macro flags of a register or variable, and the document's.
enum class MacroFlag : std::uint32_t {
    ReadMacros = 0x2000,
    WriteMacros = 0x4000,
};
template <>
inline constexpr bool kIsFlagEnum<MacroFlag> = true;
using MacroFlags = Flags<MacroFlag>;

} // namespace vek
