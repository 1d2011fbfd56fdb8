// icbdrv32: the I2C devices on the bridge chip's card through one CQpciI2c per process.
#include "vekdriver.h"

#include "bridge_register_access.h"
#include "qbr18_32.h"
#include "status_text.h"

#include <memory>

namespace {

// Destroyed through the virtual destructor, which gives the storage back with FreeFixed; also
// when the driver is unloaded without a close.
std::unique_ptr<CQpciI2c> i2c;

} // namespace

extern "C" {

int VekOpen(void) {
    std::unique_ptr<CQpciI2c> opened(new CQpciI2c(0));
    if (!opened) {
        return 0;
    }
    // A second open replaces the earlier object instead of losing it.
    i2c = std::move(opened);
    return 1;
}

int VekClose(void) {
    i2c.reset();
    return 1;
}

int VekSetReg(int addrLen, int dataLen, const unsigned char* addr, uint32_t data) {
    return bridge::I2cSetReg(i2c.get(), addrLen, dataLen, addr, data);
}

int VekGetReg(int addrLen, int dataLen, const unsigned char* addr, uint32_t* data) {
    return bridge::I2cGetReg(i2c.get(), addrLen, dataLen, addr, data);
}

void VekGetStatus(char* text) {
    drvsupport::CopyStatusText(bridge::kBridgeStatusText, text);
}

} // extern "C"
