// Which file a write to a path reaches, and whether the user may write it: the rule every file the
// program writes follows, whether it is replaced whole (file_replacement.h) or changed in place
// (file_in_place.h).
#pragma once

#include "platform/result.h"

#include <string>
#include <sys/stat.h>

namespace vek {

struct WritableFile {
    std::string target;  // the file itself: `path`, or the end of its chain of links
    bool exists = false; // false: the write makes it
    struct stat info {}; // the existing file's, when it exists
};

// - A symbolic link is written through: the write reaches its target and the link stays. A link
//   that another user placed in a folder every user may write to (such as /tmp) is not followed,
//   as the kernel does not follow one on open either.
// - A file the user may not write, or one whose permissions allow nobody to write it (also to the
//   superuser, who could), is refused; so is what is not a regular file.
// A failure's text names `path` and the reason.
Result<WritableFile> FindWritableFile(const std::string& path);

// "<path>: <reason>" for errno `error`.
Failure FileFailure(const std::string& path, int error);

// The folder that holds `path` ("." for a bare name).
std::string FolderOf(const std::string& path);

} // namespace vek
