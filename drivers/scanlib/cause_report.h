// Why a step of the scan library failed, for the user: the exports answer only 0 or 1 and the
// driver's status text names only the step, so the cause goes to standard error as one line,
// "BSX4810 <part>: <cause>", where vek shows it among the output window's lines.
#pragma once

#include <string>

namespace bsx4810 {

// `part` names where the cause lies: "ftdi", "lock", "soft".
void ReportCause(const char* part, const std::string& cause);

} // namespace bsx4810
