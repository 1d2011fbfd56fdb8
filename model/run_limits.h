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

// A live refresh reads again at most ten times a second and at least every ten seconds: faster
// than the eye follows a value costs the bus for nothing, slower is a Read Now.
inline constexpr int kLiveRefreshMinInterval = 100;    // ms
inline constexpr int kLiveRefreshMaxInterval = 10'000; // ms
// A round of a live refresh reads this many registers between two looks at the clock: one run
// of a driver that reads many at once, short enough on a slow bus (an I2C read takes about half a
// millisecond) that the window keeps drawing.
inline constexpr std::size_t kLiveRefreshSlice = 64;
// The event loop gets its turn again after this long of reading, whatever is left of the round.
inline constexpr int kLiveRefreshSliceTime = 15; // ms
// A live refresh stops after this many rounds in a row with failed reads: a probe that was
// unplugged, a board without power. A single bad read does not end a long watch.
inline constexpr int kLiveRefreshFailedRounds = 3;

// A plot keeps the last this many values of each trace: ten reads a second for nearly three hours,
// 16 bytes each. More traces than kMaxPlotTraces on one axis cannot be told apart.
inline constexpr std::size_t kPlotTraceCapacity = 100000;
inline constexpr std::size_t kMaxPlotTraces = 16;

} // namespace vek
