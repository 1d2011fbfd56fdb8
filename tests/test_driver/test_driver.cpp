// A register driver for tests: registers in memory, every call logged, failures on request.
// Built twice: once whole, once with VekGetStatus kept out of the exports, to test the binding of
// an incomplete driver.
#include "register_driver.h"
#include "test_driver_control.h"
#include "vekdriver.h"

#include <compare>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace vek {
namespace {

// A register's address: its bytes as a number (byte 0 least significant) and its length.
struct Address {
    uint64_t number = 0;
    int length = 0;
    auto operator<=>(const Address&) const = default;
};

// Addresses are at most VEK_MAX_ADDRESS_BYTES long; longer ones are told apart by their length
// and first bytes only.
Address Key(int addrLen, const unsigned char* addr) {
    Address key;
    key.length = addrLen;
    for (int i = (addrLen < VEK_MAX_ADDRESS_BYTES ? addrLen : VEK_MAX_ADDRESS_BYTES) - 1; i >= 0;
         --i) {
        key.number = (key.number << 8) | addr[i];
    }
    return key;
}

class RecordingDriver : public RegisterDriver {
public:
    Result<void> Open() override {
        Log(TestCallOpen, 0, 0, nullptr, 0);
        if (failOpen_) {
            return Fail("test adapter not present");
        }
        return {};
    }

    Result<void> Close() override {
        Log(TestCallClose, 0, 0, nullptr, 0);
        return {};
    }

    Result<void> SetReg(int addrLen, int dataLen, const unsigned char* addr,
                        uint32_t data) override {
        Log(TestCallSet, addrLen, dataLen, addr, data);
        if (Key(addrLen, addr) == failingAddress_) {
            return Fail("no acknowledge");
        }
        const uint32_t mask = dataLen >= 4 ? 0xFFFFFFFFu : (1u << (8 * dataLen)) - 1;
        const Address key = Key(addrLen, addr);
        const auto kept = keptBits_.find(key);
        const uint32_t keep = kept == keptBits_.end() ? 0 : kept->second;
        uint32_t& stored = registers_[key];
        stored = (stored & keep) | (data & mask & ~keep);
        return {};
    }

    Result<void> GetReg(int addrLen, int dataLen, const unsigned char* addr,
                        uint32_t* data) override {
        if (Key(addrLen, addr) == failingAddress_) {
            Log(TestCallGet, addrLen, dataLen, addr, 0);
            return Fail("no acknowledge");
        }
        const uint32_t value = registers_[Key(addrLen, addr)];
        // Only the first dataLen bytes are delivered; the rest of the caller's area stays.
        std::memcpy(data, &value, static_cast<std::size_t>(dataLen > 4 ? 4 : dataLen));
        Log(TestCallGet, addrLen, dataLen, addr, value);
        return {};
    }

    std::string StatusText() override {
        Log(TestCallStatus, 0, 0, nullptr, 0);
        return status_;
    }

    void Reset() { *this = RecordingDriver(); }
    void FailOpen(bool fail) { failOpen_ = fail; }
    void FailAddress(int addrLen, const unsigned char* addr) {
        failingAddress_ = addr == nullptr ? Address{0, -1} : Key(addrLen, addr);
    }
    void KeepBits(int addrLen, const unsigned char* addr, uint32_t mask) {
        keptBits_[Key(addrLen, addr)] = mask;
    }
    uint32_t& Register(int addrLen, const unsigned char* addr) {
        return registers_[Key(addrLen, addr)];
    }
    const std::vector<TestDriverCall>& Calls() const { return calls_; }

private:
    Failure Fail(const char* status) {
        status_ = status;
        return Failure{1, status};
    }

    void Log(int kind, int addrLen, int dataLen, const unsigned char* addr, uint32_t data) {
        TestDriverCall call{};
        call.kind = kind;
        call.addrLen = addrLen;
        call.dataLen = dataLen;
        if (addr != nullptr && addrLen > 0)
            std::memcpy(call.addr, addr, static_cast<std::size_t>(addrLen > 16 ? 16 : addrLen));
        call.data = data;
        calls_.push_back(call);
    }

    std::map<Address, uint32_t> registers_;
    std::vector<TestDriverCall> calls_;
    Address failingAddress_{0, -1};
    std::map<Address, uint32_t> keptBits_; // bits that writes leave as they are
    bool failOpen_ = false;
    std::string status_ = "No Error";
};

RecordingDriver& Driver() {
    static RecordingDriver driver;
    return driver;
}

} // namespace

RegisterDriver& ProcessDriver() {
    return Driver();
}

} // namespace vek

#define TEST_DRIVER_EXPORT extern "C" __attribute__((visibility("default")))

TEST_DRIVER_EXPORT void TestDriverReset(void) {
    vek::Driver().Reset();
}

TEST_DRIVER_EXPORT void TestDriverFailOpen(int fail) {
    vek::Driver().FailOpen(fail != 0);
}

TEST_DRIVER_EXPORT void TestDriverFailAddress(int addrLen, const unsigned char* addr) {
    vek::Driver().FailAddress(addrLen, addr);
}

TEST_DRIVER_EXPORT void TestDriverSetRegister(int addrLen, const unsigned char* addr,
                                              uint32_t value) {
    vek::Driver().Register(addrLen, addr) = value;
}

TEST_DRIVER_EXPORT void TestDriverKeepBits(int addrLen, const unsigned char* addr, uint32_t mask) {
    vek::Driver().KeepBits(addrLen, addr, mask);
}

TEST_DRIVER_EXPORT uint32_t TestDriverRegister(int addrLen, const unsigned char* addr) {
    return vek::Driver().Register(addrLen, addr);
}

TEST_DRIVER_EXPORT int TestDriverCallCount(void) {
    return static_cast<int>(vek::Driver().Calls().size());
}

TEST_DRIVER_EXPORT TestDriverCall TestDriverCallAt(int index) {
    const auto& calls = vek::Driver().Calls();
    if (index < 0 || static_cast<std::size_t>(index) >= calls.size())
        return TestDriverCall{};
    return calls[static_cast<std::size_t>(index)];
}
