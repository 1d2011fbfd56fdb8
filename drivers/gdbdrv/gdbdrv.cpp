// gdbdrv: registers in a target's memory through a GDB debug server. Besides the five functions
// it offers VekGetRegs, which reads a run of neighbouring registers in one packet.
#include "gdb_driver.h"
#include "vekdriver.h"

namespace vek {
namespace {

GdbDriver& TheDriver() {
    static GdbDriver driver(LoadGdbSettings);
    return driver;
}

} // namespace

RegisterDriver& ProcessDriver() {
    return TheDriver();
}

} // namespace vek

extern "C" int VekGetRegs(int count, int addrLen, int dataLen, const unsigned char* addrs,
                          uint32_t* data) {
    return vek::TheDriver().GetRegs(count, addrLen, dataLen, addrs, data) ? 1 : 0;
}
