#include "platform/text_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vek {

bool ReadTextFile(const std::string& path, std::string& contents, std::string& error) {
    contents.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(fd);
        error = std::strerror(EISDIR);
        return false;
    }
    if (info.st_size > 0)
        contents.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            error = std::strerror(errno);
            ::close(fd);
            contents.clear();
            return false;
        }
        if (got == 0)
            break;
        contents.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return true;
}

} // namespace vek
