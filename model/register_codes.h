#pragma once

#include <cstdint>

namespace vek {

// The access type of a register, selected in a description by the letters r/w/b/s/f.
enum class AccessType : int { Read = 0, Write = 1, Both = 2, Status = 3, Prot = 4, NotGiven = 5 };

// Registers further apart than this many addresses never share bytes: a value has 4 bytes.
inline constexpr uint64_t kOverlapReach = 3;

// What a shadow register tells its items after a transfer, and the row-state codes of the tree.
namespace update_code {
inline constexpr int SecondIcon = 0x01;
inline constexpr int FirstIcon = 0x02;
inline constexpr int ValueValid = 0x08;
inline constexpr int Read = 0x20;
inline constexpr int Write = 0x40;
} // namespace update_code

// How a transfer is made.
namespace transfer_flag {
inline constexpr int WriteDefault = 0x04;
inline constexpr int Simulation = 0x10;
} // namespace transfer_flag

// Display flags that views pass to items with Update.
namespace display_flag {
inline constexpr int Hex = 0x0080;
inline constexpr int Binary = 0x0100;
inline constexpr int Decimal = 0x0200;
inline constexpr int SwitchOn = 0x1000;    // with ReadMacros or WriteMacros: turn it on
inline constexpr int ReadMacros = 0x2000;  // switch the read macros
inline constexpr int WriteMacros = 0x4000; // switch the write macros
} // namespace display_flag

// The item flags.
namespace item_flag {
inline constexpr int ValueShown = 0x0008;
inline constexpr int Bookmark = 0x0400;
inline constexpr int CarriesValue = 0x0800;
inline constexpr int Slider = 0x1000;
inline constexpr int Signed = 0x2000;
inline constexpr int Editing = 0x4000;
} // namespace item_flag

// The macro flags of a variable or register.
namespace macro_flag {
inline constexpr int ReadMacros = 0x2000;
inline constexpr int WriteMacros = 0x4000;
} // namespace macro_flag

} // namespace vek
