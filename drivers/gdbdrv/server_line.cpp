#include "server_line.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>
#include <utility>

namespace vek {
namespace {

// The outcome of one address: connected, or why not.
struct Attempt {
    int fd = -1;
    int error = 0;
};

Attempt ConnectWithin(const addrinfo& address, int timeoutMs) {
    const int fd = ::socket(address.ai_family, address.ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK,
                            address.ai_protocol);
    if (fd < 0)
        return {-1, errno};
    int error = 0;
    if (::connect(fd, address.ai_addr, address.ai_addrlen) != 0) {
        error = errno;
        if (error == EINPROGRESS) {
            pollfd waiting{fd, POLLOUT, 0};
            int ready = 0;
            do {
                ready = ::poll(&waiting, 1, timeoutMs);
            } while (ready < 0 && errno == EINTR);
            socklen_t length = sizeof error;
            if (ready == 0) {
                error = ETIMEDOUT;
            } else if (ready < 0 || ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0) {
                error = errno;
            }
        }
    }
    if (error != 0) {
        ::close(fd);
        return {-1, error};
    }
    // Reads wait with poll; the descriptor itself blocks again.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    const int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    return {fd, 0};
}

Failure ConnectFailure(const std::string& peer, int error, int timeoutMs) {
    if (error == ECONNREFUSED)
        return Failure{error, "connection refused by " + peer};
    if (error == ETIMEDOUT)
        return Failure{error,
                       "no answer from " + peer + " within " + std::to_string(timeoutMs) + " ms"};
    return Failure{error, "cannot connect to " + peer + ": " + std::strerror(error)};
}

constexpr std::array<std::pair<int, speed_t>, 12> kSerialRates{{{9600, B9600},
                                                                {19200, B19200},
                                                                {38400, B38400},
                                                                {57600, B57600},
                                                                {115200, B115200},
                                                                {230400, B230400},
                                                                {460800, B460800},
                                                                {500000, B500000},
                                                                {921600, B921600},
                                                                {1000000, B1000000},
                                                                {2000000, B2000000},
                                                                {4000000, B4000000}}};

Failure SerialFailure(const std::string& path, int error) {
    return Failure{error, "cannot open " + path + ": " + std::strerror(error)};
}

} // namespace

Result<std::unique_ptr<ByteChannel>> ConnectTcp(const std::string& host, int port, int timeoutMs) {
    const std::string peer = host + ":" + std::to_string(port);
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0 ||
        found == nullptr) {
        return Failure{1, "cannot resolve host '" + host + "'"};
    }
    int error = ECONNREFUSED;
    for (const addrinfo* address = found; address != nullptr; address = address->ai_next) {
        const Attempt attempt = ConnectWithin(*address, timeoutMs);
        if (attempt.fd >= 0) {
            ::freeaddrinfo(found);
            return std::make_unique<ByteChannel>(attempt.fd, peer, true);
        }
        error = attempt.error;
    }
    ::freeaddrinfo(found);
    return ConnectFailure(peer, error, timeoutMs);
}

bool IsSerialRate(int baud) {
    for (const auto& [rate, code] : kSerialRates) {
        if (rate == baud)
            return true;
    }
    return false;
}

Result<std::unique_ptr<ByteChannel>> OpenSerialLine(const std::string& path, int baud) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return SerialFailure(path, errno);
    termios settings{};
    if (::tcgetattr(fd, &settings) != 0) {
        const int error = errno;
        ::close(fd);
        return Failure{error, path + " is not a serial port"};
    }
    ::cfmakeraw(&settings);
    for (const auto& [rate, code] : kSerialRates) {
        if (rate == baud) {
            ::cfsetispeed(&settings, code);
            ::cfsetospeed(&settings, code);
        }
    }
    settings.c_cflag |= CLOCAL | CREAD;
    if (::tcsetattr(fd, TCSANOW, &settings) != 0) {
        const int error = errno;
        ::close(fd);
        return SerialFailure(path, error);
    }
    ::tcflush(fd, TCIOFLUSH);
    return std::make_unique<ByteChannel>(fd, path, false);
}

} // namespace vek
