#pragma once

#include <cstddef>

namespace vek {

// Characters of a source line, line end excluded: the size of the line buffer descriptions are
// read through. A line of this length or more is refused whole (P06).
inline constexpr std::size_t kLineSize = 200;

// Syntax and lexical errors reported and counted: a broken file would otherwise bury the first
// message, which is the one that matters, under a message for every later token. The parse goes
// on to the end of the file all the same, and builder errors are never capped.
inline constexpr int kReportedSyntaxErrorLimit = 10;

// Characters of a name; a longer one is reported (B19) and kept.
inline constexpr std::size_t kMaxNameLength = 30;

// Characters of a string, quotes included; a longer one is reported (B19) and kept.
inline constexpr std::size_t kMaxStringLength = 80;

// Bytes of a device address: items and drivers carry at most eight. An address size out of range
// is reported (B25) and taken as this many.
inline constexpr int kMaxAddressSize = 8;

// Digits of a byte order (B28): a value has four bytes.
inline constexpr std::size_t kMaxByteOrderDigits = 4;

} // namespace vek
