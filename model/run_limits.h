#pragma once

#include <cstddef>

namespace vek {

// Register macros run within one another: a macro's statement that reads a STATUS register runs
// that register's read macro, and so on down a chain of registers. A macro never runs within
// itself, so a chain ends, but each step takes room on the stack, and a description of thousands
// of macros chained so would exhaust it. Chains of real boards are one or two steps long.
inline constexpr int kMaxMacroNesting = 64;

// Read Now hands a driver that reads runs of registers (VekGetRegs) at most this many in one call:
// enough that a debug server's round trip is shared by hundreds of registers, few enough that the
// run's buffers stay small and one slow call does not hold the progress back for long.
inline constexpr int kMaxReadRun = 256;

// The transfer log keeps the last this many transfers, older ones give way: enough to see a whole
// Read Now of a large board, 24 bytes each, so that a script writing millions of registers does
// not fill the memory.
inline constexpr std::size_t kTransferLogCapacity = 100000;

} // namespace vek
