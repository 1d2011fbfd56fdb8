// Register writes and reads per second through tapdrv32, BSX4810 and the software TAP: every
// access claims the controller, resets the TAP and runs its six scans, as on real hardware.
#include "vekdriver.h"

#include <array>
#include <benchmark/benchmark.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace vek {
namespace {

// A lock file of the benchmark's own, so that a running program does not hold the controller.
void UsePrivateController() {
    static char lock[64];
    if (lock[0] == '\0') {
        std::snprintf(lock, sizeof lock, "/tmp/bsx4810-bench-%d.lock",
                      static_cast<int>(::getpid()));
        std::atexit([] { ::unlink(lock); });
    }
    ::setenv("BSX4810_LOCK_FILE", lock, 1);
    ::unsetenv("BSX4810_DEVICE");
}

// Two-byte register addresses of a 256-register block.
std::array<std::array<unsigned char, 2>, 256> GenerateAddresses() {
    std::array<std::array<unsigned char, 2>, 256> addresses{};
    for (size_t i = 0; i < addresses.size(); ++i)
        addresses[i] = {static_cast<unsigned char>(i * 4), 0x10};
    return addresses;
}

// The driver, open for one benchmark; a benchmark whose driver does not open is skipped.
class OpenDriver {
public:
    explicit OpenDriver(benchmark::State& state) {
        UsePrivateController();
        ok_ = VekOpen() == 1;
        if (!ok_)
            state.SkipWithError("VekOpen failed");
    }
    ~OpenDriver() { VekClose(); }
    bool Ok() const { return ok_; }

private:
    bool ok_;
};

void BM_WriteRegister(benchmark::State& state) {
    OpenDriver driver(state);
    if (!driver.Ok())
        return;
    const auto addresses = GenerateAddresses();
    uint32_t value = 0;
    for (auto _ : state) {
        const auto& address = addresses[value % addresses.size()];
        if (VekSetReg(2, 4, address.data(), value++) != 1) {
            state.SkipWithError("VekSetReg failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_WriteRegister);

void BM_ReadRegister(benchmark::State& state) {
    OpenDriver driver(state);
    if (!driver.Ok())
        return;
    const auto addresses = GenerateAddresses();
    size_t i = 0;
    uint32_t data = 0;
    for (auto _ : state) {
        if (VekGetReg(2, 4, addresses[i++ % addresses.size()].data(), &data) != 1) {
            state.SkipWithError("VekGetReg failed");
            break;
        }
        benchmark::DoNotOptimize(data);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReadRegister);

// With the target shared through a file, each write also rewrites the file.
void BM_WriteRegisterSharedTarget(benchmark::State& state) {
    const std::string file = "/tmp/bsx4810-bench-target-" + std::to_string(::getpid()) + ".txt";
    ::setenv("BSX4810_TARGET_FILE", file.c_str(), 1);
    {
        OpenDriver driver(state);
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
} // namespace vek
