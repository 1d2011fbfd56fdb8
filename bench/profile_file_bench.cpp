// A register-values file of 100,000 keys: set and saved once, then loaded and read back.
#include "platform/profile_file.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <unistd.h>

namespace vek {
namespace {

constexpr int kKeys = 100000;
constexpr int kKeysPerSection = 1000;

std::string Section(int i) {
    return "tapdrv32:Device" + std::to_string(i / kKeysPerSection);
}

std::string Key(int i) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%06x", i);
    return text;
}

std::string BenchPath() {
    return (std::filesystem::temp_directory_path() /
            ("vek_profile_bench_" + std::to_string(getpid()) + ".vkg"))
        .string();
}

void WriteFile(const std::string& path) {
    ProfileFile file(path);
    for (int i = 0; i < kKeys; ++i) {
        file.SetString(Section(i), Key(i), "0x1234abcd");
    }
    file.Save();
}

void BM_ProfileWrite100kKeys(benchmark::State& state) {
    const std::string path = BenchPath();
    for (auto _ : state) {
        WriteFile(path);
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_ProfileWrite100kKeys)->Unit(benchmark::kMillisecond);

void BM_ProfileRead100kKeys(benchmark::State& state) {
    const std::string path = BenchPath();
    WriteFile(path);
    for (auto _ : state) {
        ProfileFile file(path);
        file.Load();
        std::size_t total = 0;
        for (int i = 0; i < kKeys; ++i) {
            total += file.GetString(Section(i), Key(i), "", 80).size();
        }
        benchmark::DoNotOptimize(total);
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_ProfileRead100kKeys)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace vek
