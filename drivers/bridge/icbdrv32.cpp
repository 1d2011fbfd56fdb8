// icbdrv32: the I2C devices on the bridge chip's card through one CQpciI2c per process.
#include "bridge_driver.h"
#include "qbr18_32.h"

namespace vek {

RegisterDriver& ProcessDriver() {
    // There is no presence check: transfers fail when the card is not there.
    static BridgeDriver<CQpciI2c> driver([] { return new CQpciI2c(0); },
                                         [](const CQpciI2c&) { return true; });
    return driver;
}

} // namespace vek
