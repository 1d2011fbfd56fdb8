#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vek {

class TransferLog;

// Appends a field of a comma-separated line: as it is, or quoted when it holds a comma, a quote
// or a line end.
void AppendCsvField(std::string& line, std::string_view field);

// Logged transfers as comma-separated values with a heading line: time in milliseconds since the
// log started, local wall time to the millisecond, driver, device, register, address, "R" or "W",
// the value in `radix` (as TransferValueText writes it; empty for a failed read) and "ok" or the
// reason of a failure. Fields that hold a comma, a quote or a line end are quoted.
std::string TransferCsv(const TransferLog& log, const std::vector<std::uint64_t>& sequences,
                        int radix);

} // namespace vek
