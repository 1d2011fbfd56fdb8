// A bridge-chip driver: one access object of the support library per process, held from an open
// to the next close or open, and the one status text for everything.
#pragma once

#include "bridge_register_access.h"
#include "register_driver.h"

#include <memory>

namespace vek {

// Access says how the driver makes its object and reaches the registers through it:
//   using Object = ...;             the support library's access class
//   static Object* Make();          a new object in the library's storage, null when none is left
//   static bool Usable(const Object&);  whether the open succeeds with it
//   static Result<void> SetReg(Object*, ...), GetReg(Object*, ...);
template <class Access>
class BridgeDriver : public RegisterDriver {
public:
    Result<void> Open() override {
        std::unique_ptr<typename Access::Object> opened(Access::Make());
        if (!opened) {
            return BridgeFailure();
        }
        // A second open replaces the earlier object instead of losing it.
        object_ = std::move(opened);
        if (!Access::Usable(*object_)) {
            return BridgeFailure();
        }
        return {};
    }
    Result<void> Close() override {
        object_.reset();
        return {};
    }
    Result<void> SetReg(int addrLen, int dataLen, const unsigned char* addr,
                        uint32_t data) override {
        return Access::SetReg(object_.get(), addrLen, dataLen, addr, data);
    }
    Result<void> GetReg(int addrLen, int dataLen, const unsigned char* addr,
                        uint32_t* data) override {
        return Access::GetReg(object_.get(), addrLen, dataLen, addr, data);
    }
    std::string StatusText() override { return kBridgeStatusText; }

private:
    // Destroyed through the virtual destructor, which gives the storage back with FreeFixed;
    // also when the driver is unloaded without a close.
    std::unique_ptr<typename Access::Object> object_;
};

} // namespace vek
