// icbdrv32: the I2C devices on the bridge chip's card through one CQpciI2c per process.
#include "bridge_driver.h"
#include "qbr18_32.h"

namespace vek {
namespace {

struct I2cAccess {
    using Object = CQpciI2c;
    static CQpciI2c* Make() { return new CQpciI2c(0); }
    // There is no presence check: transfers fail when the card is not there.
    static bool Usable(const CQpciI2c&) { return true; }
    static constexpr auto SetReg = I2cSetReg<CQpciI2c>;
    static constexpr auto GetReg = I2cGetReg<CQpciI2c>;
};

} // namespace

RegisterDriver& ProcessDriver() {
    static BridgeDriver<I2cAccess> driver;
    return driver;
}

} // namespace vek
