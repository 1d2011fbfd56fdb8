#include "scratch_folder.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace vek::fuzz {

namespace {

const std::string& ScratchFolder() {
    static const std::string folder = [] {
        const char* base = std::getenv("TMPDIR");
        std::string pattern =
            std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/vek-fuzz-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) {
            std::perror(pattern.c_str());
            std::exit(1);
        }
        return pattern;
    }();
    static const bool removedAtExit = std::atexit([] {
                                          std::error_code ignored;
                                          std::filesystem::remove_all(ScratchFolder(), ignored);
                                      }) == 0;
    (void)removedAtExit;
    return folder;
}

} // namespace

void EnterScratchFolder() {
    std::error_code error;
    std::filesystem::current_path(ScratchFolder(), error);
    if (error) {
        std::fprintf(stderr, "%s: %s\n", ScratchFolder().c_str(), error.message().c_str());
        std::exit(1);
    }
}

std::string WriteScratchFile(std::string_view name, std::string_view bytes) {
    std::string path = ScratchFolder() + "/" + std::string(name);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
        std::perror(path.c_str());
        std::exit(1);
    }
    return path;
}

} // namespace vek::fuzz
