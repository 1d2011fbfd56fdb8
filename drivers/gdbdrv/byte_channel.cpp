#include "byte_channel.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

namespace vek {

Failure LostConnection(const std::string& peer) {
    return Failure{1, "connection to " + peer + " lost"};
}

ByteChannel::ByteChannel(int fd, std::string peer, bool socket)
    : fd_(fd), peer_(std::move(peer)), socket_(socket) {}

ByteChannel::~ByteChannel() {
    ::close(fd_);
}

Result<void> ByteChannel::Send(std::string_view bytes) {
    while (!bytes.empty()) {
        // A socket the server closed must give an error here, not end the process with SIGPIPE.
        const ssize_t sent = socket_ ? ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL)
                                     : ::write(fd_, bytes.data(), bytes.size());
        if (sent < 0) {
            if (errno == EINTR)
                continue;
            return LostConnection(peer_);
        }
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
    return {};
}

Result<std::size_t> ByteChannel::Receive(char* buffer, std::size_t size, int timeoutMs) {
    if (socket_ && timeoutMs > 0)
        return ReceiveFromSocket(buffer, size, timeoutMs);
    pollfd waiting{fd_, POLLIN, 0};
    int ready = 0;
    do {
        ready = ::poll(&waiting, 1, std::max(timeoutMs, 0));
    } while (ready < 0 && errno == EINTR);
    if (ready == 0)
        return std::size_t{0};
    if (ready < 0)
        return LostConnection(peer_);
    ssize_t got = 0;
    do {
        got = ::read(fd_, buffer, size);
    } while (got < 0 && errno == EINTR);
    if (got <= 0)
        return LostConnection(peer_);
    return static_cast<std::size_t>(got);
}

// The socket's own receive timeout spares a poll per reply; it changes only when the time left
// does, by whole milliseconds.
Result<std::size_t> ByteChannel::ReceiveFromSocket(char* buffer, std::size_t size, int timeoutMs) {
    if (timeoutMs != socketTimeoutMs_) {
        const timeval wait{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
        if (::setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait) != 0)
            return LostConnection(peer_);
        socketTimeoutMs_ = timeoutMs;
    }
    ssize_t got = 0;
    do {
        got = ::recv(fd_, buffer, size, 0);
    } while (got < 0 && errno == EINTR);
    if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
        return std::size_t{0};
    if (got <= 0)
        return LostConnection(peer_);
    return static_cast<std::size_t>(got);
}

} // namespace vek
