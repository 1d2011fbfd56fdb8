#include "platform/dynamic_library.h"

#include "platform/text_helpers.h"

#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <system_error>

namespace vek {

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

bool IsPlainLibraryName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string("/\\\0", 3)) == std::string::npos;
}

std::unique_ptr<DynamicLibrary> DynamicLibrary::Load(const std::string& name,
                                                     const std::vector<std::string>& directories,
                                                     std::string& error) {
    if (!IsPlainLibraryName(name)) {
        error = name.empty() ? "no driver name"
                             : "a driver is named by its file name, not by a path; it is looked "
                               "for only in the driver folders";
        return nullptr;
    }
    const std::vector<std::string> candidates = LibraryFileCandidates(name);
    std::error_code ignored;
    for (const std::string& directory : directories) {
        // An empty folder name would read as the current folder.
        if (directory.empty())
            continue;
        for (const std::string& candidate : candidates) {
            const std::filesystem::path file =
                std::filesystem::absolute(std::filesystem::path(directory) / candidate, ignored)
                    .lexically_normal();
            if (!std::filesystem::is_regular_file(file, ignored))
                continue;
            // A path with a '/' keeps dlopen from searching anywhere but there.
            dlerror();
            void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
            if (handle == nullptr) {
                const char* reason = dlerror();
                error = reason != nullptr ? reason : file.string() + ": does not load";
                return nullptr;
            }
            return std::unique_ptr<DynamicLibrary>(new DynamicLibrary(handle, file.string()));
        }
    }
    error = "'" + name + "' not found in the driver folders";
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

bool IsInProgramDirectory(const std::string& path) {
    std::error_code error;
    return std::filesystem::equivalent(std::filesystem::path(path).parent_path(),
                                       ProgramDirectory(), error);
}

std::vector<std::string> SplitFolderList(const std::string& list) {
    std::vector<std::string> folders;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t colon = list.find(':', start);
        const std::size_t end = colon == std::string::npos ? list.size() : colon;
        if (end > start)
            folders.push_back(list.substr(start, end - start));
        start = end + 1;
    }
    return folders;
}

std::vector<std::string> DriverSearchDirectories(const DriverFolders& named) {
    std::vector<std::string> directories = named.commandLine;
    if (const char* list = std::getenv("VEK_DRIVER_PATH")) {
        for (std::string& folder : SplitFolderList(list))
            directories.push_back(std::move(folder));
    }
    directories.insert(directories.end(), named.setting.begin(), named.setting.end());
    directories.push_back(ProgramDirectory());
    return directories;
}

} // namespace vek
