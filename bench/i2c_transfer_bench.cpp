// Register transfers per second through the whole I2C chain: the driver pardrv32 loaded and
// bound as the program does, the adapter library I2C32 and its simulated bus.
#include "vekdriver.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <dlfcn.h>

namespace vek {
namespace {

struct Driver {
    void* library = nullptr;
    VekOpenFn open = nullptr;
    VekCloseFn close = nullptr;
    VekSetRegFn setReg = nullptr;
    VekGetRegFn getReg = nullptr;
};

// Opens the driver on the default simulated board: the settings variable names a file that
// does not exist, so the user's own settings are not read.
bool OpenDriver(Driver& driver, benchmark::State& state) {
    setenv("VEK_PCALH_IO", "/nonexistent/pcalh_io.ini", 1);
    driver.library = dlopen(VEK_BIN_DIR "/libpardrv32.so", RTLD_NOW | RTLD_LOCAL);
    if (driver.library == nullptr) {
        state.SkipWithError("libpardrv32.so not found");
        return false;
    }
    driver.open = reinterpret_cast<VekOpenFn>(dlsym(driver.library, "VekOpen"));
    driver.close = reinterpret_cast<VekCloseFn>(dlsym(driver.library, "VekClose"));
    driver.setReg = reinterpret_cast<VekSetRegFn>(dlsym(driver.library, "VekSetReg"));
    driver.getReg = reinterpret_cast<VekGetRegFn>(dlsym(driver.library, "VekGetReg"));
    if (driver.open == nullptr || driver.open() == 0) {
        state.SkipWithError("pardrv32 did not open");
        return false;
    }
    return true;
}

void CloseDriver(Driver& driver) {
    if (driver.close != nullptr) {
        driver.close();
    }
    if (driver.library != nullptr) {
        dlclose(driver.library);
    }
}

// Writes a one-byte register of the EEPROM at bus address 0xA0, walking its 256 bytes.
void BM_RegisterWrite(benchmark::State& state) {
    Driver driver;
    if (OpenDriver(driver, state)) {
        unsigned char addr[2] = {0x00, 0xA0};
        uint32_t value = 0;
        for (auto _ : state) {
            benchmark::DoNotOptimize(driver.setReg(2, 1, addr, value++));
            ++addr[0];
        }
        state.SetItemsProcessed(state.iterations());
    }
    CloseDriver(driver);
}
BENCHMARK(BM_RegisterWrite);

// Reads the two-byte temperature register at bus address 0x90.
void BM_RegisterRead(benchmark::State& state) {
    Driver driver;
    if (OpenDriver(driver, state)) {
        const unsigned char addr[2] = {0x00, 0x90};
        uint32_t value = 0;
        for (auto _ : state) {
            benchmark::DoNotOptimize(driver.getReg(2, 2, addr, &value));
        }
        state.SetItemsProcessed(state.iterations());
    }
    CloseDriver(driver);
}
BENCHMARK(BM_RegisterRead);

} // namespace
} // namespace vek
