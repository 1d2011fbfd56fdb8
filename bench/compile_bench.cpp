// Whole compiles: scanner, parser, builder and item-list checks on generated descriptions.
#include "compiler/builder.h"
#include "compiler/description_parser.h"
#include "description_generator.h"

#include <benchmark/benchmark.h>

namespace vek {
namespace {

void Compile(benchmark::State& state, int devices, int registers, int bitFields) {
    const std::string text = bench::GenerateDescription(devices, registers, bitFields);
    const long lines = bench::GeneratedLineCount(devices, registers, bitFields);
    DescriptionParser parser([] { return std::make_unique<CBuilder>(); });
    for (auto _ : state) {
        state.PauseTiming(); // the copy stands for reading the file, which is not measured
        std::string source = text;
        state.ResumeTiming();
        parser.Compile("generated.vek", std::move(source), nullptr);
        if (parser.ErrorCount() != 0)
            state.SkipWithError("generated description has errors");
        state.PauseTiming(); // freeing the items is the document's business, not the compile's
        parser.TakeBuilder();
        state.ResumeTiming();
    }
    state.counters["lines"] = static_cast<double>(lines);
    state.counters["lines/s"] = benchmark::Counter(static_cast<double>(lines),
                                                   benchmark::Counter::kIsIterationInvariantRate);
    state.SetComplexityN(lines);
}

// Devices of 1,000 registers with two bit fields each: 10 to 100 devices.
void ManyDevices(benchmark::State& state) {
    Compile(state, static_cast<int>(state.range(0)), 1000, 2);
}
BENCHMARK(ManyDevices)
    ->Arg(10)
    ->Arg(30)
    ->Arg(100)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// One device whose registers are all checked against each other: 4,096 to 65,536 registers.
void OneLargeDevice(benchmark::State& state) {
    Compile(state, 1, static_cast<int>(state.range(0)), 0);
}
BENCHMARK(OneLargeDevice)
    ->RangeMultiplier(4)
    ->Range(4096, 65536)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace
} // namespace vek
