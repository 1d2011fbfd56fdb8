// pardrv32: the I2C parallel-port register driver, one per process.
#include "par_driver.h"
#include "settings_file.h"

namespace vek {

RegisterDriver& ProcessDriver() {
    static ParDriver driver(std::make_unique<DynamicAdapterLibrary>("I2C32.DLL"), PcalhIoPath);
    return driver;
}

} // namespace vek
