#pragma once

#include <benchmark/benchmark.h>

namespace vek::bench {

// The sizes of the benchmarks that grow one device or one list: 4,096 to 65,536 in steps of 4.
inline void LargeSizes(benchmark::internal::Benchmark* b) {
    b->RangeMultiplier(4)
        ->Range(4096, 65536)
        ->Unit(benchmark::kMillisecond)
        ->Complexity(benchmark::oN);
}

} // namespace vek::bench
