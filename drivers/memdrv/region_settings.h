// The region the driver maps, from section [Region] of its settings file memdrv.ini.
#pragma once

#include "platform/profile_file.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vek {

inline constexpr const char* kMemdrvFileName = "memdrv.ini";
inline constexpr const char* kMemdrvOverrideVariable = "VEK_MEMDRV";
inline constexpr const char* kDevMem = "/dev/mem";

struct RegionSettings {
    // The file whose bytes are the registers: key "Device", /dev/mem when absent.
    std::string device = kDevMem;
    // The address of the first mapped byte ("Base", 0 when absent): the register addresses of a
    // description are these addresses.
    std::int64_t base = 0;
    // The bytes mapped ("Size"); there is no default.
    std::int64_t size = 0;
    // Where in the file the region starts ("Offset"): when absent, the base for /dev/mem, whose
    // file offsets are physical addresses, and 0 for any other file.
    std::int64_t offset = 0;
    // The faulty entries, each as the status text says it; the region is not mapped with any.
    std::vector<std::string> problems;
};

// The settings with the system's page size, to which the base and the offset must be aligned.
RegionSettings ReadRegionSettings(const ProfileFile& settings, std::int64_t pageSize);

} // namespace vek
