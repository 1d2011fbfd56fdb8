#include "platform/text_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vek {

namespace {

Failure SystemFailure(int error) {
    return Failure{error, std::strerror(error)};
}

Failure TooLarge(const FileLimit& limit) {
    return Failure{EFBIG, "larger than " + std::to_string(limit.bytes / kMebibyte) +
                              " MiB, the most a " + limit.what + " may have"};
}

// Closes the descriptor whatever way the reading ends.
class OpenFile {
public:
    explicit OpenFile(int fd) : fd_(fd) {}
    ~OpenFile() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    int Descriptor() const { return fd_; }

private:
    int fd_;
};

} // namespace

Result<std::string> ReadTextFile(const std::string& path, const FileLimit& limit) {
    const OpenFile file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.Descriptor() < 0)
        return SystemFailure(errno);
    struct stat info {};
    if (::fstat(file.Descriptor(), &info) != 0)
        return SystemFailure(errno);
    if (S_ISDIR(info.st_mode))
        return SystemFailure(EISDIR);
    const bool regular = S_ISREG(info.st_mode);
    if (!regular && !S_ISFIFO(info.st_mode) && !S_ISCHR(info.st_mode))
        return Failure{EINVAL, "not a regular file or a pipe"};
    if (regular && static_cast<std::uint64_t>(info.st_size) > limit.bytes)
        return TooLarge(limit);

    std::string contents;
    if (regular)
        contents.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(file.Descriptor(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return SystemFailure(errno);
        }
        if (got == 0)
            return contents;
        // A file that grows while it is read counts as well as one that was large to begin with.
        if (contents.size() + static_cast<std::size_t>(got) > limit.bytes)
            return TooLarge(limit);
        contents.append(buffer, static_cast<std::size_t>(got));
    }
}

Result<void> CheckRegularFile(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return SystemFailure(errno);
    if (S_ISDIR(info.st_mode))
        return SystemFailure(EISDIR);
    if (!S_ISREG(info.st_mode))
        return Failure{EINVAL, "not a regular file"};
    // Opened without waiting, and looked at again: the name may have been given to a FIFO since.
    const OpenFile file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.Descriptor() < 0)
        return SystemFailure(errno);
    if (::fstat(file.Descriptor(), &info) != 0)
        return SystemFailure(errno);
    if (!S_ISREG(info.st_mode))
        return Failure{EINVAL, "not a regular file"};
    return {};
}

} // namespace vek
