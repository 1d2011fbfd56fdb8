// Register accesses through the memory-mapped driver over a generated file of 64 KiB that stands
// in for the device: through the driver object, and through the built library's exported
// functions as the program calls them.
#include "mem_driver.h"
#include "platform/settings_file.h"
#include "region_settings.h"
#include "vekdriver.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace vek {
namespace {

constexpr std::uint32_t kRegionBytes = 64 * 1024;
constexpr std::uint32_t kBase = 0x40000000;

// The generated file and the settings that map it, in a folder of their own.
class MappedFile {
public:
    MappedFile() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "vek_bench_XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) {
            folder_ = pattern;
        }
        const std::string registers = folder_ + "/registers";
        std::ofstream(registers, std::ios::binary) << std::string(kRegionBytes, '\x5a');
        const std::string settings = folder_ + "/" + kMemdrvFileName;
        std::ofstream(settings) << "[Region]\nDevice=" << registers << "\nBase=" << kBase
                                << "\nSize=" << kRegionBytes << "\n";
        setenv(kMemdrvOverrideVariable, settings.c_str(), 1);
    }
    ~MappedFile() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

private:
    std::string folder_;
};

// The address of the next register of `width` bytes, walking the region.
void NextAddress(std::uint32_t& address, int width) {
    address = kBase + (address - kBase + static_cast<std::uint32_t>(width)) % kRegionBytes;
}

template <class Driver>
void WalkReads(benchmark::State& state, Driver& driver) {
    const int width = static_cast<int>(state.range(0));
    std::uint32_t address = kBase;
    std::uint32_t value = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            driver.GetReg(4, width, reinterpret_cast<const unsigned char*>(&address), &value));
        NextAddress(address, width);
    }
    benchmark::DoNotOptimize(value);
    state.SetItemsProcessed(state.iterations());
}

template <class Driver>
void WalkWrites(benchmark::State& state, Driver& driver) {
    const int width = static_cast<int>(state.range(0));
    std::uint32_t address = kBase;
    std::uint32_t value = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            driver.SetReg(4, width, reinterpret_cast<const unsigned char*>(&address), value++));
        NextAddress(address, width);
    }
    state.SetItemsProcessed(state.iterations());
}

// The driver as its library makes it, over the settings of the file.
class OpenedDriver : public MemDriver {
public:
    OpenedDriver()
        : MemDriver([] { return ReadSettingsFile(kMemdrvOverrideVariable, kMemdrvFileName); },
                    static_cast<std::int64_t>(sysconf(_SC_PAGESIZE))) {}
    bool OpenFor(benchmark::State& state) {
        if (!MemDriver::Open()) {
            state.SkipWithError(StatusText().c_str());
            return false;
        }
        return true;
    }
};

void BM_DriverRead(benchmark::State& state) {
    const MappedFile file;
    OpenedDriver driver;
    if (driver.OpenFor(state)) {
        WalkReads(state, driver);
    }
}
BENCHMARK(BM_DriverRead)->Arg(1)->Arg(2)->Arg(4);

void BM_DriverWrite(benchmark::State& state) {
    const MappedFile file;
    OpenedDriver driver;
    if (driver.OpenFor(state)) {
        WalkWrites(state, driver);
    }
}
BENCHMARK(BM_DriverWrite)->Arg(1)->Arg(2)->Arg(4);

// The built library, loaded and bound by name as the program binds it.
class LoadedMemdrv {
public:
    LoadedMemdrv() : library_(dlopen(VEK_BIN_DIR "/libmemdrv.so", RTLD_NOW | RTLD_LOCAL)) {
        if (library_ != nullptr) {
            open_ = reinterpret_cast<VekOpenFn>(dlsym(library_, "VekOpen"));
            close_ = reinterpret_cast<VekCloseFn>(dlsym(library_, "VekClose"));
            setReg_ = reinterpret_cast<VekSetRegFn>(dlsym(library_, "VekSetReg"));
            getReg_ = reinterpret_cast<VekGetRegFn>(dlsym(library_, "VekGetReg"));
        }
    }
    ~LoadedMemdrv() {
        if (close_ != nullptr) {
            close_();
        }
        if (library_ != nullptr) {
            dlclose(library_);
        }
    }
    LoadedMemdrv(const LoadedMemdrv&) = delete;
    LoadedMemdrv& operator=(const LoadedMemdrv&) = delete;

    bool Open() const {
        return open_ != nullptr && close_ != nullptr && setReg_ != nullptr && getReg_ != nullptr &&
               open_() != 0;
    }
    int GetReg(int addrLen, int dataLen, const unsigned char* addr, std::uint32_t* data) const {
        return getReg_(addrLen, dataLen, addr, data);
    }
    int SetReg(int addrLen, int dataLen, const unsigned char* addr, std::uint32_t data) const {
        return setReg_(addrLen, dataLen, addr, data);
    }

private:
    void* library_;
    VekOpenFn open_ = nullptr;
    VekCloseFn close_ = nullptr;
    VekSetRegFn setReg_ = nullptr;
    VekGetRegFn getReg_ = nullptr;
};

void BM_LibraryRead(benchmark::State& state) {
    const MappedFile file;
    const LoadedMemdrv driver;
    if (!driver.Open()) {
        state.SkipWithError("libmemdrv.so did not open");
        return;
    }
    WalkReads(state, driver);
}
BENCHMARK(BM_LibraryRead)->Arg(4);

void BM_LibraryWrite(benchmark::State& state) {
    const MappedFile file;
    const LoadedMemdrv driver;
    if (!driver.Open()) {
        state.SkipWithError("libmemdrv.so did not open");
        return;
    }
    WalkWrites(state, driver);
}
BENCHMARK(BM_LibraryWrite)->Arg(4);

} // namespace
} // namespace vek
