// A register driver for tests: registers in memory, every call logged, failures on request.
// Built twice: once whole, once without VekGetStatus, to test the binding of an incomplete
// driver.
#include "test_driver_control.h"
#include "vekdriver.h"

#include <compare>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

// A register's address: its bytes as a number (byte 0 least significant) and its length.
struct Address {
    uint64_t number = 0;
    int length = 0;
    auto operator<=>(const Address&) const = default;
};

struct State {
    std::map<Address, uint32_t> registers;
    std::vector<TestDriverCall> calls;
    Address failingAddress{0, -1};
    std::map<Address, uint32_t> keptBits; // bits that writes leave as they are
    bool failOpen = false;
    std::string status = "No Error";
};

State& TheState() {
    static State state;
    return state;
}

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

TestDriverCall Log(int kind, int addrLen, int dataLen, const unsigned char* addr, uint32_t data) {
    TestDriverCall call{};
    call.kind = kind;
    call.addrLen = addrLen;
    call.dataLen = dataLen;
    if (addr != nullptr && addrLen > 0)
        std::memcpy(call.addr, addr, static_cast<std::size_t>(addrLen > 16 ? 16 : addrLen));
    call.data = data;
    TheState().calls.push_back(call);
    return call;
}

} // namespace

#define TEST_DRIVER_EXPORT extern "C" __attribute__((visibility("default")))

TEST_DRIVER_EXPORT int VekOpen(void) {
    Log(TestCallOpen, 0, 0, nullptr, 0);
    if (TheState().failOpen) {
        TheState().status = "test adapter not present";
        return 0;
    }
    return 1;
}

TEST_DRIVER_EXPORT int VekClose(void) {
    Log(TestCallClose, 0, 0, nullptr, 0);
    return 1;
}

TEST_DRIVER_EXPORT int VekSetReg(int addrLen, int dataLen, const unsigned char* addr,
                                 uint32_t data) {
    Log(TestCallSet, addrLen, dataLen, addr, data);
    State& state = TheState();
    if (Key(addrLen, addr) == state.failingAddress) {
        state.status = "no acknowledge";
        return 0;
    }
    const uint32_t mask = dataLen >= 4 ? 0xFFFFFFFFu : (1u << (8 * dataLen)) - 1;
    const Address key = Key(addrLen, addr);
    const auto kept = state.keptBits.find(key);
    const uint32_t keep = kept == state.keptBits.end() ? 0 : kept->second;
    uint32_t& stored = state.registers[key];
    stored = (stored & keep) | (data & mask & ~keep);
    return 1;
}

TEST_DRIVER_EXPORT int VekGetReg(int addrLen, int dataLen, const unsigned char* addr,
                                 uint32_t* data) {
    State& state = TheState();
    if (Key(addrLen, addr) == state.failingAddress) {
        Log(TestCallGet, addrLen, dataLen, addr, 0);
        state.status = "no acknowledge";
        return 0;
    }
    const uint32_t value = state.registers[Key(addrLen, addr)];
    // Only the first dataLen bytes are delivered; the rest of the caller's area stays.
    std::memcpy(data, &value, static_cast<std::size_t>(dataLen > 4 ? 4 : dataLen));
    Log(TestCallGet, addrLen, dataLen, addr, value);
    return 1;
}

#ifndef TEST_DRIVER_WITHOUT_STATUS
TEST_DRIVER_EXPORT void VekGetStatus(char* text) {
    Log(TestCallStatus, 0, 0, nullptr, 0);
    std::strncpy(text, TheState().status.c_str(), VEK_STATUS_TEXT_SIZE - 1);
    text[VEK_STATUS_TEXT_SIZE - 1] = '\0';
}
#endif

TEST_DRIVER_EXPORT void TestDriverReset(void) {
    TheState() = State{};
}

TEST_DRIVER_EXPORT void TestDriverFailOpen(int fail) {
    TheState().failOpen = fail != 0;
}

TEST_DRIVER_EXPORT void TestDriverFailAddress(int addrLen, const unsigned char* addr) {
    TheState().failingAddress = addr == nullptr ? Address{0, -1} : Key(addrLen, addr);
}

TEST_DRIVER_EXPORT void TestDriverSetRegister(int addrLen, const unsigned char* addr,
                                              uint32_t value) {
    TheState().registers[Key(addrLen, addr)] = value;
}

TEST_DRIVER_EXPORT void TestDriverKeepBits(int addrLen, const unsigned char* addr, uint32_t mask) {
    TheState().keptBits[Key(addrLen, addr)] = mask;
}

TEST_DRIVER_EXPORT uint32_t TestDriverRegister(int addrLen, const unsigned char* addr) {
    return TheState().registers[Key(addrLen, addr)];
}

TEST_DRIVER_EXPORT int TestDriverCallCount(void) {
    return static_cast<int>(TheState().calls.size());
}

TEST_DRIVER_EXPORT TestDriverCall TestDriverCallAt(int index) {
    const auto& calls = TheState().calls;
    if (index < 0 || static_cast<std::size_t>(index) >= calls.size())
        return TestDriverCall{};
    return calls[static_cast<std::size_t>(index)];
}
