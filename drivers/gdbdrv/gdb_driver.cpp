#include "gdb_driver.h"

#include "gdb_limits.h"
#include "server_line.h"
#include "vekdriver.h"

#include "platform/number_text.h"

#include <algorithm>
#include <array>
#include <vector>

namespace vek {
namespace {

constexpr const char* kNotConnected = "not connected";

Failure Refusal(std::string text) {
    return Failure{1, std::move(text)};
}

std::string AddressText(std::uint64_t address, int addrLen) {
    return "0x" + HexText(address, 2U * static_cast<unsigned>(addrLen));
}

} // namespace

GdbDriver::GdbDriver(Result<GdbSettings> (*loadSettings)()) : loadSettings_(loadSettings) {}

Result<void> GdbDriver::Record(Result<void> outcome) {
    if (!outcome)
        status_ = outcome.Error().text;
    return outcome;
}

Result<void> GdbDriver::Connect() {
    Disconnect();
    Result<GdbSettings> settings = loadSettings_();
    if (!settings)
        return settings.Error();
    settings_ = std::move(settings).Value();
    Result<std::unique_ptr<ByteChannel>> line =
        settings_.serialPort.empty()
            ? ConnectTcp(settings_.remote.host, settings_.remote.port, settings_.connectTimeoutMs)
            : OpenSerialLine(settings_.serialPort, settings_.baud);
    if (!line)
        return line.Error();
    const std::string peer = line.Value()->Peer();
    auto session =
        std::make_unique<RemoteSession>(std::move(line).Value(), settings_.replyTimeoutMs);
    if (Result<void> started = session->Start(); !started)
        return started;
    if (settings_.running) {
        if (Result<void> resumed = session->Resume(); !resumed)
            return resumed;
    }
    session_ = std::move(session);
    status_ = "connected to " + peer;
    return {};
}

void GdbDriver::Disconnect() {
    if (!session_)
        return;
    // The target is left running, as a debugger's detach leaves it; a server that no longer
    // answers is simply left.
    if (!settings_.running || session_->Halt()) {
        session_->Detach();
    }
    session_.reset();
    status_ = kNotConnected;
}

Result<void> GdbDriver::Open() {
    ++openCount_;
    return Record(Connect());
}

Result<void> GdbDriver::Close() {
    if (openCount_ > 0 && --openCount_ == 0)
        Disconnect();
    return {};
}

Result<std::uint64_t> GdbDriver::RegisterAddress(int addrLen, int dataLen,
                                                 const unsigned char* addr) {
    if (!session_)
        return Refusal(kNotConnected);
    if (addr == nullptr || addrLen < 1 || addrLen > VEK_MAX_ADDRESS_BYTES ||
        (dataLen != 1 && dataLen != 2 && dataLen != 4)) {
        return Refusal("registers need 1 to 8 address and 1, 2 or 4 data bytes");
    }
    std::uint64_t address = 0;
    for (int i = addrLen - 1; i >= 0; --i) {
        address = (address << 8) | addr[i];
    }
    return address;
}

Result<void> GdbDriver::WithTargetStopped(const std::function<Result<void>()>& transfer) {
    if (!settings_.running)
        return transfer();
    if (Result<void> halted = session_->Halt(); !halted)
        return halted;
    Result<void> outcome = transfer();
    if (Result<void> resumed = session_->Resume(); !resumed && outcome)
        return resumed;
    return outcome;
}

Result<void> GdbDriver::SetReg(int addrLen, int dataLen, const unsigned char* addr, uint32_t data) {
    Result<std::uint64_t> address = RegisterAddress(addrLen, dataLen, addr);
    if (!address)
        return Record(address.Error());
    std::array<std::uint8_t, 4> bytes{};
    const auto count = static_cast<std::size_t>(dataLen);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t place = settings_.bigEndian ? count - 1 - i : i;
        bytes[place] = static_cast<std::uint8_t>(data >> (8 * i));
    }
    const std::string what = "writing " + AddressText(address.Value(), addrLen);
    return Record(WithTargetStopped([&] {
        return session_->WriteMemory(address.Value(), std::span(bytes.data(), count), what);
    }));
}

uint32_t GdbDriver::ValueOf(const std::uint8_t* bytes, std::size_t count) const {
    uint32_t value = 0;
    for (std::size_t i = 0; i < count; ++i) {
        value |= uint32_t{bytes[settings_.bigEndian ? count - 1 - i : i]} << (8 * i);
    }
    return value;
}

std::size_t GdbDriver::RunLimit() const {
    const std::size_t packet =
        session_->PacketSize() != 0 ? session_->PacketSize() : kDefaultPacketSize;
    // Two hex digits a byte, and the frame's '$', '#' and checksum.
    return (std::min(packet, kMaxReplyBytes) - 4) / 2;
}

Result<void> GdbDriver::GetRegs(int count, int addrLen, int dataLen, const unsigned char* addrs,
                                uint32_t* data) {
    if (count < 1 || addrs == nullptr || data == nullptr)
        return Record(Refusal("no registers to read"));
    std::vector<std::uint64_t> addresses;
    for (int i = 0; i < count; ++i) {
        Result<std::uint64_t> address = RegisterAddress(addrLen, dataLen, addrs + i * addrLen);
        if (!address)
            return Record(address.Error());
        addresses.push_back(address.Value());
    }
    const auto width = static_cast<std::size_t>(dataLen);
    const std::size_t perRun = std::max<std::size_t>(1, RunLimit() / width);
    std::vector<std::uint8_t> bytes;
    return Record(WithTargetStopped([&]() -> Result<void> {
        for (std::size_t first = 0; first < addresses.size();) {
            std::size_t end = first + 1;
            while (end < addresses.size() && end - first < perRun &&
                   addresses[end] == addresses[end - 1] + width) {
                ++end;
            }
            bytes.assign((end - first) * width, 0);
            const std::string what = "reading " + AddressText(addresses[first], addrLen);
            if (Result<void> read = session_->ReadMemory(addresses[first], bytes, what); !read)
                return read;
            for (std::size_t i = first; i < end; ++i) {
                data[i] = ValueOf(bytes.data() + (i - first) * width, width);
            }
            first = end;
        }
        return {};
    }));
}

Result<void> GdbDriver::GetReg(int addrLen, int dataLen, const unsigned char* addr,
                               uint32_t* data) {
    Result<std::uint64_t> address = RegisterAddress(addrLen, dataLen, addr);
    if (!address)
        return Record(address.Error());
    if (data == nullptr)
        return Record(Refusal("no room for the value"));
    std::array<std::uint8_t, 4> bytes{};
    const auto count = static_cast<std::size_t>(dataLen);
    const std::string what = "reading " + AddressText(address.Value(), addrLen);
    Result<void> read = WithTargetStopped([&] {
        return session_->ReadMemory(address.Value(), std::span(bytes.data(), count), what);
    });
    if (!read)
        return Record(read);
    // The value's bytes, least significant first, into the first dataLen bytes of the area.
    const uint32_t value = ValueOf(bytes.data(), count);
    auto* area = reinterpret_cast<unsigned char*>(data);
    for (std::size_t i = 0; i < count; ++i) {
        area[i] = static_cast<unsigned char>(value >> (8 * i));
    }
    return {};
}

} // namespace vek
