// pcbdrv32: the bridge chip's own PCI registers through one CQpciIo per process.
#include "vekdriver.h"

#include "bridge_register_access.h"
#include "qbr18_32.h"
#include "status_text.h"

#include <memory>

namespace {

// Destroyed through the virtual destructor, which gives the storage back with FreeFixed; also
// when the driver is unloaded without a close.
std::unique_ptr<CQpciIo> io;

} // namespace

extern "C" {

int VekOpen(void) {
    std::unique_ptr<CQpciIo> opened(new CQpciIo(0, kQbr7318DeviceId, kQbr7318VendorId));
    if (!opened) {
        return 0;
    }
    // A second open replaces the earlier object instead of losing it.
    io = std::move(opened);
    return io->IsDevicePresent() == kQbrDevicePresent ? 1 : 0;
}

int VekClose(void) {
    io.reset();
    return 1;
}

int VekSetReg(int addrLen, int dataLen, const unsigned char* addr, uint32_t data) {
    return bridge::PciSetReg(io.get(), addrLen, dataLen, addr, data);
}

int VekGetReg(int addrLen, int dataLen, const unsigned char* addr, uint32_t* data) {
    return bridge::PciGetReg(io.get(), addrLen, dataLen, addr, data);
}

void VekGetStatus(char* text) {
    drvsupport::CopyStatusText(bridge::kBridgeStatusText, text);
}

} // extern "C"
