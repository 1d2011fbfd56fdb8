// The bridge chip's settings file qbr18_32.ini read into its register map, with 65,536 register
// entries written the ways a settings file may write them.
#include "chip_settings.h"

#include <benchmark/benchmark.h>

#include <cstdio>

namespace vek {
namespace {

constexpr int kEntries = 65536;

std::string Offset(int offset) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04x", offset);
    return text;
}

// Every register of the chip, each with its value: one section of each kind.
std::string WholeMap() {
    std::string text = "[Registers]\n";
    for (int i = 0; i < kEntries; ++i)
        text += Offset(i) + "=1\n";
    text += "[RegisterValues]\n";
    for (int i = 0; i < kEntries; ++i)
        text += Offset(i) + "=" + std::to_string(i & 0xFF) + "\n";
    return text;
}

// The same registers, each in a section of its own (as files joined from pieces have them).
std::string RepeatedSections() {
    std::string text;
    for (int i = 0; i < kEntries; ++i)
        text += "[Registers]\n" + Offset(i) + "=1\n[RegisterValues]\n" + Offset(i) + "=7\n";
    return text;
}

// Ranges over the whole chip, each replacing the one before.
std::string OverlappingRanges() {
    static constexpr int kWidths[] = {1, 2, 4, 0};
    std::string text = "[Registers]\n";
    for (int i = 0; i < kEntries; ++i)
        text += Offset(i % 16) + "-0xffff=" + std::to_string(kWidths[i % 4]) + "\n";
    return text;
}

void ReadSettings(benchmark::State& state, const std::string& text) {
    const ProfileFile file = ProfileFile::Parse(text);
    for (auto _ : state) {
        const ChipSettings chip = ReadChipSettings(file);
        benchmark::DoNotOptimize(chip.registers.size());
    }
    state.counters["entries"] = kEntries;
}

void BM_BridgeSettingsWholeMap(benchmark::State& state) {
    ReadSettings(state, WholeMap());
}
BENCHMARK(BM_BridgeSettingsWholeMap)->Unit(benchmark::kMillisecond);

void BM_BridgeSettingsRepeatedSections(benchmark::State& state) {
    ReadSettings(state, RepeatedSections());
}
BENCHMARK(BM_BridgeSettingsRepeatedSections)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_BridgeSettingsOverlappingRanges(benchmark::State& state) {
    ReadSettings(state, OverlappingRanges());
}
BENCHMARK(BM_BridgeSettingsOverlappingRanges)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
} // namespace vek
