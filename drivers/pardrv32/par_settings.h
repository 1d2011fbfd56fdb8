// The adapter settings the driver reads from pcalh_io.ini on its first open.
#pragma once

#include "platform/profile_file.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vek {

struct ParSettings {
    int interfaceType = 1;
    uint32_t waitAfterWrite = 0; // milliseconds
    int bitrate = 100000;
    int ioAddress = 888;
    int timeout = 10;
    // The faulty entries, each as "bad <key> '<text>'": a value that is not a number of its form,
    // lies outside its range or names no interface type. The adapter is not opened with any.
    std::vector<std::string> problems;
};

// "Hardwareless" 1, "SingleMaster" 2, "MultiMaster" 3, "HighspeedBoard" 4, "VMC" 5,
// "FullspeedInterface" 6, compared exactly; anything else 0, which names no bus.
int InterfaceTypeCode(std::string_view text);

ParSettings ReadParSettings(const ProfileFile& settings);

} // namespace vek
