// memdrv: registers of this machine through a memory mapping, one driver per process.
#include "mem_driver.h"
#include "platform/settings_file.h"

#include <unistd.h>

namespace vek {

RegisterDriver& ProcessDriver() {
    static MemDriver driver(
        [] { return ReadSettingsFile(kMemdrvOverrideVariable, kMemdrvFileName); },
        static_cast<std::int64_t>(sysconf(_SC_PAGESIZE)));
    return driver;
}

} // namespace vek
