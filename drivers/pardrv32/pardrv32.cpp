// pardrv32: the I2C parallel-port register driver, one per process.
#include "par_driver.h"
#include "pcalh_io.h"
#include "platform/settings_file.h"

namespace vek {

RegisterDriver& ProcessDriver() {
    static ParDriver driver(std::make_unique<DynamicAdapterLibrary>("I2C32.DLL"), [] {
        return ReadSettingsFile(kPcalhIoOverrideVariable, kPcalhIoFileName);
    });
    return driver;
}

} // namespace vek
