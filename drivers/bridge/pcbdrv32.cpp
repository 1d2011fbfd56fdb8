// pcbdrv32: the bridge chip's own PCI registers through one CQpciIo per process.
#include "bridge_driver.h"
#include "qbr18_32.h"

namespace vek {
namespace {

struct PciAccess {
    using Object = CQpciIo;
    static CQpciIo* Make() { return new CQpciIo(0, kQbr7318DeviceId, kQbr7318VendorId); }
    // Without the chip the object stays, but the open fails.
    static bool Usable(const CQpciIo& io) { return io.IsDevicePresent() == kQbrDevicePresent; }
    static constexpr auto SetReg = PciSetReg<CQpciIo>;
    static constexpr auto GetReg = PciGetReg<CQpciIo>;
};

} // namespace

RegisterDriver& ProcessDriver() {
    static BridgeDriver<PciAccess> driver;
    return driver;
}

} // namespace vek
