// Whole compiles: scanner, parser, builder and item-list checks on generated descriptions.
#include "compile_runs.h"
#include "compiler/builder.h"
#include "description_generator.h"
#include "sizes.h"

#include <benchmark/benchmark.h>

namespace vek {
namespace {

void Compile(benchmark::State& state, int devices, int registers, int bitFields,
             bench::NameStyle names = bench::NameStyle::Unique) {
    DescriptionParser parser([] { return std::make_unique<CBuilder>(); });
    bench::RunCompiles(
        state, parser,
        bench::GenerateDescription(devices, registers, bitFields, "pardrv32.dll", names),
        bench::GeneratedLineCount(devices, registers, bitFields),
        bench::GeneratedItemCount(devices, registers, bitFields));
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

// The same million registers cut into few large devices or many small ones, with names repeated
// in every device (a board of identical chips) or unique: the time should not depend on the cut.
// Arguments: devices, registers per device, names repeated (1) or not (0).
void Shapes(benchmark::State& state) {
    Compile(state, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), 0,
            state.range(2) != 0 ? bench::NameStyle::Repeated : bench::NameStyle::Unique);
}
void ShapeArguments(benchmark::internal::Benchmark* b) {
    b->ArgNames({"devices", "registers", "repeated"});
    for (int repeated : {0, 1}) {
        for (int devices : {10, 100, 1000, 10000})
            b->Args({devices, 1'000'000 / devices, repeated});
    }
    b->Unit(benchmark::kMillisecond);
}
BENCHMARK(Shapes)->Apply(ShapeArguments);

} // namespace
} // namespace vek
