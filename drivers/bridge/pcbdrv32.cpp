// pcbdrv32: the bridge chip's own PCI registers through one CQpciIo per process.
#include "bridge_driver.h"
#include "qbr18_32.h"

namespace vek {

RegisterDriver& ProcessDriver() {
    // Without the chip the object stays, but the open fails.
    static BridgeDriver<CQpciIo> driver(
        [] { return new CQpciIo(0, kQbr7318DeviceId, kQbr7318VendorId); },
        [](const CQpciIo& io) { return io.IsDevicePresent() == kQbrDevicePresent; });
    return driver;
}

} // namespace vek
