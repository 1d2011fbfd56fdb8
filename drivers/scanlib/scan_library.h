// The state of the boundary-scan library for one process: the TAP state recorded for each port,
// the stop state, the vector buffer and the device handle. Each operation builds the vectors of
// one request, sends them and captures TDO, as the exports of BSX4810 promise.
#pragma once

#include "device_channel.h"
#include "device_lock.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace bsx4810 {

// The numbers the library records for a port's TAP state.
enum TapState : int {
    kUnknown = 0,
    kTestLogicReset = 1,
    kRunTestIdle = 2,
    kPauseDr = 3,
    kPauseIr = 4,
    kSelectDrScan = 7,
    kSelectIrScan = 8,
    kShiftDr = 13,
    kShiftIr = 14,
    kUpdate = 15,
    kExit1Dr = 19,
    kExit1Ir = 20,
};

enum class ScanRegister { Instruction, Data };

// Vector bits: one byte per TCK clock.
inline constexpr uint8_t kTdi = 0x01;
inline constexpr uint8_t kTms = 0x08;
inline constexpr uint8_t kTdo = 0x10;
inline constexpr uint8_t kTrst = 0x20;
inline constexpr uint8_t kShiftBits = 0x44; // marks a vector that shifts a data bit

class CScanLibrary {
public:
    explicit CScanLibrary(DeviceFactory openDevice);

    int Open();
    int Close();
    int TmsReset(int port);
    int TrstReset(int port);
    int Scan(int port, ScanRegister reg, const uint16_t* tdi, uint16_t bits, uint16_t* tdo);
    int ScanToPause(int port, ScanRegister reg, const uint16_t* tdi, uint16_t bits, uint16_t* tdo);
    int ScanTdio(int port, const uint16_t* tdi, uint16_t bits, uint16_t* tdo);
    int MultiScan(int port, ScanRegister reg, const uint16_t* tdi, uint16_t bits, uint16_t count,
                  uint16_t* tdo);
    int MoveToState(int port, int state);
    int SetStopState(int state);

    int RecordedState(int port) const { return tapState_.at(port); }
    size_t Capacity() const { return vectors_.size(); }

private:
    bool Prologue(int port, uint32_t bits, bool fromStableState);
    bool EnsureCapacity(uint32_t needed);
    void AppendMoves(std::string_view tms);
    void EnterShift(ScanRegister reg, uint16_t bits);
    void ShiftBits(const uint16_t* tdi, uint16_t bits, bool exitAtLast);
    void LeaveShift();
    void GoToStopState();
    // Requests whose TDO is not captured may be held back by the device until a later send.
    int Send(bool tdoWanted);
    void Capture(uint16_t* tdo, uint16_t bits) const;
    int& PortState() { return tapState_[currentPort_]; }

    DeviceFactory openDevice_;
    std::unique_ptr<CDeviceChannel> device_;
    CDeviceLock lock_;
    int currentPort_ = 1;
    std::array<int, 3> tapState_{}; // index 0 is never set: requests on port 0 fail
    int stopState_ = kRunTestIdle;
    std::vector<uint8_t> vectors_; // positions 1 to count_; position 0 is not used
    uint16_t count_ = 0;
    uint16_t captureFirst_ = 0;
    uint16_t captureLast_ = 0;
    std::array<uint8_t, 8> parameterBlock_{96, 0, 0, 0, 6, 0, 0, 0};
    bool portSetUp_ = false;
};

} // namespace bsx4810
