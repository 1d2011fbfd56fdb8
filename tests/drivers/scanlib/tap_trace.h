// Reads recorded vector requests back the way a TAP sees them, one entry per event:
// "reset" (a request of five TMS 1 clocks), "trst", or a completed scan such as "IR 5 0a" or
// "DR 32 00220000" (register, bit count, the shifted bits in hexadecimal, last bit first).
#pragma once

#include "recording_device.h"

#include <string>
#include <vector>

namespace bsx4810::test {

std::vector<std::string> TraceScans(const std::vector<DeviceLog::Request>& requests);

} // namespace bsx4810::test
