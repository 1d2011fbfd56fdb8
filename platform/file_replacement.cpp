#include "platform/file_replacement.h"

#include "platform/file_write_rule.h"
#include "platform/temporary_files.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace vek {

namespace {

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

// A write that failed once the temporary was made: the file is as it was.
Failure NothingWritten(const std::string& path, int error) {
    Failure failure = FileFailure(path, error);
    failure.text += "; nothing was written";
    return failure;
}

} // namespace

Result<void> ReplaceFile(const std::string& path, std::string_view contents) {
    Result<WritableFile> writable = FindWritableFile(path);
    if (!writable)
        return writable.Error();
    const WritableFile& file = writable.Value();
    const std::string& target = file.target;

    RemoveStaleTemporaries(target);
    PendingTemporary temporary(TemporaryFileTemplate(target));
    if (temporary.Descriptor() < 0) {
        // The file itself may be writable, but a replacement is made beside it.
        if (errno == EACCES)
            return Failure{EACCES, path + ": the folder " + FolderOf(target) +
                                       " may not be written; nothing was written"};
        return FileFailure(path, errno);
    }
    if (file.exists) {
        // Only the superuser can give the owner back; where that fails the file becomes the
        // writer's, as a new file would.
        if (file.info.st_uid != ::geteuid() || file.info.st_gid != ::getegid())
            (void)!::fchown(temporary.Descriptor(), file.info.st_uid, file.info.st_gid);
        ::fchmod(temporary.Descriptor(), file.info.st_mode & 07777);
    } else {
        ::fchmod(temporary.Descriptor(), NewFileMode());
    }
    // The new contents reach the disk before the rename makes them the file, so that a crash
    // leaves either the old file or the whole new one.
    if (!WriteAll(temporary.Descriptor(), contents) || ::fsync(temporary.Descriptor()) != 0 ||
        !temporary.Close() || !temporary.RenameTo(target))
        return NothingWritten(path, errno);
    return {};
}

} // namespace vek
