#include "platform/file_in_place.h"

#include "platform/file_write_rule.h"

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace vek {

namespace {

bool Later(const timespec& a, const timespec& b) {
    return a.tv_sec > b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec > b.tv_nsec);
}

} // namespace

Result<FileInPlace> FileInPlace::Open(const std::string& path) {
    Result<WritableFile> writable = FindWritableFile(path);
    if (!writable)
        return writable.Error();
    const WritableFile& file = writable.Value();
    if (!file.exists)
        return FileFailure(path, ENOENT);
    // Not through a link, nor blocking on what is no file: the target was checked above, and
    // whatever has taken its place since is refused below.
    const int fd =
        ::open(file.target.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return FileFailure(path, errno);
    struct stat info {};
    if (::fstat(fd, &info) != 0 || info.st_dev != file.info.st_dev ||
        info.st_ino != file.info.st_ino) {
        ::close(fd);
        return Failure{EAGAIN, path + ": replaced while it was being opened; nothing was written"};
    }
    return FileInPlace(fd, path, info);
}

FileInPlace::FileInPlace(int fd, std::string path, const struct stat& info)
    : fd_(fd), path_(std::move(path)), known_(info) {}

FileInPlace::FileInPlace(FileInPlace&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), path_(std::move(other.path_)), known_(other.known_),
      stamped_(other.stamped_), stampChecked_(other.stampChecked_) {}

FileInPlace& FileInPlace::operator=(FileInPlace&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = std::exchange(other.fd_, -1);
        path_ = std::move(other.path_);
        known_ = other.known_;
        stamped_ = other.stamped_;
        stampChecked_ = other.stampChecked_;
    }
    return *this;
}

FileInPlace::~FileInPlace() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool FileInPlace::Unchanged(const std::string& path) const {
    struct stat info {};
    return stamped_ && path == path_ && ::stat(path.c_str(), &info) == 0 &&
           info.st_dev == known_.st_dev && info.st_ino == known_.st_ino &&
           info.st_size == known_.st_size && info.st_mode == known_.st_mode &&
           info.st_uid == known_.st_uid && info.st_mtim.tv_sec == known_.st_mtim.tv_sec &&
           info.st_mtim.tv_nsec == known_.st_mtim.tv_nsec;
}

Result<void> FileInPlace::WriteAt(off_t offset, std::string_view bytes) {
    ssize_t written = 0;
    do {
        written = ::pwrite(fd_, bytes.data(), bytes.size(), offset);
    } while (written < 0 && errno == EINTR);
    if (written < 0)
        return FileFailure(path_, errno);
    // Only a full disk or the file-size limit write less than a few bytes asked for.
    if (static_cast<std::size_t>(written) != bytes.size())
        return Failure{ENOSPC, path_ + ": only part of a change was written"};
    // Where the system already gave the change a time after every earlier one (as it does
    // once the time has been looked at since the last change), that time serves; setting one
    // costs more than the write.
    struct stat info {};
    if (stamped_ && ::fstat(fd_, &info) == 0 && Later(info.st_mtim, known_.st_mtim)) {
        known_.st_mtim = info.st_mtim;
        return {};
    }
    Stamp();
    return {};
}

// The system gives a change the time of its clock tick, which two changes a moment apart share;
// each change here takes a time after the one before instead, the present or one nanosecond on.
void FileInPlace::Stamp() {
    if (!stamped_)
        return;
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    timespec next = known_.st_mtim;
    if (++next.tv_nsec == 1'000'000'000) {
        ++next.tv_sec;
        next.tv_nsec = 0;
    }
    if (Later(now, next))
        next = now;
    const timespec times[2] = {{0, UTIME_OMIT}, next};
    if (::futimens(fd_, times) != 0) {
        stamped_ = false;
        return;
    }
    known_.st_mtim = next;
    if (!stampChecked_) {
        // Once per file: a file system that rounds the times cannot carry each change.
        struct stat info {};
        stampChecked_ = true;
        stamped_ = ::fstat(fd_, &info) == 0 && info.st_mtim.tv_sec == next.tv_sec &&
                   info.st_mtim.tv_nsec == next.tv_nsec;
    }
}

} // namespace vek
