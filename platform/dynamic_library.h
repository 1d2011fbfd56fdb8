#pragma once

#include <memory>
#include <string>
#include <vector>

namespace vek {

// A shared library loaded at run time, unloaded when the object goes.
class DynamicLibrary {
public:
    ~DynamicLibrary();
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;

    // Loads a library by the name a description gives it ("pardrv32.dll"). The name is a file
    // name, never a path: one with a '/' or '\', "." or ".." is refused. Each directory in turn
    // is looked at for each candidate file name (the name as written, then with ".dll" in any
    // case replaced by ".so", then that with a "lib" prefix); the first file found is loaded,
    // and when it does not load that is the result: a later directory never stands in for a
    // library the user put first. The system's library search is not used, so no name reaches a
    // library outside the directories. Null, with the reason in `error`, when nothing loads.
    static std::unique_ptr<DynamicLibrary>
    Load(const std::string& name, const std::vector<std::string>& directories, std::string& error);

    // The address of an exported symbol, or null.
    void* Symbol(const char* name) const;
    // The absolute path of the file loaded.
    const std::string& Path() const { return path_; }

private:
    DynamicLibrary(void* handle, std::string path) : handle_(handle), path_(std::move(path)) {}

    void* handle_;
    std::string path_;
};

// The file names tried for a library name, in order.
std::vector<std::string> LibraryFileCandidates(const std::string& name);

// Whether a library name is a plain file name: not empty, no directory separator of either
// system, no NUL byte, not "." or "..".
bool IsPlainLibraryName(const std::string& name);

// The folders the user names for driver libraries, besides the program's own.
struct DriverFolders {
    std::vector<std::string> commandLine; // --driver-path, in the order given
    std::vector<std::string> setting;     // vek32's profile setting, in its order
};

// The directories searched for driver libraries: the command line's, those of VEK_DRIVER_PATH (a
// colon-separated list), the setting's, then the program's own folder. A description's folder is
// never searched: a library lying beside a file from elsewhere must not run.
std::vector<std::string> DriverSearchDirectories(const DriverFolders& named);

// The folders of a colon-separated list (VEK_DRIVER_PATH, vek32's setting); empty entries are
// left out.
std::vector<std::string> SplitFolderList(const std::string& list);

// The folder of the running program.
std::string ProgramDirectory();

// Whether a file lies directly in the program's folder.
bool IsInProgramDirectory(const std::string& path);

} // namespace vek
