#pragma once

namespace vek {

// Gives the whole memory pages that lie within [begin, end) back to the system, which drops
// them from the process's resident memory at once. The range stays allocated to its owner and
// reads as zeros afterwards: only a range that will not be read again may be given back.
void ReleasePages(char* begin, char* end);

} // namespace vek
