#pragma once

#include "test_driver_control.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace vek::test {

// The test driver's control functions, reached through a handle of its own, so that the driver's
// registers and call log outlive a document that unloads the library.
class TestDriverLibrary {
public:
    // Loads lib<name>.so from the build's library folder and resets its state.
    explicit TestDriverLibrary(const std::string& name = "testdrv");
    ~TestDriverLibrary();
    TestDriverLibrary(const TestDriverLibrary&) = delete;
    TestDriverLibrary& operator=(const TestDriverLibrary&) = delete;

    void Reset() const { reset_(); }
    void FailOpen(bool fail) const { failOpen_(fail ? 1 : 0); }
    // Address bytes least significant first, as a driver receives them.
    void FailAddress(std::initializer_list<unsigned char> address) const;
    void SetRegister(std::initializer_list<unsigned char> address, uint32_t value) const;
    // Writes to the register leave the mask's bits as they are.
    void KeepBits(std::initializer_list<unsigned char> address, uint32_t mask) const;
    uint32_t Register(std::initializer_list<unsigned char> address) const;
    std::vector<TestDriverCall> Calls() const;
    // The calls of one kind.
    std::vector<TestDriverCall> Calls(int kind) const;

private:
    void* handle_ = nullptr;
    TestDriverResetFn reset_ = nullptr;
    TestDriverFailOpenFn failOpen_ = nullptr;
    TestDriverFailAddressFn failAddress_ = nullptr;
    TestDriverSetRegisterFn setRegister_ = nullptr;
    TestDriverKeepBitsFn keepBits_ = nullptr;
    TestDriverRegisterFn register_ = nullptr;
    TestDriverCallCountFn callCount_ = nullptr;
    TestDriverCallAtFn callAt_ = nullptr;
};

// A folder of its own below the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    // Writes a file into the folder and returns its path.
    std::string Write(const std::string& name, const std::string& text) const;
    std::string Read(const std::string& name) const;

private:
    std::string path_;
};

} // namespace vek::test
