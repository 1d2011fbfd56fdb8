// A file whose bytes are changed where they lie, for a writer that changes a few bytes often and
// cannot afford to replace the whole file each time (file_replacement.h).
#pragma once

#include "platform/result.h"

#include <string>
#include <string_view>
#include <sys/stat.h>

namespace vek {

class FileInPlace {
public:
    // Opens the existing file at `path` for writing, under the rule of FindWritableFile
    // (file_write_rule.h): through links, never a read-only file or what is not a regular file.
    // The failure's text names `path` and the reason.
    static Result<FileInPlace> Open(const std::string& path);

    FileInPlace(FileInPlace&& other) noexcept;
    FileInPlace& operator=(FileInPlace&& other) noexcept;
    FileInPlace(const FileInPlace&) = delete;
    FileInPlace& operator=(const FileInPlace&) = delete;
    ~FileInPlace();

    // Whether `path` still reaches this file as it was when it was opened or last written by
    // this object: the same file with the same size, permissions, owner and modification time.
    // False once another program has replaced or changed it (or where this cannot be told): read
    // it again, and Open it again so that the rule is applied to what the path now names.
    bool Unchanged(const std::string& path) const;

    // Writes `bytes` at `offset` with one system call, so that a process killed meanwhile has
    // written all of them or none, then gives the file a modification time later than any it had,
    // so that every other program's Unchanged sees the change, however close in time. The bytes
    // are not synced: a crash of the system may lose them.
    Result<void> WriteAt(off_t offset, std::string_view bytes);

private:
    FileInPlace(int fd, std::string path, const struct stat& info);
    void Stamp();

    int fd_ = -1;
    std::string path_;
    struct stat known_ {};
    // False when the file's times cannot carry each change (they cannot be set, or the file
    // system keeps them coarser than a nanosecond): Unchanged is then always false.
    bool stamped_ = true;
    bool stampChecked_ = false;
};

} // namespace vek
