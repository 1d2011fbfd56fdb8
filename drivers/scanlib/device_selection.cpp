#include "device_selection.h"

#include "ftdi/open_ftdi_cable.h"
#include "soft/software_tap.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

namespace bsx4810 {

std::unique_ptr<CDeviceChannel> OpenDeviceFromEnvironment() {
    const char* chosen = std::getenv("BSX4810_DEVICE");
    const std::string_view name = chosen ? chosen : "";
    if (name.empty() || name == "soft")
        return OpenSoftwareTap();
    constexpr std::string_view kFtdi = "ftdi";
    if (name.starts_with(kFtdi) && (name.size() == kFtdi.size() || name[kFtdi.size()] == ':'))
        return OpenFtdiCable(name.substr(std::min(name.size(), kFtdi.size() + 1)));
    return nullptr; // "none", or a back end this build does not have
}

} // namespace bsx4810
