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

    // Loads a library by the name a description gives it ("pardrv32.dll"). Each candidate file
    // name (the name as written, then with ".dll" in any case replaced by ".so", then that with
    // a "lib" prefix) is looked for in each directory in turn, then through the system's own
    // library search. Null, with the reason in `error`, when nothing loads.
    static std::unique_ptr<DynamicLibrary>
    Load(const std::string& name, const std::vector<std::string>& directories, std::string& error);

    // The address of an exported symbol, or null.
    void* Symbol(const char* name) const;
    const std::string& Path() const { return path_; }

private:
    DynamicLibrary(void* handle, std::string path) : handle_(handle), path_(std::move(path)) {}

    void* handle_;
    std::string path_;
};

// The file names tried for a library name, in order.
std::vector<std::string> LibraryFileCandidates(const std::string& name);

// The directories searched for the drivers of a description: those of VEK_DRIVER_PATH (a
// colon-separated list), the description's folder, then the program's folder.
std::vector<std::string> DriverSearchDirectories(const std::string& descriptionPath);

// The folder of the running program.
std::string ProgramDirectory();

} // namespace vek
