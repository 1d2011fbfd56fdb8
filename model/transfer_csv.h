#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vek {

class TransferLog;

// Logged transfers as comma-separated values with a heading line: time in milliseconds since the
// log started, local wall time to the millisecond, driver, device, register, address, "R" or "W",
// the value in `radix` (as TransferValueText writes it; empty for a failed read) and "ok" or the
// reason of a failure. Fields that hold a comma, a quote or a line end are quoted.
std::string TransferCsv(const TransferLog& log, const std::vector<std::uint64_t>& sequences,
                        int radix);

} // namespace vek
