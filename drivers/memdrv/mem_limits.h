// The limits of the memory-mapped register driver, checked as it reads its settings and as it
// is asked for a register.
#pragma once

#include <cstdint>

namespace vek {

// The largest region one open maps. Register blocks take KiB to a few MiB; the largest memory
// BARs (a graphics card's resizable frame-buffer BAR) some tens of GiB. A larger size is a typing
// slip, and mapping it would reserve that much of the process's address space for nothing.
inline constexpr std::int64_t kMaxRegionBytes = std::int64_t{64} << 30;

// The highest base and file offset: the last byte of the region must still have an address and a
// file offset (off_t is signed 64-bit), so both stay a whole region below the largest one.
inline constexpr std::int64_t kMaxRegionStart = INT64_MAX - kMaxRegionBytes;

// The most address bytes a register has: the bytes form one 64-bit number, and the program keeps
// no more (VEK_MAX_ADDRESS_BYTES).
inline constexpr int kMaxAddressBytes = 8;

// The widest register: a 32-bit access, the widest value the interface carries.
inline constexpr int kMaxRegisterBytes = 4;

} // namespace vek
