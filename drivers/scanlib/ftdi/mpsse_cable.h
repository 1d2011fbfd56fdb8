// The FTDI cable: TAP port 1 on one MPSSE channel of the chip, port 2 on another (see
// FtdiOptions). Vector requests whose TDO nobody reads are held back and go out with the next
// request that reads, or when the controller is given back, so that a register access costs one
// USB write and one read. The channels stay open between accesses; a USB failure closes the
// failing channel, and the next request opens it again.
#pragma once

#include "../device_channel.h"
#include "cable_options.h"
#include "ftdi_usb.h"
#include "mpsse_encoder.h"

#include <array>

namespace bsx4810 {

class CMpsseCable {
public:
    CMpsseCable(FtdiOptions options, FtdiUsbOpener openUsb);
    CMpsseCable(const CMpsseCable&) = delete;
    CMpsseCable& operator=(const CMpsseCable&) = delete;

    const FtdiOptions& Options() const { return options_; }

    // Opens port 1's channel unless it is open. False, with the cause reported, when the chip
    // cannot be opened or does not answer as an MPSSE channel.
    bool Connect();
    // Clocks the vectors on port 1 or 2. With tdoWanted they go out at once, after what was held
    // back, and each vector's TDO bit is filled in; otherwise they may be held back.
    bool Run(int port, std::span<uint8_t> vectors, bool tdoWanted);
    // Sends what is held back and waits until the chip has run it.
    bool Flush();

private:
    struct Channel {
        char name = 0; // the chip's interface letter; 0 when the port has none
        std::unique_ptr<CFtdiUsb> usb;
        CMpsseEncoder encoder;
        std::vector<uint8_t> heldBack; // commands not written yet
        uint64_t heldBackClocks = 0;
        bool unconfirmed = false; // commands were written that the chip has not confirmed
    };

    bool Open(Channel& channel);
    bool Exchange(Channel& channel, std::span<const TdoSlot> slots);
    bool WriteAndRead(Channel& channel, std::span<const uint8_t> commands, size_t answerBytes,
                      bool last, std::chrono::milliseconds timeout);
    bool WriteHeldBack(Channel& channel);
    bool Fail(Channel& channel, const std::string& cause);
    std::chrono::milliseconds Timeout(uint64_t clocks) const;

    FtdiOptions options_;
    FtdiUsbOpener openUsb_;
    std::array<Channel, 2> channels_; // TAP ports 1 and 2
    std::vector<uint8_t> write_;      // one USB write being put together
    std::vector<uint8_t> answers_;    // the answers of one exchange
};

// The scan library's device for one claim of the controller: a handle on the cable. Port writes
// are accepted (the cable has no parallel port); vector requests run on the cable.
class CMpsseCableChannel : public CDeviceChannel {
public:
    explicit CMpsseCableChannel(CMpsseCable& cable) : cable_(cable) {}
    bool Request(uint32_t code, std::span<uint8_t> input, std::span<uint8_t> output) override;
    bool Post(uint32_t code, std::span<uint8_t> input, std::span<uint8_t> output) override;
    bool Flush() override { return cable_.Flush(); }

private:
    bool Run(uint32_t code, std::span<uint8_t> input, bool tdoWanted);

    CMpsseCable& cable_;
};

// Connects the cable and hands out a handle on it; null when it does not answer.
std::unique_ptr<CDeviceChannel> OpenCableChannel(CMpsseCable& cable);

} // namespace bsx4810
