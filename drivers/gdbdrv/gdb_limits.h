// The limits of the GDB server driver, each with the reason it has.
#pragma once

#include <cstddef>

namespace vek {

// A reply longer than this is not a register's: the driver asks for at most 4 data bytes, and
// the longest reply it reads (qSupported's feature list) stays far below it. A server that sends
// more is refused instead of growing the buffer without end.
inline constexpr std::size_t kMaxReplyBytes = 16384;
// The packet size GDB assumes of a server whose qSupported names none; a run of registers read in
// one packet keeps its reply within the server's packet size.
inline constexpr std::size_t kDefaultPacketSize = 400;
// A packet the server keeps rejecting ('-') is given up after this many tries: a line so noisy
// would only repeat the failure.
inline constexpr int kMaxPacketTries = 5;
// Timeouts the settings may name, in milliseconds: below 10 ms a loopback server under load
// misses them, above 60 s a user thinks the program hung.
inline constexpr int kMinTimeoutMs = 10;
inline constexpr int kMaxTimeoutMs = 60000;
inline constexpr int kDefaultConnectTimeoutMs = 2000;
inline constexpr int kDefaultReplyTimeoutMs = 1000;
// A stop reply after an interrupt may follow a flood of console output ('O' packets); this many
// are read past before the target counts as not stopping.
inline constexpr int kMaxPacketsBeforeStop = 64;

} // namespace vek
