// The line to a debug server: a TCP connection or a serial port, both a file descriptor that
// is written whole and read with a deadline.
#pragma once

#include "platform/result.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace vek {

class ByteChannel {
public:
    // Takes the descriptor; `peer` names the other end in messages ("127.0.0.1:3333").
    ByteChannel(int fd, std::string peer, bool socket);
    ~ByteChannel();
    ByteChannel(const ByteChannel&) = delete;
    ByteChannel& operator=(const ByteChannel&) = delete;

    Result<void> Send(std::string_view bytes);
    // Some bytes into buffer, waiting at most timeoutMs for the first; 0 bytes when none came in
    // time. A closed line is a failure.
    Result<std::size_t> Receive(char* buffer, std::size_t size, int timeoutMs);
    const std::string& Peer() const { return peer_; }

private:
    Result<std::size_t> ReceiveFromSocket(char* buffer, std::size_t size, int timeoutMs);

    int fd_;
    std::string peer_;
    bool socket_;
    // The receive timeout the socket has now; 0 for none set.
    int socketTimeoutMs_ = 0;
};

// The failure of a line the other end closed or broke.
Failure LostConnection(const std::string& peer);

} // namespace vek
