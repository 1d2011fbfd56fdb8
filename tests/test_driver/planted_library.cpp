// A library that tells when it is loaded: it creates the file that VEK_PLANTED_MARK names. Tests
// plant it where no driver may come from and look for the file.
#include <cstdio>
#include <cstdlib>

namespace {

__attribute__((constructor)) void MarkLoaded() {
    if (const char* path = std::getenv("VEK_PLANTED_MARK")) {
        if (std::FILE* file = std::fopen(path, "w"))
            std::fclose(file);
    }
}

} // namespace
