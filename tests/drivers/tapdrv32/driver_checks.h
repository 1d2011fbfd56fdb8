// Checks shared by the JTAG driver's tests.
#pragma once

#include "bsx4810.h"

namespace vek::test {

// The controller is free again: the driver gave it back.
inline bool ControllerFree() {
    const bool free = open_4810() == 0;
    close_4810();
    return free;
}

} // namespace vek::test
