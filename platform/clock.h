#pragma once

#include <cstdint>

namespace vek {

// Milliseconds of a steady clock, wrapping at 2^32 like a system tick count; differences are
// taken unsigned so that a wrap does no harm.
std::uint32_t TickCount();

// Blocks the calling thread for the given number of milliseconds.
void WaitMilliseconds(std::uint32_t milliseconds);

} // namespace vek
