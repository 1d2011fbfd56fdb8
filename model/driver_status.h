#pragma once

#include "vekdriver.h"

#include <string>

namespace vek {

// Asks a driver for its status text and gives it as the program shows it: cut to the
// VEK_STATUS_TEXT_SIZE - 1 characters a driver may use and with its control bytes escaped.
// A driver that writes more than that, or forgets the terminator, does the program no harm.
std::string ReadDriverStatus(VekGetStatusFn status);

} // namespace vek
