// Register writes and reads per second through tapdrv32, BSX4810 and the software TAP: every
// access claims the controller, resets the TAP and runs its six scans, as on real hardware.
#include "jtag_bench_support.h"
#include "vekdriver.h"

#include <array>
#include <benchmark/benchmark.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

class OpenDriver {
public:
    OpenDriver() {
        UsePrivateController();
        ok_ = VekOpen() == 1;
    }
    ~OpenDriver() { VekClose(); }
    bool Ok() const { return ok_; }

private:
    bool ok_;
};

void BM_WriteRegister(benchmark::State& state) {
    OpenDriver driver;
    AccessRegisters(
        state, driver.Ok(), "VekSetReg failed",
        [](const unsigned char* address, uint32_t n) { return VekSetReg(2, 4, address, n) == 1; });
}
BENCHMARK(BM_WriteRegister);

void BM_ReadRegister(benchmark::State& state) {
    OpenDriver driver;
    AccessRegisters(state, driver.Ok(), "VekGetReg failed",
                    [](const unsigned char* address, uint32_t /*n*/) {
                        uint32_t data = 0;
                        const bool read = VekGetReg(2, 4, address, &data) == 1;
                        benchmark::DoNotOptimize(data);
                        return read;
                    });
}
BENCHMARK(BM_ReadRegister);

// With the target shared through a file, each write also rewrites the file.
void BM_WriteRegisterSharedTarget(benchmark::State& state) {
    const std::string file = "/tmp/bsx4810-bench-target-" + std::to_string(::getpid()) + ".txt";
    ::setenv("BSX4810_TARGET_FILE", file.c_str(), 1);
    {
        OpenDriver driver;
        const unsigned char address[2] = {0x00, 0x10};
        uint32_t value = 0;
        for (auto _ : state) {
            if (!driver.Ok() || VekSetReg(2, 4, address, value++) != 1) {
                state.SkipWithError("VekSetReg failed");
                break;
            }
        }
        state.SetItemsProcessed(state.iterations());
    }
    ::unsetenv("BSX4810_TARGET_FILE");
    std::remove(file.c_str());
}
BENCHMARK(BM_WriteRegisterSharedTarget);

} // namespace
