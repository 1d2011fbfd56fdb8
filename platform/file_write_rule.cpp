#include "platform/file_write_rule.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace vek {

namespace {

// As many links as the kernel follows in one path.
constexpr int kMaxLinkHops = 40;

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

} // namespace

Failure FileFailure(const std::string& path, int error) {
    return Failure{error, path + ": " + std::strerror(error)};
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

Result<WritableFile> FindWritableFile(const std::string& path) {
    Result<std::string> resolved = WriteTarget(path);
    if (!resolved)
        return resolved.Error();
    WritableFile file;
    file.target = std::move(resolved).Value();
    file.exists = ::stat(file.target.c_str(), &file.info) == 0;
    if (!file.exists)
        return file;
    if (S_ISDIR(file.info.st_mode))
        return FileFailure(path, EISDIR);
    if (!S_ISREG(file.info.st_mode))
        return Failure{EINVAL, path + ": not a regular file"};
    if (::faccessat(AT_FDCWD, file.target.c_str(), W_OK, AT_EACCESS) != 0 ||
        (file.info.st_mode & 0222) == 0)
        return Failure{EACCES, path + ": read-only file; nothing was written"};
    return file;
}

} // namespace vek
