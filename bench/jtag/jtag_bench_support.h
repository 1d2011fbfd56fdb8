// What the JTAG benchmarks share: a controller of their own and the registers they access.
#pragma once

#include <array>
#include <benchmark/benchmark.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

// A lock file of the benchmark's own, so that a running program does not hold the controller.
inline void UsePrivateController() {
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
inline std::array<std::array<unsigned char, 2>, 256> GenerateAddresses() {
    std::array<std::array<unsigned char, 2>, 256> addresses{};
    for (size_t i = 0; i < addresses.size(); ++i)
        addresses[i] = {static_cast<unsigned char>(i * 4), 0x10};
    return addresses;
}

// Accesses the registers of GenerateAddresses in turn for as long as the benchmark runs. access
// takes the address and the access's number and says whether it worked; failed names the failure.
template <typename Access>
void AccessRegisters(benchmark::State& state, bool opened, const char* failed, Access access) {
    if (!opened) {
        state.SkipWithError("VekOpen failed");
        return;
    }
    const auto addresses = GenerateAddresses();
    uint32_t n = 0;
    for (auto _ : state) {
        if (!access(addresses[n % addresses.size()].data(), n)) {
            state.SkipWithError(failed);
            return;
        }
        ++n;
    }
    state.SetItemsProcessed(state.iterations());
}
