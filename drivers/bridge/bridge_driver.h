// A bridge-chip driver: one access object of the support library per process, held from an open
// to the next close or open, and the one status text for everything.
#pragma once

#include "bridge_register_access.h"
#include "register_driver.h"

#include <memory>

namespace vek {

template <class Object>
class BridgeDriver : public RegisterDriver {
public:
    // make gives a new object in the library's storage, null when none is left; usable says
    // whether an open with it succeeds.
    BridgeDriver(Object* (*make)(), bool (*usable)(const Object&)) : make_(make), usable_(usable) {}

    Result<void> Open() override {
        std::unique_ptr<Object> opened(make_());
        if (!opened) {
            return BridgeFailure();
        }
        // A second open replaces the earlier object instead of losing it.
        object_ = std::move(opened);
        if (!usable_(*object_)) {
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
        return WriteRegister(object_.get(), addrLen, dataLen, addr, data);
    }
    Result<void> GetReg(int addrLen, int dataLen, const unsigned char* addr,
                        uint32_t* data) override {
        return ReadRegister(object_.get(), addrLen, dataLen, addr, data);
    }
    std::string StatusText() override { return kBridgeStatusText; }

private:
    Object* (*make_)();
    bool (*usable_)(const Object&);
    // Destroyed through the virtual destructor, which gives the storage back with FreeFixed;
    // also when the driver is unloaded without a close.
    std::unique_ptr<Object> object_;
};

} // namespace vek
