#include "cli/output_check.h"

#include <cerrno>
#include <cstring>
#include <ostream>

namespace vek {

bool OutputWritten(std::ostream& out, std::ostream& err) {
    // The stream's own slot remembers that its failure was said already.
    static const int reported = std::ios_base::xalloc();
    errno = 0;
    out.flush();
    if (!out.fail())
        return true;
    const int reason = errno;
    if (out.iword(reported) == 0) {
        out.iword(reported) = 1;
        err << "vek: cannot write standard output";
        if (reason != 0)
            err << ": " << std::strerror(reason);
        err << '\n';
    }
    return false;
}

} // namespace vek
