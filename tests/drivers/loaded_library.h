// Libraries of the build, loaded by path and bound by name as the program loads its drivers.
#pragma once

#include "vekdriver.h"

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <string>

namespace vek::test {

class LoadedLibrary {
public:
    // `file` is the library's file name in the build's library folder.
    explicit LoadedLibrary(const std::string& file)
        : handle_(dlopen((std::string(VEK_BIN_DIR) + "/" + file).c_str(), RTLD_NOW | RTLD_LOCAL)) {
        if (handle_ == nullptr) {
            ADD_FAILURE() << dlerror();
        }
    }
    ~LoadedLibrary() {
        if (handle_ != nullptr) {
            dlclose(handle_);
        }
    }
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;

    bool Loaded() const { return handle_ != nullptr; }
    // The exported function `name`, or null.
    template <class Function>
    Function Find(const char* name) const {
        return handle_ != nullptr ? reinterpret_cast<Function>(dlsym(handle_, name)) : nullptr;
    }
    // The exported function `name`, which the test needs.
    template <class Function>
    void Bind(Function& slot, const char* name) const {
        slot = Find<Function>(name);
        EXPECT_NE(slot, nullptr) << name;
    }

private:
    void* handle_;
};

// A register driver with its five functions bound; closed again before it is unloaded.
class LoadedDriver : public LoadedLibrary {
public:
    explicit LoadedDriver(const std::string& file) : LoadedLibrary(file) {
        Bind(open, "VekOpen");
        Bind(close, "VekClose");
        Bind(setReg, "VekSetReg");
        Bind(getReg, "VekGetReg");
        Bind(getStatus, "VekGetStatus");
    }
    ~LoadedDriver() {
        if (close != nullptr) {
            close();
        }
    }

    std::string Status() const {
        char text[VEK_STATUS_TEXT_SIZE] = {};
        getStatus(text);
        return text;
    }

    VekOpenFn open = nullptr;
    VekCloseFn close = nullptr;
    VekSetRegFn setReg = nullptr;
    VekGetRegFn getReg = nullptr;
    VekGetStatusFn getStatus = nullptr;
};

} // namespace vek::test
