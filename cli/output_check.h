#pragma once

#include <iosfwd>

namespace vek {

// Flushes `out` and answers whether everything written to it so far arrived. When it did not
// (a full disk, a closed pipe, /dev/full), that is said on `err`, once for each stream, so that
// lost output never passes for a finished run.
bool OutputWritten(std::ostream& out, std::ostream& err);

} // namespace vek
