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
#define VEK_UPDATE_CODES(X)                                                                        \
    X(SecondIcon, 0x0001)                                                                          \
    X(FirstIcon, 0x0002)                                                                           \
    X(ValueValid, 0x0008) /* the shadow register holds a value the item may take */                \
    X(Read, 0x0020)                                                                                \
    X(Write, 0x0040)                                                                               \
    X(Hex, 0x0080) /* the radix a view shows */                                                    \
    X(Binary, 0x0100)                                                                              \
    X(Decimal, 0x0200)                                                                             \
    X(SwitchOn, 0x1000)    /* with ReadMacros or WriteMacros: turn them on, else off */            \
    X(ReadMacros, 0x2000)  /* switch the read macros */                                            \
    X(WriteMacros, 0x4000) /* switch the write macros */
VEK_FLAG_ENUM(UpdateCode, UpdateCodes, VEK_UPDATE_CODES)

// How a transfer is made.
#define VEK_TRANSFER_FLAGS(X)                                                                      \
    X(WriteDefault, 0x04)                                                                          \
    X(Simulation, 0x10)
VEK_FLAG_ENUM(TransferFlag, TransferFlags, VEK_TRANSFER_FLAGS)

// The flags of an item.
#define VEK_ITEM_FLAGS(X)                                                                          \
    X(ValueShown, 0x0008)                                                                          \
    X(ReadEffects, 0x0010)   /* a register whose read changes the chip: bulk reads pass it over */ \
    X(ChangedByRead, 0x0020) /* the last read brought another value than the one shown before */   \
    X(Bookmark, 0x0400)                                                                            \
    X(CarriesValue, 0x0800)                                                                        \
    X(Slider, 0x1000)                                                                              \
    X(Signed, 0x2000)                                                                              \
    X(Editing, 0x4000)
VEK_FLAG_ENUM(ItemFlag, ItemFlags, VEK_ITEM_FLAGS)
// Items keep their flags, and registers their macro flags, in 16 bits.
#define VEK_FITS_16_BITS(name, value) static_assert((value) <= 0xFFFF);
VEK_ITEM_FLAGS(VEK_FITS_16_BITS)

// Whether register macros run: the macro flags of a register or variable, and the document's.
#define VEK_MACRO_FLAGS(X)                                                                         \
    X(ReadMacros, 0x2000)                                                                          \
    X(WriteMacros, 0x4000)
VEK_FLAG_ENUM(MacroFlag, MacroFlags, VEK_MACRO_FLAGS)
VEK_MACRO_FLAGS(VEK_FITS_16_BITS)
#undef VEK_FITS_16_BITS

} // namespace vek
