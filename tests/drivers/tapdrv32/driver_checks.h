// Checks shared by the JTAG driver's tests.
#pragma once

#include "bsx4810.h"
#include "tap_driver.h"
#include "vekdriver.h"

#include <string>

namespace tapdrv32::test {

// The driver's status text, which reading clears.
inline std::string StatusOf(CTapDriver& driver) {
    char text[VEK_STATUS_TEXT_SIZE];
    driver.GetStatus(text);
    return text;
}

// The controller is free again: the driver gave it back.
inline bool ControllerFree() {
    const bool free = open_4810() == 0;
    close_4810();
    return free;
}

} // namespace tapdrv32::test
