// A conversation with a GDB server over one line: the handshake, memory reads and writes of a
// given length, stopping and resuming the target, and the detach that ends it.
#pragma once

#include "byte_channel.h"
#include "remote_packet.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace vek {

class RemoteSession {
public:
    RemoteSession(std::unique_ptr<ByteChannel> line, int replyTimeoutMs);

    // Learns the server's features (qSupported), leaves acknowledgement mode where the server
    // offers it, and asks for the target's state; fails when the target has exited.
    Result<void> Start();
    // `what` names the transfer in messages ("reading 0x40002004").
    Result<void> ReadMemory(std::uint64_t address, std::span<std::uint8_t> bytes,
                            const std::string& what);
    Result<void> WriteMemory(std::uint64_t address, std::span<const std::uint8_t> bytes,
                             const std::string& what);
    // Stops a running target and waits for its stop reply.
    Result<void> Halt();
    // Lets the target run on; no reply comes until it stops.
    Result<void> Resume();
    // Ends the session; the server lets the target run as a debugger's detach does.
    Result<void> Detach();

    bool AcknowledgesPackets() const { return ackMode_; }
    std::size_t PacketSize() const { return packetSize_; }

private:
    // stopReplies: a stop reply is the answer; otherwise one is passed over.
    Result<std::string> Exchange(const std::string& payload, const std::string& what,
                                 bool stopReplies = false);
    Result<void> SendPacket(const std::string& payload, const std::string& what);
    Result<std::string> ReceivePacket(const std::string& what, bool stopReplies);
    // The next frame the server sends, waiting at most the reply timeout for it.
    Result<ReceivedFrame> NextFrame(const std::string& what);
    Failure NoReply(const std::string& what) const;
    Failure ServerError(const std::string& reply, const std::string& what) const;

    std::unique_ptr<ByteChannel> line_;
    int replyTimeoutMs_;
    FrameReader reader_;
    std::string received_;
    std::size_t receivedAt_ = 0;
    bool ackMode_ = true;
    std::size_t packetSize_ = 0;
    // A reply that arrived before the acknowledgement of its request.
    std::optional<std::string> earlyReply_;
};

} // namespace vek
