#include "device_lock.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace bsx4810 {

namespace {

using vek::Failure;

constexpr const char* kLockFileName = "/BSX4810.lock";

Failure LockFileFailure(const std::string& path, const char* reason) {
    return Failure{1, "lock file " + path + ": " + reason};
}

// A folder for the lock: a directory of the user's own that no one else may enter, as a runtime
// folder must be. `examine` is stat, or lstat where a link in its place is refused too.
Result<void> CheckPrivateFolder(const std::string& folder, const char* what,
                                int (*examine)(const char*, struct stat*)) {
    struct stat info {};
    if (examine(folder.c_str(), &info) != 0)
        return Failure{errno, std::string(what) + " " + folder + ": " + std::strerror(errno)};
    if (!S_ISDIR(info.st_mode) || info.st_uid != ::geteuid() || (info.st_mode & 077) != 0)
        return Failure{EPERM, std::string(what) + " " + folder +
                                  " is not a private folder of this user (owner, mode 0700)"};
    return {};
}

} // namespace

CDeviceLock::~CDeviceLock() {
    CloseFile();
}

Result<void> CDeviceLock::OpenFile(const std::string& path) {
    // Never through a link, so that no one can point the lock at a file of their choice.
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        return LockFileFailure(path, errno == ELOOP ? "a symbolic link, not followed"
                                                    : std::strerror(errno));
    }
    struct stat info {};
    const char* refusal = nullptr;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        refusal = "not a regular file";
    else if (info.st_uid != ::geteuid())
        refusal = "belongs to another user";
    if (refusal != nullptr) {
        ::close(fd);
        return LockFileFailure(path, refusal);
    }
    fd_ = fd;
    path_ = path;
    return {};
}

Result<void> CDeviceLock::Acquire(const std::string& path) {
    if (held_)
        return Failure{EBUSY, "the controller is already open in this program"};
    // The file stays open between claims so that a claim costs one lock call, not an open.
    if (fd_ >= 0 && path != path_)
        CloseFile();
    if (fd_ < 0) {
        if (Result<void> opened = OpenFile(path); !opened)
            return opened;
    }
    if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK)
            return Failure{EBUSY,
                           "the controller is held by another program (lock file " + path + ")"};
        return LockFileFailure(path, std::strerror(errno));
    }
    held_ = true;
    return {};
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

Result<std::string> DeviceLockPath() {
    if (const char* path = std::getenv("BSX4810_LOCK_FILE"); path && *path)
        return std::string(path);
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime) {
        // A stale variable (the session that made the folder has ended) is said as such rather
        // than the lock quietly moving elsewhere, where another program of the user's would not
        // look for it.
        if (Result<void> usable = CheckPrivateFolder(runtime, "XDG_RUNTIME_DIR", ::stat); !usable)
            return usable.Error();
        return std::string(runtime) + kLockFileName;
    }
    const std::string folder = "/tmp/BSX4810-" + std::to_string(::geteuid());
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return Failure{errno, "cannot make the folder " + folder + ": " + std::strerror(errno)};
    if (Result<void> usable = CheckPrivateFolder(folder, "the folder", ::lstat); !usable)
        return usable.Error();
    return folder + kLockFileName;
}

} // namespace bsx4810
