#include "process_scan_library.h"

#include "device_selection.h"

namespace bsx4810 {

namespace {
std::unique_ptr<CScanLibrary>& Instance() {
    static std::unique_ptr<CScanLibrary> library;
    return library;
}
} // namespace

CScanLibrary& ProcessScanLibrary() {
    auto& library = Instance();
    if (!library)
        library = std::make_unique<CScanLibrary>(OpenDeviceFromEnvironment);
    return *library;
}

void ResetProcessScanLibrary(DeviceFactory openDevice) {
    Instance() = std::make_unique<CScanLibrary>(std::move(openDevice));
}

} // namespace bsx4810
