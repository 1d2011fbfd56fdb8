#include "device_lock.h"

#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace bsx4810 {

CDeviceLock::~CDeviceLock() {
    CloseFile();
}

bool CDeviceLock::Acquire(const std::string& path) {
    if (held_)
        return false;
    // The file stays open between claims so that a claim costs one lock call, not an open.
    if (fd_ >= 0 && path != path_)
        CloseFile();
    if (fd_ < 0) {
        fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd_ < 0)
            return false;
        path_ = path;
    }
    held_ = ::flock(fd_, LOCK_EX | LOCK_NB) == 0;
    return held_;
}

void CDeviceLock::Release() {
    if (held_)
        ::flock(fd_, LOCK_UN);
    held_ = false;
}

void CDeviceLock::CloseFile() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    held_ = false;
    path_.clear();
}

std::string DeviceLockPath() {
    if (const char* path = std::getenv("BSX4810_LOCK_FILE"); path && *path)
        return path;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime)
        return std::string(runtime) + "/BSX4810.lock";
    return "/tmp/BSX4810-" + std::to_string(::getuid()) + ".lock";
}

} // namespace bsx4810
