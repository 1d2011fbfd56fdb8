#pragma once

#include "compiler/description_parser.h"

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <string>

namespace vek::bench {

// Bytes the process holds from the heap, mapped blocks included.
inline double HeapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd);
}

// Compiles the text once per iteration and counts its lines per second. Copying the text stands
// for reading the file, and freeing what the builder made is the document's business: neither
// is measured. With `items`, also the heap the compiled description holds per item: blocks the
// item arena reserved count whole, so this bounds from above what is resident (compile_shapes.sh
// reports the resident peak).
inline void RunCompiles(benchmark::State& state, DescriptionParser& parser, const std::string& text,
                        long lines, long items = 0) {
    double heldBytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::string source = text;
        const double before = HeapInUse() - static_cast<double>(source.capacity());
        state.ResumeTiming();
        parser.Compile("generated.vek", std::move(source), nullptr);
        if (parser.ErrorCount() != 0)
            state.SkipWithError("generated description has errors");
        state.PauseTiming();
        heldBytes = HeapInUse() - before;
        parser.TakeBuilder();
        state.ResumeTiming();
    }
    state.counters["lines"] = static_cast<double>(lines);
    state.counters["lines/s"] = benchmark::Counter(static_cast<double>(lines),
                                                   benchmark::Counter::kIsIterationInvariantRate);
    if (items > 0)
        state.counters["bytes/item"] = heldBytes / static_cast<double>(items);
    state.SetComplexityN(lines);
}

} // namespace vek::bench
