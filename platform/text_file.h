#pragma once

#include "platform/file_limits.h"
#include "platform/result.h"

#include <string>

namespace vek {

// Reads a whole file of at most limit.bytes. A regular file larger than that is refused before
// it is read. A pipe or a character device (a description given as <(...) or /dev/stdin) is read
// once, as far as it goes, and refused as soon as it gives more than the limit (/dev/zero never
// ends); a directory and any other kind of file (a block device, a socket) are refused without
// reading. A failure's text is the reason as the user reads it: the system's ("No such file or
// directory", "Is a directory", ...) or the limit's.
Result<std::string> ReadTextFile(const std::string& path, const FileLimit& limit);

// Whether a file is a regular file that can be opened for reading, found out without blocking:
// anything else (a FIFO, whose open would wait for a writer for ever, a device, a folder) is
// refused before it is opened. For the desktop program, which opens what it is handed (a
// double-click, a drop, a recent file) on the thread that draws its windows.
Result<void> CheckRegularFile(const std::string& path);

} // namespace vek
