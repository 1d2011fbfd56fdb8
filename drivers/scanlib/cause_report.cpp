#include "cause_report.h"

#include <cstdio>

namespace bsx4810 {

void ReportCause(const char* part, const std::string& cause) {
    std::fprintf(stderr, "BSX4810 %s: %s\n", part, cause.c_str());
    std::fflush(stderr);
}

} // namespace bsx4810
