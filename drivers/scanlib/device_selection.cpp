#include "device_selection.h"

#include "soft/software_tap.h"

#include <cstdlib>
#include <string_view>

namespace bsx4810 {

std::unique_ptr<CDeviceChannel> OpenDeviceFromEnvironment() {
    const char* chosen = std::getenv("BSX4810_DEVICE");
    const std::string_view name = chosen ? chosen : "";
    if (name.empty() || name == "soft")
        return OpenSoftwareTap();
    return nullptr; // "none", or a back end this build does not have
}

} // namespace bsx4810
