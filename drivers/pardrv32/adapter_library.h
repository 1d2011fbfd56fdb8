// The adapter library I2C32 as the driver sees it: loaded by name, twelve functions bound.
#pragma once

#include "i2c32.h"
#include "platform/result.h"

#include <string>
#include <vector>

namespace vek {

// The bound functions, named as the library exports them.
struct I2c32Functions {
#define VEK_I2C32_ENTRY(name, type) type name = nullptr;
    I2C32_FUNCTIONS(VEK_I2C32_ENTRY)
#undef VEK_I2C32_ENTRY
};

class AdapterLibrary {
public:
    virtual ~AdapterLibrary() = default;
    // Loads the library and binds all twelve functions; on any failure nothing stays loaded.
    virtual Result<I2c32Functions> Load() = 0;
    virtual void Unload() = 0;
};

// The environment variable that names the adapter library's file instead of the usual search.
inline constexpr const char* kAdapterLibraryVariable = "VEK_I2C32_LIBRARY";

// Files tried for a library named as on Windows ("I2C32.DLL"): the path in kAdapterLibraryVariable
// alone when it is set; otherwise "lib<name>.so" beside the driver, then the system's search.
std::vector<std::string> AdapterLibraryCandidates(const std::string& name,
                                                  const std::string& driverDirectory);

// Loads with dlopen and binds with dlsym. The destructor leaves a loaded library alone: at
// process exit the library may already be finalised.
class DynamicAdapterLibrary : public AdapterLibrary {
public:
    explicit DynamicAdapterLibrary(std::string name) : name_(std::move(name)) {}
    Result<I2c32Functions> Load() override;
    void Unload() override;

private:
    std::string name_;
    void* handle_ = nullptr;
};

} // namespace vek
