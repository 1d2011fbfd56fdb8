// tapdrv32: the JTAG register driver. The open count and the pending status belong to the process
// that loaded the driver.
#include "tap_driver.h"

namespace vek {

RegisterDriver& ProcessDriver() {
    static TapDriver driver;
    return driver;
}

} // namespace vek
