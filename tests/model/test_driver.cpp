#include "test_driver.h"

#include <cstring>

namespace vek::test {

namespace {

TestDriver* active = nullptr;

DriverCall Record(DriverCall::Function function, int addrLen, int dataLen,
                  const unsigned char* addr) {
    DriverCall call{function, addrLen, dataLen, {}, {}};
    if (addr != nullptr) {
        call.address.assign(addr, addr + addrLen);
    }
    return call;
}

int Open() {
    active->calls.push_back(Record(DriverCall::Function::Open, 0, 0, nullptr));
    return 1;
}

int Close() {
    active->calls.push_back(Record(DriverCall::Function::Close, 0, 0, nullptr));
    return 1;
}

int SetReg(int addrLen, int dataLen, const unsigned char* addr, uint32_t data) {
    DriverCall call = Record(DriverCall::Function::SetReg, addrLen, dataLen, addr);
    for (int i = 0; i < 4; ++i) {
        call.data[static_cast<std::size_t>(i)] = static_cast<uint8_t>(data >> (8 * i));
    }
    active->calls.push_back(call);
    return active->failWrites ? 0 : 1;
}

int GetReg(int addrLen, int dataLen, const unsigned char* addr, uint32_t* data) {
    DriverCall call = Record(DriverCall::Function::GetReg, addrLen, dataLen, addr);
    if (active->failReads) {
        active->calls.push_back(call);
        return 0;
    }
    auto* bytes = reinterpret_cast<unsigned char*>(data);
    for (int i = 0; i < dataLen && i < 4; ++i) {
        bytes[i] = active->readBytes[static_cast<std::size_t>(i)];
        call.data[static_cast<std::size_t>(i)] = bytes[i];
    }
    active->calls.push_back(call);
    return 1;
}

void GetStatus(char* text) {
    active->calls.push_back(Record(DriverCall::Function::GetStatus, 0, 0, nullptr));
    std::strncpy(text, active->status.c_str(), VEK_STATUS_TEXT_SIZE - 1);
    text[VEK_STATUS_TEXT_SIZE - 1] = '\0';
}

} // namespace

TestDriver::TestDriver() {
    active = this;
}

TestDriver::~TestDriver() {
    active = nullptr;
}

DriverEntryPoints TestDriver::EntryPoints() const {
    return {Open, Close, SetReg, GetReg, GetStatus};
}

std::vector<DriverCall> TestDriver::Calls(DriverCall::Function function) const {
    std::vector<DriverCall> found;
    for (const DriverCall& call : calls) {
        if (call.function == function) {
            found.push_back(call);
        }
    }
    return found;
}

} // namespace vek::test
