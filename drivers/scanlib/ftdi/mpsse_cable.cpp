#include "mpsse_cable.h"

#include "cable_messages.h"
#include "mpsse.h"

namespace bsx4810 {

namespace {

// Held-back commands are written once they reach this size, so that a long run of requests
// without a read does not pile up in memory.
constexpr size_t kHeldBackLimit = 1u << 16;
// Time for the USB and the chip, beyond the clocks themselves.
constexpr std::chrono::milliseconds kUsbAllowance{1000};

} // namespace

CMpsseCable::CMpsseCable(FtdiOptions options, FtdiUsbOpener openUsb)
    : options_(std::move(options)), openUsb_(std::move(openUsb)) {
    channels_[0].name = options_.channel;
    channels_[1].name = options_.port2;
}

bool CMpsseCable::Connect() {
    return channels_[0].usb || Open(channels_[0]);
}

bool CMpsseCable::Run(int port, std::span<uint8_t> vectors, bool tdoWanted) {
    Channel& channel = channels_.at(static_cast<size_t>(port - 1));
    if (channel.name == 0) {
        ReportCableCause(CableText(CableMessage::NoSecondPort));
        return false;
    }
    if (!channel.usb && !Open(channel))
        return false;
    std::vector<TdoSlot> slots;
    channel.heldBackClocks += channel.encoder.Encode(vectors, tdoWanted, channel.heldBack, slots);
    if (!tdoWanted)
        return channel.heldBack.size() < kHeldBackLimit || WriteHeldBack(channel);
    if (!Exchange(channel, slots))
        return false;
    DecodeTdo(slots, answers_, vectors);
    return true;
}

bool CMpsseCable::Flush() {
    bool ok = true;
    for (Channel& channel : channels_)
        if (channel.usb && (!channel.heldBack.empty() || channel.unconfirmed))
            ok = Exchange(channel, {}) && ok;
    return ok;
}

bool CMpsseCable::Open(Channel& channel) {
    std::string error;
    channel.usb = openUsb_(options_, channel.name, error);
    if (!channel.usb) {
        ReportCableCause(error);
        return false;
    }
    channel.encoder.Reset();
    const uint16_t divisor = ClockDivisor(options_.khz);
    channel.heldBack = {kMpsseLoopbackOff,
                        kMpsseDisableDivideBy5,
                        kMpsseDisableAdaptiveClock,
                        kMpsseDisableThreePhaseClock,
                        kMpsseSetClockDivisor,
                        static_cast<uint8_t>(divisor),
                        static_cast<uint8_t>(divisor >> 8),
                        kMpsseSetLowByte,
                        kPinIdleLevels,
                        kPinOutputs};
    channel.heldBackClocks = 0;
    channel.unconfirmed = false;
    // A chip that is no MPSSE channel fails here, when the controller is claimed, not at a scan.
    return Exchange(channel, {});
}

// Sends the held-back commands, in writes that each ask for a bounded number of answer bytes,
// and collects the answers of the slots in answers_. The last write ends with the sync marker.
bool CMpsseCable::Exchange(Channel& channel, std::span<const TdoSlot> slots) {
    const auto timeout = Timeout(channel.heldBackClocks);
    const std::span<const uint8_t> commands = channel.heldBack;
    answers_.clear();
    size_t sent = 0;
    size_t cut = 0;
    size_t answerBytes = 0;
    for (const TdoSlot& slot : slots) {
        if (answerBytes > 0 && answerBytes + slot.AnswerBytes() > kMpsseAnswerBytesPerWrite) {
            if (!WriteAndRead(channel, commands.subspan(sent, cut - sent), answerBytes, false,
                              timeout))
                return false;
            sent = cut;
            answerBytes = 0;
        }
        answerBytes += slot.AnswerBytes();
        cut = slot.commandEnd;
    }
    if (!WriteAndRead(channel, commands.subspan(sent), answerBytes, true, timeout))
        return false;
    channel.heldBack.clear();
    channel.heldBackClocks = 0;
    channel.unconfirmed = false;
    return true;
}

bool CMpsseCable::WriteAndRead(Channel& channel, std::span<const uint8_t> commands,
                               size_t answerBytes, bool last, std::chrono::milliseconds timeout) {
    write_.assign(commands.begin(), commands.end());
    if (last)
        write_.push_back(kMpsseSyncMarker);
    write_.push_back(kMpsseSendImmediate);
    if (!channel.usb->Write(write_, timeout))
        return Fail(channel, CableText(CableMessage::WriteFailed, channel.name,
                                       channel.usb->Error().c_str()));
    const size_t at = answers_.size();
    const size_t echo = last ? 2 : 0;
    answers_.resize(at + answerBytes + echo);
    if (!channel.usb->Read(std::span(answers_).subspan(at), timeout))
        return Fail(channel, CableText(CableMessage::ReadFailed, channel.name,
                                       channel.usb->Error().c_str()));
    if (last) {
        if (answers_[at + answerBytes] != kMpsseBadCommand ||
            answers_[at + answerBytes + 1] != kMpsseSyncMarker)
            return Fail(channel, CableText(CableMessage::OutOfStep, channel.name));
        answers_.resize(at + answerBytes);
    }
    return true;
}

bool CMpsseCable::WriteHeldBack(Channel& channel) {
    if (!channel.usb->Write(channel.heldBack, Timeout(channel.heldBackClocks)))
        return Fail(channel, CableText(CableMessage::WriteFailed, channel.name,
                                       channel.usb->Error().c_str()));
    channel.heldBack.clear();
    channel.heldBackClocks = 0;
    channel.unconfirmed = true;
    return true;
}

// The channel is closed, so that a cable plugged in again is opened afresh by the next request.
bool CMpsseCable::Fail(Channel& channel, const std::string& cause) {
    ReportCableCause(cause);
    channel.usb.reset();
    channel.heldBack.clear();
    channel.heldBackClocks = 0;
    channel.unconfirmed = false;
    return false;
}

std::chrono::milliseconds CMpsseCable::Timeout(uint64_t clocks) const {
    // Twice the time the clocks take at the chosen TCK, in case the chip runs slower.
    return kUsbAllowance + std::chrono::milliseconds(clocks * 2 / options_.khz);
}

bool CMpsseCableChannel::Request(uint32_t code, std::span<uint8_t> input,
                                 std::span<uint8_t> /*output*/) {
    return Run(code, input, true);
}

bool CMpsseCableChannel::Post(uint32_t code, std::span<uint8_t> input,
                              std::span<uint8_t> /*output*/) {
    return Run(code, input, false);
}

bool CMpsseCableChannel::Run(uint32_t code, std::span<uint8_t> input, bool tdoWanted) {
    switch (code) {
    case kWriteDataPort:
    case kWriteControlPort:
        return input.size() == 4;
    case kRunVectorsPort1:
        return cable_.Run(1, input, tdoWanted);
    case kRunVectorsPort2:
        return cable_.Run(2, input, tdoWanted);
    default:
        return false;
    }
}

std::unique_ptr<CDeviceChannel> OpenCableChannel(CMpsseCable& cable) {
    if (!cable.Connect())
        return nullptr;
    return std::make_unique<CMpsseCableChannel>(cable);
}

} // namespace bsx4810
