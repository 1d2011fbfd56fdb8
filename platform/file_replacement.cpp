#include "platform/file_replacement.h"

#include "platform/temporary_files.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vek {

namespace {

// As many links as the kernel follows in one path.
constexpr int kMaxLinkHops = 40;

Failure FileFailure(const std::string& path, int error) {
    return Failure{error, path + ": " + std::strerror(error)};
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The kernel's rule for links in sticky folders that everybody may write (fs.protected_symlinks):
// such a link is followed only when it belongs to the user or to the folder's owner.
bool MayFollow(const std::string& link, const struct stat& linkInfo) {
    if (linkInfo.st_uid == ::geteuid())
        return true;
    struct stat folder {};
    if (::stat(FolderOf(link).c_str(), &folder) != 0)
        return false;
    const bool shared = (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
    return !shared || folder.st_uid == linkInfo.st_uid;
}

// The file a write to `path` reaches: `path` itself, or the end of its chain of links (which need
// not exist yet).
Result<std::string> WriteTarget(const std::string& path) {
    std::string current = path;
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0) {
            if (errno == ENOENT)
                return current;
            return FileFailure(path, errno);
        }
        if (!S_ISLNK(info.st_mode))
            return current;
        if (!MayFollow(current, info))
            return Failure{EPERM, path + ": a link that another user placed in a shared folder; "
                                         "not followed"};
        char target[PATH_MAX];
        const ssize_t length = ::readlink(current.c_str(), target, sizeof target - 1);
        if (length < 0)
            return FileFailure(path, errno);
        const std::string next(target, static_cast<std::size_t>(length));
        current = next.starts_with('/') ? next : FolderOf(current) + "/" + next;
    }
    return FileFailure(path, ELOOP);
}

bool WriteAll(int fd, std::string_view contents) {
    while (!contents.empty()) {
        const ssize_t written = ::write(fd, contents.data(), contents.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        contents.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

Result<void> ReplaceFile(const std::string& path, std::string_view contents) {
    Result<std::string> resolved = WriteTarget(path);
    if (!resolved)
        return resolved.Error();
    const std::string& target = resolved.Value();

    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists) {
        if (S_ISDIR(old.st_mode))
            return FileFailure(path, EISDIR);
        if (!S_ISREG(old.st_mode))
            return Failure{EINVAL, path + ": not a regular file"};
        if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0 ||
            (old.st_mode & 0222) == 0)
            return Failure{EACCES, path + ": read-only file; nothing was written"};
    }

    RemoveStaleTemporaries(target);
    PendingTemporary temporary(TemporaryFileTemplate(target));
    if (temporary.Descriptor() < 0)
        return FileFailure(path, errno);
    if (exists) {
        // Only the superuser can give the owner back; where that fails the file becomes the
        // writer's, as a new file would.
        if (old.st_uid != ::geteuid() || old.st_gid != ::getegid())
            (void)!::fchown(temporary.Descriptor(), old.st_uid, old.st_gid);
        ::fchmod(temporary.Descriptor(), old.st_mode & 07777);
    } else {
        ::fchmod(temporary.Descriptor(), NewFileMode());
    }
    // The new contents reach the disk before the rename makes them the file, so that a crash
    // leaves either the old file or the whole new one.
    if (!WriteAll(temporary.Descriptor(), contents) || ::fsync(temporary.Descriptor()) != 0 ||
        !temporary.Close() || !temporary.RenameTo(target))
        return FileFailure(path, errno);
    return {};
}

} // namespace vek
