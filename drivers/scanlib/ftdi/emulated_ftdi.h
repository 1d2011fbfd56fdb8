// An FT2232H in software: the MPSSE engine of interface A wired to TAP port 1 of a software TAP,
// that of interface B to port 2. It stands behind the USB seam in the tests and with
// BSX4810_DEVICE=ftdi:emulate, and counts what crosses its USB.
#pragma once

#include "ftdi_usb.h"
#include "mpsse_engine.h"

#include <memory>

namespace bsx4810 {

struct UsbTraffic {
    uint64_t writes = 0;
    uint64_t reads = 0;
    uint64_t bytesOut = 0;
    uint64_t bytesIn = 0;
    uint64_t clocks = 0;      // TCK clocks the writes gave
    size_t largestRead = 0;   // bytes, the most one read asked for
    uint64_t lateAnswers = 0; // reads of answers no Send Immediate had pushed out
};

class CEmulatedFtdiUsb : public CFtdiUsb {
public:
    CEmulatedFtdiUsb(CSoftwareTapPort& port, std::shared_ptr<UsbTraffic> traffic)
        : engine_(port), traffic_(std::move(traffic)) {}

    bool Write(std::span<const uint8_t> bytes, std::chrono::milliseconds timeout) override;
    bool Read(std::span<uint8_t> answer, std::chrono::milliseconds timeout) override;
    std::string Error() const override { return error_; }

    const CMpsseEngine& Engine() const { return engine_; }

private:
    CMpsseEngine engine_;
    std::shared_ptr<UsbTraffic> traffic_;
    std::string error_;
};

// Opens interface A or B of the emulated chip over tap, counting into traffic.
FtdiUsbOpener
EmulatedFtdiOpener(CSoftwareTap& tap,
                   std::shared_ptr<UsbTraffic> traffic = std::make_shared<UsbTraffic>());

} // namespace bsx4810
