#pragma once

#include "platform/string_table.h"

#include <optional>
#include <string>
#include <string_view>

namespace vek {

struct DriverEntryPoints;

// The driver's status text, or none when the driver has no status function.
std::optional<std::string> DriverStatus(const DriverEntryPoints* driver);

// Whether the message shows a detail after " : ".
bool ShowsDetail(StringId id);

// A driver error line as the message's catalogue entry says: its text, then the register's
// address and " : " with the detail (a file or function name, or the driver's status) where the
// entry carries them. A detail that is not there leaves out its " : ".
std::string DriverErrorLine(StringId id, std::string_view address,
                            const std::optional<std::string>& detail);

} // namespace vek
