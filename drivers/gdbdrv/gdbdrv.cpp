// gdbdrv: registers in a target's memory through a GDB debug server.
#include "gdb_driver.h"

namespace vek {

RegisterDriver& ProcessDriver() {
    static GdbDriver driver(LoadGdbSettings);
    return driver;
}

} // namespace vek
