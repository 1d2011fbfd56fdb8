#pragma once

#include "model/register_codes.h"

#include <string>

namespace vek {

class CShadowReg;

// `vek open --trace`: a line on standard error for every transfer that reaches a driver, as it
// ends: "W 0x1003 0x07 ok", "R 0x1002 0x11 ok", "R 0x1002 - failed: MESSAGE" (a write that
// failed shows the value it tried).
std::string TraceLine(const CShadowReg& reg, UpdateCode direction, bool done);

} // namespace vek
