// The adapter library I2C32 as the driver sees it: loaded by name, twelve functions bound.
#pragma once

#include "i2c32.h"

#include <string>
#include <vector>

namespace pardrv {

struct I2c32Functions {
    I2cOpenFn open = nullptr;
    I2cCloseFn close = nullptr;
    I2cSetInterfaceTypeFn setInterfaceType = nullptr;
    I2cSetIOAddressFn setIOAddress = nullptr;
    I2cSetBitrateFn setBitrate = nullptr;
    I2cSetTimeoutFn setTimeout = nullptr;
    I2cSettingsAreValidFn settingsAreValid = nullptr;
    I2cSetDeviceAddressFn setDeviceAddress = nullptr;
    I2cErrorsOccurredFn errorsOccurred = nullptr;
    I2cGetErrorMessageFn getErrorMessage = nullptr;
    I2cReadAfterRestartExFn readAfterRestartEx = nullptr;
    I2cWriteExFn writeEx = nullptr;
};

class AdapterLibrary {
public:
    virtual ~AdapterLibrary() = default;
    // Loads the library and binds all twelve functions; on any failure nothing stays loaded.
    virtual bool Load(I2c32Functions& functions) = 0;
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
    bool Load(I2c32Functions& functions) override;
    void Unload() override;

private:
    std::string name_;
    void* handle_ = nullptr;
};

} // namespace pardrv
