#pragma once

#include "platform/result.h"

#include <string>
#include <string_view>

namespace vek {

// Writes `contents` as the file at `path`, whole or not at all: into a new temporary file beside
// the file (created with mkstemp, so no other file is ever opened in its place), synced to the
// disk, then renamed over it. A reader sees the old file or the new one, never half of one, and
// a failed or killed write leaves the old file as it was (the temporary is removed, see
// temporary_files.h; temporaries that a killed save of the same file left are cleared first).
// - Which file is written, and which are refused, follows FindWritableFile (file_write_rule.h):
//   a symbolic link is written through to its target and stays a link; a file the user may not
//   write, or whose permissions allow nobody to write it, is refused and nothing is changed.
// - An existing file keeps its permissions and, where the user may give them, its owner; a new
//   file gets the permissions the user's umask allows.
// A failure's text names `path` and the reason; one that comes once writing has begun ends in
// "; nothing was written".
Result<void> ReplaceFile(const std::string& path, std::string_view contents);

} // namespace vek
