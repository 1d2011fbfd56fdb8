// Whole compiles: scanner, parser, builder and item-list checks on generated descriptions.
#include "compile_runs.h"
#include "compiler/builder.h"
#include "description_generator.h"
#include "sizes.h"

#include <benchmark/benchmark.h>

namespace vek {
namespace {

void Compile(benchmark::State& state, int devices, int registers, int bitFields) {
    DescriptionParser parser([] { return std::make_unique<CBuilder>(); });
    bench::RunCompiles(state, parser, bench::GenerateDescription(devices, registers, bitFields),
                       bench::GeneratedLineCount(devices, registers, bitFields));
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
BENCHMARK(OneLargeDevice)->Apply(bench::LargeSizes);

} // namespace
} // namespace vek
