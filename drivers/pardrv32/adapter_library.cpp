#include "adapter_library.h"

#include "platform/text_helpers.h"

#include <cstdlib>
#include <dlfcn.h>
#include <optional>

namespace vek {
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

// The name of the first function that is missing; nothing when all twelve are bound.
std::optional<std::string> BindAll(void* library, I2c32Functions& functions) {
#define VEK_I2C32_BIND(name, type)                                                                 \
    if (!Bind(library, #name, functions.name)) {                                                   \
        return #name;                                                                              \
    }
    I2C32_FUNCTIONS(VEK_I2C32_BIND)
#undef VEK_I2C32_BIND
    return std::nullopt;
}

} // namespace

std::vector<std::string> AdapterLibraryCandidates(const std::string& name,
                                                  const std::string& driverDirectory) {
    if (const char* chosen = std::getenv(kAdapterLibraryVariable); chosen && *chosen) {
        return {chosen};
    }
    const bool dll = name.size() > 4 && EndsWithNoCase(name, ".dll");
    const std::string file = "lib" + name.substr(0, dll ? name.size() - 4 : name.size()) + ".so";
    std::vector<std::string> candidates;
    if (!driverDirectory.empty()) {
        candidates.push_back(driverDirectory + "/" + file);
    }
    candidates.push_back(file);
    return candidates;
}

Result<I2c32Functions> DynamicAdapterLibrary::Load() {
    const char* reason = "no candidate file";
    for (const std::string& candidate : AdapterLibraryCandidates(name_, DriverDirectory())) {
        handle_ = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle_ != nullptr) {
            break;
        }
        if (const char* error = dlerror()) {
            reason = error;
        }
    }
    if (handle_ == nullptr) {
        return Failure{1, name_ + ": " + reason};
    }
    I2c32Functions functions;
    if (const auto missing = BindAll(handle_, functions)) {
        Unload();
        return Failure{1, name_ + ": no function " + *missing};
    }
    return functions;
}

void DynamicAdapterLibrary::Unload() {
    if (handle_ != nullptr) {
        dlclose(handle_);
        handle_ = nullptr;
    }
}

} // namespace vek
