// spidrv: registers of SPI chips through Linux spidev, one driver per process.
#include "platform/settings_file.h"
#include "spi_driver.h"

namespace vek {

RegisterDriver& ProcessDriver() {
    static SpiDriver driver(
        [] { return ReadSettingsFile(kSpiSettingsOverrideVariable, kSpiSettingsFileName); });
    return driver;
}

} // namespace vek
