#include "adapter_library.h"

#include <cctype>
#include <cstdlib>
#include <dlfcn.h>

namespace pardrv {
namespace {

std::string DriverDirectory() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&DriverDirectory), &info) == 0 ||
        info.dli_fname == nullptr) {
        return {};
    }
    const std::string path = info.dli_fname;
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

template <class Function>
bool Bind(void* library, const char* name, Function& slot) {
    slot = reinterpret_cast<Function>(dlsym(library, name));
    return slot != nullptr;
}

bool BindAll(void* library, I2c32Functions& f) {
    return Bind(library, "i2cOpen", f.open) && Bind(library, "i2cClose", f.close) &&
           Bind(library, "i2cSetInterfaceType", f.setInterfaceType) &&
           Bind(library, "i2cSetIOAddress", f.setIOAddress) &&
           Bind(library, "i2cSetBitrate", f.setBitrate) &&
           Bind(library, "i2cSetTimeout", f.setTimeout) &&
           Bind(library, "i2cSettingsAreValid", f.settingsAreValid) &&
           Bind(library, "i2cSetDeviceAddress", f.setDeviceAddress) &&
           Bind(library, "i2cErrorsOccurred", f.errorsOccurred) &&
           Bind(library, "i2cGetErrorMessage", f.getErrorMessage) &&
           Bind(library, "i2cReadAfterRestartEx", f.readAfterRestartEx) &&
           Bind(library, "i2cWriteEx", f.writeEx);
}

} // namespace

std::vector<std::string> AdapterLibraryCandidates(const std::string& name,
                                                  const std::string& driverDirectory) {
    if (const char* chosen = std::getenv(kAdapterLibraryVariable); chosen && *chosen) {
        return {chosen};
    }
    std::string base = name;
    if (base.size() > 4) {
        std::string ending = base.substr(base.size() - 4);
        for (char& c : ending) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        if (ending == ".dll") {
            base.resize(base.size() - 4);
        }
    }
    const std::string file = "lib" + base + ".so";
    std::vector<std::string> candidates;
    if (!driverDirectory.empty()) {
        candidates.push_back(driverDirectory + "/" + file);
    }
    candidates.push_back(file);
    return candidates;
}

bool DynamicAdapterLibrary::Load(I2c32Functions& functions) {
    for (const std::string& candidate : AdapterLibraryCandidates(name_, DriverDirectory())) {
        handle_ = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle_ != nullptr) {
            break;
        }
    }
    if (handle_ == nullptr) {
        return false;
    }
    if (!BindAll(handle_, functions)) {
        Unload();
        functions = {};
        return false;
    }
    return true;
}

void DynamicAdapterLibrary::Unload() {
    if (handle_ != nullptr) {
        dlclose(handle_);
        handle_ = nullptr;
    }
}

} // namespace pardrv
