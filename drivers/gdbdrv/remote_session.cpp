#include "remote_session.h"

#include "gdb_limits.h"

#include "platform/number_text.h"

#include <chrono>

namespace vek {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::size_t kReceiveChunk = 4096;

bool IsErrorReply(const std::string& reply) {
    return reply.size() >= 2 && reply[0] == 'E' &&
           (reply[1] == '.' ||
            (reply.size() == 3 && HexValue(reply[1]) >= 0 && HexValue(reply[2]) >= 0));
}

bool IsStopReply(const std::string& reply) {
    return !reply.empty() && (reply[0] == 'T' || reply[0] == 'S');
}

bool IsExitReply(const std::string& reply) {
    return !reply.empty() && (reply[0] == 'W' || reply[0] == 'X');
}

// Console output of a running target: 'O' and hex text; "OK" is a reply of its own.
bool IsConsoleOutput(const std::string& reply) {
    return reply.size() > 1 && reply[0] == 'O' && reply != "OK";
}

Failure TargetExited() {
    return Failure{1, "the target has exited"};
}

// The value of "PacketSize=..." in a qSupported reply, 0 when it names none.
std::size_t PacketSizeFeature(const std::string& features) {
    constexpr std::string_view kKey = "PacketSize=";
    std::size_t start = 0;
    while (start <= features.size()) {
        const std::size_t end = std::min(features.find(';', start), features.size());
        const std::string_view feature = std::string_view(features).substr(start, end - start);
        if (feature.substr(0, kKey.size()) == kKey) {
            std::size_t size = 0;
            for (const char c : feature.substr(kKey.size())) {
                if (HexValue(c) < 0 || size > kMaxReplyBytes)
                    return 0;
                size = size * 16 + static_cast<std::size_t>(HexValue(c));
            }
            return size;
        }
        start = end + 1;
    }
    return 0;
}

bool HasFeature(const std::string& features, std::string_view feature) {
    std::size_t start = 0;
    while (start <= features.size()) {
        const std::size_t end = std::min(features.find(';', start), features.size());
        if (std::string_view(features).substr(start, end - start) == feature)
            return true;
        start = end + 1;
    }
    return false;
}

std::string MemoryRange(std::uint64_t address, std::size_t length) {
    return NumberText(address, 16) + "," + NumberText(length, 16);
}

} // namespace

RemoteSession::RemoteSession(std::unique_ptr<ByteChannel> line, int replyTimeoutMs)
    : line_(std::move(line)), replyTimeoutMs_(replyTimeoutMs) {}

Failure RemoteSession::NoReply(const std::string& what) const {
    return Failure{1, "no reply within " + std::to_string(replyTimeoutMs_) + " ms " + what};
}

Failure RemoteSession::ServerError(const std::string& reply, const std::string& what) const {
    if (reply.empty())
        return Failure{1, "server does not support " + what};
    if (IsErrorReply(reply))
        return Failure{1, "server replied " + reply.substr(0, 8) + " " + what};
    return Failure{1, "unexpected reply '" + reply.substr(0, 8) + "' " + what};
}

Result<ReceivedFrame> RemoteSession::NextFrame(const std::string& what) {
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(replyTimeoutMs_);
    for (;;) {
        while (receivedAt_ < received_.size()) {
            if (auto frame = reader_.Take(received_[receivedAt_++]))
                return std::move(*frame);
        }
        received_.clear();
        receivedAt_ = 0;
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left < 0)
            return NoReply(what);
        received_.resize(kReceiveChunk);
        Result<std::size_t> got =
            line_->Receive(received_.data(), received_.size(), static_cast<int>(left));
        if (!got) {
            received_.clear();
            reader_.Reset();
            return got.Error();
        }
        received_.resize(got.Value());
        if (got.Value() == 0)
            return NoReply(what);
    }
}

Result<void> RemoteSession::SendPacket(const std::string& payload, const std::string& what) {
    const std::string framed = FramePacket(payload);
    // The server's packet size counts the frame's bytes too.
    if (packetSize_ != 0 && framed.size() > packetSize_)
        return Failure{1, "server packets too short " + what};
    for (int attempt = 0; attempt < kMaxPacketTries; ++attempt) {
        if (Result<void> sent = line_->Send(framed); !sent)
            return sent;
        if (!ackMode_)
            return {};
        for (;;) {
            Result<ReceivedFrame> frame = NextFrame(what);
            if (!frame)
                return frame.Error();
            const ReceivedFrame::Kind kind = frame.Value().kind;
            if (kind == ReceivedFrame::Kind::Ack)
                return {};
            if (kind == ReceivedFrame::Kind::Nak)
                break;
            if (kind == ReceivedFrame::Kind::Packet) {
                if (Result<void> acked = line_->Send("+"); !acked)
                    return acked;
                // A stop report of its own comes before the acknowledgement; any other packet
                // is the reply, whose acknowledgement was lost on the way.
                if (!IsStopReply(frame.Value().payload)) {
                    earlyReply_ = std::move(frame.Value().payload);
                    return {};
                }
            }
        }
    }
    return Failure{1, "server rejected every try " + what};
}

Result<std::string> RemoteSession::ReceivePacket(const std::string& what, bool stopReplies) {
    if (earlyReply_) {
        std::string reply = std::move(*earlyReply_);
        earlyReply_.reset();
        return reply;
    }
    int damaged = 0;
    for (;;) {
        Result<ReceivedFrame> frame = NextFrame(what);
        if (!frame)
            return frame.Error();
        if (frame.Value().kind == ReceivedFrame::Kind::Packet) {
            if (ackMode_) {
                if (Result<void> acked = line_->Send("+"); !acked)
                    return acked.Error();
            }
            // A server may report a stop nobody asked for (QEMU does when a debugger attaches
            // to a running machine); the target is stopped then, which changes no reply.
            if (!stopReplies && IsStopReply(frame.Value().payload))
                continue;
            return std::move(frame.Value().payload);
        }
        if (frame.Value().kind != ReceivedFrame::Kind::BadPacket)
            continue;
        // Without acknowledgements a damaged reply cannot be asked for again.
        if (!ackMode_ || ++damaged >= kMaxPacketTries)
            return Failure{1, "damaged reply " + what};
        if (Result<void> asked = line_->Send("-"); !asked)
            return asked.Error();
    }
}

Result<std::string> RemoteSession::Exchange(const std::string& payload, const std::string& what,
                                            bool stopReplies) {
    if (Result<void> sent = SendPacket(payload, what); !sent)
        return sent.Error();
    return ReceivePacket(what, stopReplies);
}

Result<void> RemoteSession::Start() {
    const std::string what = "to qSupported";
    Result<std::string> features = Exchange("qSupported", what);
    if (!features)
        return features.Error();
    packetSize_ = PacketSizeFeature(features.Value());
    if (HasFeature(features.Value(), "QStartNoAckMode+")) {
        Result<std::string> noAck = Exchange("QStartNoAckMode", "to QStartNoAckMode");
        if (!noAck)
            return noAck.Error();
        ackMode_ = noAck.Value() != "OK";
    }
    Result<std::string> state = Exchange("?", "to '?'", true);
    if (!state)
        return state.Error();
    if (IsExitReply(state.Value()))
        return TargetExited();
    return {};
}

Result<void> RemoteSession::ReadMemory(std::uint64_t address, std::span<std::uint8_t> bytes,
                                       const std::string& what) {
    Result<std::string> reply = Exchange("m" + MemoryRange(address, bytes.size()), what);
    if (!reply)
        return reply.Error();
    const std::string& hex = reply.Value();
    if (hex.size() != 2 * bytes.size())
        return ServerError(hex, what);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const int high = HexValue(hex[2 * i]);
        const int low = HexValue(hex[2 * i + 1]);
        if (high < 0 || low < 0)
            return ServerError(hex, what);
        bytes[i] = static_cast<std::uint8_t>(high * 16 + low);
    }
    return {};
}

Result<void> RemoteSession::WriteMemory(std::uint64_t address, std::span<const std::uint8_t> bytes,
                                        const std::string& what) {
    std::string payload = "M" + MemoryRange(address, bytes.size()) + ":";
    for (const std::uint8_t byte : bytes) {
        payload += HexText(byte, 2);
    }
    Result<std::string> reply = Exchange(payload, what);
    if (!reply)
        return reply.Error();
    if (reply.Value() != "OK")
        return ServerError(reply.Value(), what);
    return {};
}

Result<void> RemoteSession::Halt() {
    // The interrupt is a byte of its own, outside any packet, and has no acknowledgement.
    if (Result<void> sent = line_->Send("\x03"); !sent)
        return sent;
    const std::string what = "stopping the target";
    for (int packet = 0; packet < kMaxPacketsBeforeStop; ++packet) {
        Result<std::string> reply = ReceivePacket(what, true);
        if (!reply)
            return reply.Error();
        if (IsStopReply(reply.Value()))
            return {};
        if (IsExitReply(reply.Value()))
            return TargetExited();
        if (!IsConsoleOutput(reply.Value()))
            return ServerError(reply.Value(), what);
    }
    return Failure{1, "the target did not stop"};
}

Result<void> RemoteSession::Resume() {
    return SendPacket("c", "resuming the target");
}

Result<void> RemoteSession::Detach() {
    Result<std::string> reply = Exchange("D", "detaching");
    if (!reply)
        return reply.Error();
    if (reply.Value() != "OK")
        return ServerError(reply.Value(), "detaching");
    return {};
}

} // namespace vek
