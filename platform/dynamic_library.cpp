#include "platform/dynamic_library.h"

#include "platform/text_helpers.h"

#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <system_error>

namespace vek {

namespace {

std::string DirectoryOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

DynamicLibrary::~DynamicLibrary() {
    dlclose(handle_);
}

std::vector<std::string> LibraryFileCandidates(const std::string& name) {
    std::vector<std::string> names{name};
    if (EndsWithNoCase(name, ".dll")) {
        const std::string so = name.substr(0, name.size() - 4) + ".so";
        names.push_back(so);
        names.push_back("lib" + so);
    }
    return names;
}

std::unique_ptr<DynamicLibrary> DynamicLibrary::Load(const std::string& name,
                                                     const std::vector<std::string>& directories,
                                                     std::string& error) {
    error = "'" + name + "' not found";
    if (name.empty())
        return nullptr;
    const std::vector<std::string> candidates = LibraryFileCandidates(name);
    auto tryOpen = [&](const std::string& path) -> std::unique_ptr<DynamicLibrary> {
        dlerror();
        void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr) {
            if (const char* reason = dlerror())
                error = reason;
            return nullptr;
        }
        return std::unique_ptr<DynamicLibrary>(new DynamicLibrary(handle, path));
    };
    std::error_code ignored;
    // The reason a file that is there did not load (another machine's library, a library it
    // needs is missing) says more than any "not found" of the later candidates.
    std::string foundButFailed;
    for (const std::string& directory : directories) {
        for (const std::string& candidate : candidates) {
            const std::string path = directory + "/" + candidate;
            if (!std::filesystem::is_regular_file(path, ignored))
                continue;
            if (auto library = tryOpen(path))
                return library;
            if (foundButFailed.empty())
                foundButFailed = error;
        }
    }
    for (const std::string& candidate : candidates) {
        if (auto library = tryOpen(candidate))
            return library;
    }
    if (!foundButFailed.empty())
        error = foundButFailed;
    return nullptr;
}

void* DynamicLibrary::Symbol(const char* name) const {
    return dlsym(handle_, name);
}

std::string ProgramDirectory() {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string(".") : self.parent_path().string();
}

std::vector<std::string> DriverSearchDirectories(const std::string& descriptionPath) {
    std::vector<std::string> directories;
    if (const char* list = std::getenv("VEK_DRIVER_PATH")) {
        std::string entries(list);
        std::size_t start = 0;
        while (start <= entries.size()) {
            const std::size_t colon = entries.find(':', start);
            const std::size_t end = colon == std::string::npos ? entries.size() : colon;
            if (end > start)
                directories.push_back(entries.substr(start, end - start));
            start = end + 1;
        }
    }
    if (!descriptionPath.empty())
        directories.push_back(DirectoryOf(descriptionPath));
    directories.push_back(ProgramDirectory());
    return directories;
}

} // namespace vek
