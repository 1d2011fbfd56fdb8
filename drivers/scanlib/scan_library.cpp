#include "scan_library.h"

#include "cause_report.h"

#include <algorithm>
#include <cstdio>
#include <new>

namespace bsx4810 {

namespace {

// Room the vectors of one scan need beyond its shift clocks.
constexpr uint32_t kVectorsAroundShift = 25;
// The buffer never shrinks and starts at this size, so small scans reuse it.
constexpr uint32_t kMinimumCapacity = 1000;
// Vector positions and the capture window are 16-bit numbers.
constexpr uint32_t kMaximumVectors = 0xFFFF;
// The first send initialises the parallel port's control register with this value.
constexpr uint32_t kControlPortInit = 12;

bool IsStable(int state) {
    return state >= kTestLogicReset && state <= kPauseIr;
}

bool StreamBit(const uint16_t* stream, uint32_t i) {
    return stream == nullptr || ((stream[i / 16] >> (i % 16)) & 1) != 0;
}

void Print(const char* text) {
    std::fputs(text, stdout);
    std::fflush(stdout);
}

// TMS sequences into a shift, by start state, register and whether any bit is shifted.
struct ShiftEntry {
    const char* irShift;
    const char* irNoBits;
    const char* drShift;
    const char* drNoBits;
};
constexpr ShiftEntry kFromTestLogicReset{"01100", "01101", "0100", "0101"};
constexpr ShiftEntry kFromIdleOrUpdate{"1100", "1101", "100", "101"};
// A zero-bit scan of the register whose pause state the TAP is in steps to Exit2 with one TMS 1,
// so that the TMS 1 that leaves the shift really reaches Update.
constexpr ShiftEntry kFromPauseIr{"10", "1", "11100", "11101"};
constexpr ShiftEntry kFromPauseDr{"111100", "111101", "10", "1"};

// TMS sequences from Update to the stop state 1 to 4.
constexpr const char* kUpdateToStop[] = {"111", "0", "1010", "11010"};

// TMS sequences of move_to_state: from Test-Logic-Reset, Run-Test/Idle, a pause state; to 1..4.
constexpr const char* kMoves[3][4] = {
    {"0111", "0", "01010", "011010"},
    {"111", "0", "1010", "11010"},
    {"11111", "110", "111010", "1111010"},
};

} // namespace

CScanLibrary::CScanLibrary(DeviceFactory openDevice) : openDevice_(std::move(openDevice)) {}

int CScanLibrary::Open() {
    if (device_)
        return 1;
    Result<std::string> lockPath = DeviceLockPath();
    Result<void> claimed = lockPath ? lock_.Acquire(lockPath.Value()) : lockPath.Error();
    if (!claimed) {
        ReportCause("lock", claimed.Error().text);
        return 1;
    }
    device_ = openDevice_ ? openDevice_() : nullptr;
    if (!device_) {
        lock_.Release();
        return 1;
    }
    return 0;
}

int CScanLibrary::Close() {
    // Requests a cable held back are sent now; losing them silently would report unwritten
    // registers as written.
    int result = 0;
    if (device_ && !device_->Flush()) {
        Print("Io control failed\n");
        result = 1;
    }
    // Only this process's own claim is given back; another holder keeps the device.
    device_.reset();
    lock_.Release();
    return result;
}

int CScanLibrary::TmsReset(int port) {
    if (!Prologue(port, 0, false))
        return 1;
    if (port != 0) {
        AppendMoves("11111");
        PortState() = kTestLogicReset;
    }
    return Send(false);
}

int CScanLibrary::TrstReset(int port) {
    if (!Prologue(port, 0, false))
        return 1;
    if (port != 0) {
        vectors_[++count_] = kTrst;
        PortState() = kTestLogicReset;
    }
    return Send(false);
}

int CScanLibrary::Scan(int port, ScanRegister reg, const uint16_t* tdi, uint16_t bits,
                       uint16_t* tdo) {
    if (!Prologue(port, bits, true))
        return 1;
    EnterShift(reg, bits);
    if (bits > 0)
        ShiftBits(tdi, bits, true);
    LeaveShift();
    GoToStopState();
    const bool capture = bits > 0 && tdo != nullptr;
    const int result = Send(capture);
    if (result == 0 && capture)
        Capture(tdo, bits);
    return result;
}

int CScanLibrary::ScanToPause(int port, ScanRegister reg, const uint16_t* tdi, uint16_t bits,
                              uint16_t* tdo) {
    if (!Prologue(port, bits, true))
        return 1;
    const int pause = reg == ScanRegister::Instruction ? kPauseIr : kPauseDr;
    if (bits == 0 && PortState() == pause) {
        AppendMoves("0");
    } else {
        EnterShift(reg, bits);
        if (bits > 0)
            ShiftBits(tdi, bits, true);
    }
    AppendMoves("0");
    PortState() = pause;
    const bool capture = bits > 0 && tdo != nullptr;
    const int result = Send(capture);
    if (result == 0 && capture)
        Capture(tdo, bits);
    return result;
}

int CScanLibrary::ScanTdio(int port, const uint16_t* tdi, uint16_t bits, uint16_t* tdo) {
    if (!Prologue(port, bits, true))
        return 1;
    if (bits == 0)
        return 0;
    ShiftBits(tdi, bits, false);
    const int result = Send(tdo != nullptr);
    if (result == 0 && tdo != nullptr)
        Capture(tdo, bits);
    return result;
}

int CScanLibrary::MultiScan(int port, ScanRegister reg, const uint16_t* tdi, uint16_t bits,
                            uint16_t count, uint16_t* tdo) {
    if (count == 0 || !Prologue(port, bits, true))
        return 1;
    const uint32_t wordsPerScan = (bits + 15u) / 16u;
    const bool capture = reg == ScanRegister::Data && tdo != nullptr;
    int result = 0;
    for (uint16_t scan = 0; scan < count && result == 0; ++scan) {
        count_ = 0;
        EnterShift(reg, bits);
        if (bits > 0)
            ShiftBits(tdi, bits, true);
        LeaveShift();
        result = Send(capture);
        if (result != 0)
            break;
        if (capture)
            Capture(tdo, bits);
        if (bits > 0) {
            if (tdi != nullptr)
                tdi += wordsPerScan;
            if (tdo != nullptr)
                tdo += wordsPerScan;
        }
    }
    count_ = 0;
    if (result == 0) {
        GoToStopState();
        result = Send(false);
    }
    return result;
}

int CScanLibrary::MoveToState(int port, int state) {
    if (!Prologue(port, 0, true) || !IsStable(state))
        return 1;
    const int from = PortState() == kTestLogicReset ? 0 : PortState() == kRunTestIdle ? 1 : 2;
    AppendMoves(kMoves[from][state - 1]);
    PortState() = state;
    return Send(false);
}

int CScanLibrary::SetStopState(int state) {
    if (!IsStable(state))
        return 1;
    stopState_ = state;
    return 0;
}

bool CScanLibrary::Prologue(int port, uint32_t bits, bool fromStableState) {
    if (port < 0 || port > 2)
        return false;
    currentPort_ = port;
    if (!EnsureCapacity(bits + kVectorsAroundShift))
        return false;
    if (fromStableState && !IsStable(PortState()))
        return false;
    count_ = 0;
    return true;
}

bool CScanLibrary::EnsureCapacity(uint32_t needed) {
    // A scan whose vectors would not fit the 16-bit positions is refused, not wrapped around.
    if (needed > kMaximumVectors)
        return false;
    if (needed < vectors_.size())
        return true;
    try {
        vectors_.resize(std::max(needed, kMinimumCapacity));
    } catch (const std::bad_alloc&) {
        Print("Error allocating memory\n");
        return false;
    }
    return true;
}

void CScanLibrary::AppendMoves(std::string_view tms) {
    for (const char level : tms)
        vectors_[++count_] = level == '1' ? kTms | kTdi : kTdi;
}

void CScanLibrary::EnterShift(ScanRegister reg, uint16_t bits) {
    const int state = PortState();
    const ShiftEntry& entry = state == kTestLogicReset                    ? kFromTestLogicReset
                              : state == kRunTestIdle || state == kUpdate ? kFromIdleOrUpdate
                              : state == kPauseIr                         ? kFromPauseIr
                                                                          : kFromPauseDr;
    if (reg == ScanRegister::Instruction) {
        AppendMoves(bits > 0 ? entry.irShift : entry.irNoBits);
        PortState() = bits > 0 ? kShiftIr : kExit1Ir;
    } else {
        AppendMoves(bits > 0 ? entry.drShift : entry.drNoBits);
        PortState() = bits > 0 ? kShiftDr : kExit1Dr;
    }
}

void CScanLibrary::ShiftBits(const uint16_t* tdi, uint16_t bits, bool exitAtLast) {
    captureFirst_ = static_cast<uint16_t>(count_ + 1);
    captureLast_ = static_cast<uint16_t>(count_ + bits);
    // Only a raw shift can start in Test-Logic-Reset; TMS stays high there to keep the TAP put.
    const uint8_t hold = PortState() == kTestLogicReset ? kTms : 0;
    for (uint32_t i = 0; i < bits; ++i) {
        uint8_t vector = kShiftBits | hold | (StreamBit(tdi, i) ? kTdi : 0);
        if (exitAtLast && i + 1 == bits)
            vector |= kTms;
        vectors_[++count_] = vector;
    }
}

void CScanLibrary::LeaveShift() {
    AppendMoves("1");
    PortState() = kUpdate;
}

void CScanLibrary::GoToStopState() {
    AppendMoves(kUpdateToStop[stopState_ - 1]);
    PortState() = stopState_;
}

int CScanLibrary::Send(bool tdoWanted) {
    if (!portSetUp_) {
        uint8_t init[4] = {kControlPortInit, 0, 0, 0};
        if (!device_ || !device_->Request(kWriteControlPort, init, {}))
            Print("Io control 2 failed\n");
        portSetUp_ = true;
    }
    if (currentPort_ == 0)
        return 1;
    const uint32_t code = currentPort_ == 1 ? kRunVectorsPort1 : kRunVectorsPort2;
    // The parameter block is the output area, so what the device returns is kept, also on failure.
    const std::span<uint8_t> vectors(vectors_.data() + 1, count_);
    const bool sent = device_ && (tdoWanted ? device_->Request(code, vectors, parameterBlock_)
                                            : device_->Post(code, vectors, parameterBlock_));
    if (!sent) {
        Print("Io control failed\n");
        return 1;
    }
    return 0;
}

void CScanLibrary::Capture(uint16_t* tdo, uint16_t bits) const {
    if (captureFirst_ == 0 || captureLast_ == 0 ||
        uint32_t{captureFirst_} + bits > uint32_t{captureLast_} + 1) {
        std::perror("capture data FU");
        return;
    }
    tdo[0] = 0;
    for (uint32_t i = 0; i < bits; ++i) {
        if (vectors_[captureFirst_ + i] & kTdo)
            tdo[i / 16] = static_cast<uint16_t>(tdo[i / 16] | (1u << (i % 16)));
        if (i % 16 == 15)
            tdo[i / 16 + 1] = 0;
    }
}

} // namespace bsx4810
