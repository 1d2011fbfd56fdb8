#pragma once

#include "model/driver_entry_points.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vek::test {

// One call that reached the driver, with the data bytes in the order the driver saw them.
struct DriverCall {
    enum class Function { Open, Close, SetReg, GetReg, GetStatus };
    Function function;
    int addrLen = 0;
    int dataLen = 0;
    std::vector<uint8_t> address;
    std::array<uint8_t, 4> data{}; // SetReg: the value passed; GetReg: the bytes delivered
};

// A register driver behind the five-function interface that records every call. Only one can be
// active at a time, as the functions carry no handle.
class TestDriver {
public:
    TestDriver();
    ~TestDriver();
    TestDriver(const TestDriver&) = delete;
    TestDriver& operator=(const TestDriver&) = delete;

    // All five entry points bound.
    DriverEntryPoints EntryPoints() const;
    std::vector<DriverCall> Calls(DriverCall::Function function) const;

    std::vector<DriverCall> calls;
    bool failWrites = false;
    bool failReads = false;
    std::string status = "bus timeout";
    // What GetReg delivers, least significant byte first; only dataLen bytes are written.
    std::array<uint8_t, 4> readBytes{};
};

} // namespace vek::test
